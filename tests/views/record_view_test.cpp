// The record text: the current record rendered under its headings, wrapped
// at the view's width, printed and previewed page by page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "platform/framework_ids.h"
#include "tests/views/drug_views_fixture.h"

namespace quorbex::testing {
namespace {

// count copies of piece, one after another.
std::string Repeated(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

// A record whose function, usage and cautions fill their 200 bytes with
// short lines: some two hundred lines of text.
Drug LongRecord() {
    const std::string lines = Repeated("1\r\n", 66);
    return {.tradeName = "阿司匹林",
            .englishName = "Aspirin",
            .function = lines,
            .usage = lines,
            .cautions = lines};
}

// The number of pages of a PDF file: the count of its page tree's root.
int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no PDF at " << path.toStdString();
        return -1;
    }
    const QByteArray pdf = file.readAll();
    static const QRegularExpression pageTree(
        QStringLiteral(R"(/Type\s*/Pages\b[^>]*?/Count\s+(\d+))"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pageTree.match(QString::fromLatin1(pdf));
    if (!match.hasMatch()) {
        ADD_FAILURE() << "no page tree in " << path.toStdString();
        return -1;
    }
    return match.captured(1).toInt();
}

class RecordViewTest : public DrugViewsTest {
protected:
    // Makes the result of record number current, as a choice in the tree does.
    void ShowRecord(std::uint32_t number) {
        const ResultList& results = document.GetResultList();
        const auto found = std::find(results.begin(), results.end(), number);
        ASSERT_NE(found, results.end());
        ASSERT_TRUE(document.SelectResult(static_cast<int>(found - results.begin())));
    }

    // Prints the view on A4 paper into a PDF file; answers its page count.
    int PrintedPages() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QString path = folder.filePath(QStringLiteral("record.pdf"));
        QFile::remove(path);
        printer.setOutputFileName(path);
        text.PrintTo(printer);
        return PdfPageCount(path);
    }
};

TEST_F(RecordViewTest, RendersTheNamesAndTheSectionsThatHaveContent) {
    struct Case {
        const char* name;
        Drug record;
        QString text;
    };
    const Case cases[] = {
        {"trade name, other names, English name and usage",
         {.tradeName = "阿司匹林",
          .englishName = "Aspirin",
          .otherNames = "乙酰水杨酸",
          .usage = "口服"},
         QStringLiteral("[品名]阿司匹林(乙酰水杨酸)\n[英文]Aspirin\n\n[用法]\n口服")},
        {"no trade name: a leading empty line and no other names",
         {.tradeName = "", .englishName = "Ibuprofen", .otherNames = "芬必得"},
         QStringLiteral("\n[英文]Ibuprofen")},
        {"no other names: no parentheses",
         {.tradeName = "布洛芬", .englishName = "Ibuprofen"},
         QStringLiteral("[品名]布洛芬\n[英文]Ibuprofen")},
        {"only a trade name: no line break after it",
         {.tradeName = "对乙酰氨基酚"},
         QStringLiteral("[品名]对乙酰氨基酚")},
        {"only the pinyin initials: nothing",
         {.tradeName = "", .pinyinInitials = "ASPL"},
         QString()},
        {"every field: the pinyin initials never appear",
         {.tradeName = "甲硝唑",
          .pinyinInitials = "JXZ",
          .englishName = "Metronidazole",
          .otherNames = "灭滴灵",
          .function = "抗厌氧菌",
          .usage = "口服",
          .cautions = "孕妇慎用"},
         QStringLiteral("[品名]甲硝唑(灭滴灵)\n[英文]Metronidazole\n\n[功能]\n抗厌氧菌\n\n[用法]\n"
                        "口服\n\n[注意事项]\n孕妇慎用")},
        {"blanks are content",
         {.tradeName = " ", .otherNames = " ", .cautions = " "},
         QStringLiteral("[品名] ( )\n\n[注意事项]\n ")},
        {"line breaks of the values themselves",
         {.tradeName = "", .function = "解热\r\n镇痛", .usage = "\r\n"},
         QStringLiteral("\n\n[功能]\n解热\n镇痛\n\n[用法]\n\n")},
    };
    std::vector<Drug> records;
    for (const Case& c : cases) {
        records.push_back(c.record);
    }
    Open(records);

    for (std::uint32_t number = 1; number <= std::size(cases); ++number) {
        const Case& c = cases[number - 1];
        SCOPED_TRACE(c.name);
        ShowRecord(number);
        EXPECT_EQ(text.toPlainText(), c.text);
    }
}

// The options, and another result's record rewritten, leave the text as it
// is; another current record, or the current one rewritten, renders anew.
TEST_F(RecordViewTest, RendersWhenTheCurrentRecordChangesAndOnlyThen) {
    Open({{.tradeName = "阿司匹林"}, {.tradeName = "布洛芬"}});
    text.setPlainText(QStringLiteral("earlier"));

    SearchOptions options = document.GetOptions();
    options.sortKey = SORT_BY_ENGLISH_NAME;
    document.SetOptions(options);
    ASSERT_TRUE(document.SelectResult(0));
    emit document.resultChanged(1);
    EXPECT_EQ(text.toPlainText(), QStringLiteral("earlier"));

    ASSERT_TRUE(document.SelectResult(1));
    EXPECT_EQ(text.toPlainText(), QStringLiteral("[品名]布洛芬"));
    text.setPlainText(QStringLiteral("earlier"));
    document.ModifyCurrent(Gbk(Drug{.tradeName = "美林"}));
    EXPECT_EQ(text.toPlainText(), QStringLiteral("[品名]美林"));
}

TEST_F(RecordViewTest, TypedTextIsReplacedAtTheNextRenderAndNeverReachesTheRecord) {
    Open({{.tradeName = "阿司匹林", .englishName = "Aspirin"}});
    const QString rendered = text.toPlainText();
    text.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&text));
    text.moveCursor(QTextCursor::End);
    QTest::keyClicks(&text, "typed");
    QTest::keyClick(&text, Qt::Key_Return);
    ASSERT_EQ(text.toPlainText(), rendered + QStringLiteral("typed\n"));

    text.Render();

    EXPECT_EQ(text.toPlainText(), rendered);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(RecordFields(document.GetStore(), 1),
              Gbk(Drug{.tradeName = "阿司匹林", .englishName = "Aspirin"}));
}

// Records the status tips that a widget sends up towards the main window.
class StatusTips : public QObject {
public:
    explicit StatusTips(QWidget& widget) { widget.installEventFilter(this); }
    QStringList tips;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::StatusTip) {
            tips.append(static_cast<QStatusTipEvent*>(event)->tip());
        }
        return false;
    }
};

TEST_F(RecordViewTest, TheFirstEditOfARecordSaysInTheStatusBarThatItIsNotKept) {
    Open({{.tradeName = "阿司匹林"}, {.tradeName = "布洛芬"}});
    text.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&text));
    StatusTips status(text);
    const QString notice = QStringLiteral("这里的修改不会保存; 要修改这种药物, 请按 F2。");

    // Moving about the text changes nothing and says nothing.
    QTest::keyClick(&text, Qt::Key_Down);
    QTest::keyClick(&text, Qt::Key_End);
    EXPECT_TRUE(status.tips.isEmpty());
    QTest::keyClicks(&text, "ab");
    QTest::keyClick(&text, Qt::Key_Backspace);
    EXPECT_EQ(status.tips, QStringList{notice});

    // A record shown afresh is told of again at its first edit.
    ShowRecord(2);
    EXPECT_EQ(status.tips.size(), 1);
    QTest::keyClick(&text, Qt::Key_Delete);
    EXPECT_EQ(status.tips, QStringList({notice, notice}));
}

TEST_F(RecordViewTest, LongValuesWrapAtTheViewsWidthWithoutAHorizontalScrollBar) {
    const std::string function = Repeated("解热镇痛", 25);  // 200 bytes, no break
    const std::string usage = Repeated("每日三次 ", 12) + "\r\n" + Repeated("饭后服", 15);
    Open({{.tradeName = "阿司匹林", .function = function, .usage = usage}});
    text.resize(240, 300);
    text.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&text));
    QApplication::processEvents();

    EXPECT_EQ(text.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(text.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(text.horizontalScrollBar()->isVisible());
    EXPECT_NE(text.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    const QString shown = text.toPlainText();
    const QString functionText = QString::fromStdString(function);
    EXPECT_TRUE(shown.contains(functionText));
    EXPECT_TRUE(shown.contains(QString::fromStdString(usage).replace("\r\n", "\n")));
    // The function, one paragraph, is broken into lines no wider than the view.
    for (QTextBlock block = text.document()->begin(); block.isValid(); block = block.next()) {
        if (block.text() == functionText) {
            ASSERT_NE(block.layout(), nullptr);
            EXPECT_GT(block.layout()->lineCount(), 1);
            for (int line = 0; line < block.layout()->lineCount(); ++line) {
                EXPECT_LE(block.layout()->lineAt(line).naturalTextWidth(),
                          text.viewport()->width());
            }
            return;
        }
    }
    ADD_FAILURE() << "the function is not one paragraph of its own";
}

TEST_F(RecordViewTest, PrintsTheRecordOnAsManyPagesAsItNeeds) {
    Open({{.tradeName = "阿司匹林", .englishName = "Aspirin", .usage = "口服"}, LongRecord()});
    ShowRecord(1);
    EXPECT_EQ(PrintedPages(), 1);
    ShowRecord(2);
    EXPECT_GT(PrintedPages(), 1);
}

TEST_F(RecordViewTest, APrintedPdfIsTitledWithTheDocumentsName) {
    Open({{.tradeName = "阿司匹林", .englishName = "Aspirin"}});
    document.SetTitle(QStringLiteral("病房药物.zvk"));
    const QString path = folder.filePath(QStringLiteral("title.pdf"));
    ASSERT_TRUE(text.PrintToPrinter(path));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    // The document information holds the title as UTF-16 with a byte order mark.
    const QString title = QStringLiteral("病房药物.zvk");
    QByteArray utf16("\xFE\xFF", 2);
    for (const QChar c : title) {
        utf16.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode()));
    }
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.contains("/Title <" + utf16.toHex().toUpper() + ">") ||
                bytes.contains("/Title (" + utf16 + ")"))
        << "no title in " << bytes.left(2000).toStdString();
}

TEST_F(RecordViewTest, PreviewShowsThePagesOfTheRecord) {
    Open({LongRecord()});
    int previewPages = -1;
    QTimer::singleShot(0, [&previewPages] {
        QWidget* shown = QApplication::activeModalWidget();
        auto* preview = qobject_cast<QPrintPreviewDialog*>(shown);
        auto* pages = preview != nullptr ? preview->findChild<QPrintPreviewWidget*>() : nullptr;
        EXPECT_NE(pages, nullptr) << "no print preview is showing";
        if (pages != nullptr) {
            previewPages = pages->pageCount();
        }
        if (shown != nullptr) {
            shown->close();
        }
    });
    text.OnFilePrintPreview();
    EXPECT_GT(previewPages, 1);
}

TEST_F(RecordViewTest, DirectPrintingWithoutADefaultPrinterSaysSo) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a default printer";
    }
    Open({{.tradeName = "阿司匹林"}});
    EXPECT_FALSE(text.PrintToPrinter(QString()));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("打印机")))
        << ui.messages[0].text.toStdString();
}

}  // namespace
}  // namespace quorbex::testing
