// The printed handbook, read back with pdftotext: of the sample dictionary
// from the command line, with every trade name, a contents list whose page
// numbers lead to the drugs, and a number on every page; every page of drugs
// opening with a drug's name and none ending with a heading; margins from
// the page setup; the search on the title page of a handbook of results; the
// order by pinyin, trade name or English name; and the command line run
// without a display.
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "app/drug_app.h"
#include "document/zorvik_drug_doc.h"
#include "frames/main_frame.h"
#include "platform/device_file.h"
#include "resources/resource_ids.h"
#include "store/gbk_codec.h"
#include "store/record_store.h"
#include "tests/startup/startup_fixture.h"
#include "tests/support/child_process.h"
#include "views/shared_printer.h"

namespace quorbex::testing {
namespace {

constexpr double POINTS_PER_MM = 72 / 25.4;

// The tests' search path is the start-up fixture's own: poppler's tools are
// looked for where the system keeps them.
QString Tool(const QString& name) {
    return QStandardPaths::findExecutable(
        name,
        {QStringLiteral("/usr/local/bin"), QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
}

QString RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(Tool(tool), arguments);
    EXPECT_TRUE(process.waitForFinished()) << tool.toStdString() << " is missing";
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of the PDF's pages first to last (pdftotext), or of all of them;
// with layout, the lines as they lie on the page.
QString PdfText(const QString& pdf, int first = 0, int last = 0, bool layout = false) {
    QStringList arguments;
    if (first > 0) {
        arguments << QStringLiteral("-f") << QString::number(first) << QStringLiteral("-l")
                  << QString::number(last);
    }
    if (layout) {
        arguments << QStringLiteral("-layout");
    }
    return RunTool(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
}

QString PdfInfo(const QString& pdf) {
    return RunTool(QStringLiteral("pdfinfo"), {pdf});
}

int PageCount(const QString& pdf) {
    return PdfInfo(pdf)
        .section(QStringLiteral("Pages:"), 1)
        .trimmed()
        .section(QLatin1Char('\n'), 0, 0)
        .toInt();
}

// The lines of one page as they lie on it, blank ones left out.
QStringList PageLines(const QString& pdf, int page) {
    QStringList lines;
    for (const QString& line : PdfText(pdf, page, page, true).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty()) {
            lines.append(line.trimmed());
        }
    }
    return lines;
}

// Where the words of one page lie, in points from its top left corner.
struct Extent {
    QSizeF page;
    QRectF words;
};

Extent WordsExtent(const QString& pdf, int page) {
    const QString html =
        RunTool(QStringLiteral("pdftotext"),
                {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                 QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    Extent extent;
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""))
            .match(html);
    extent.page = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">"));
    for (const QRegularExpressionMatch& match : word.globalMatch(html)) {
        const QRectF box(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                         QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
        extent.words = extent.words.isNull() ? box : extent.words.united(box);
    }
    return extent;
}

QStringList TradeNames(const QString& dictionary) {
    QFile file(dictionary);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    platform::DeviceFile device(file);
    RecordStore store;
    EXPECT_TRUE(store.LoadFromFile(device));
    QStringList names;
    for (std::uint32_t number = 1; number <= store.GetCount(); ++number) {
        names.append(QString::fromStdString(GbkToUtf8(store.PeekField(number, Field::TradeName))));
    }
    return names;
}

// The names of the drugs in the order in which their entries follow.
QStringList EntryOrder(const QString& text) {
    QStringList names;
    const QRegularExpression entry(QStringLiteral("\\[品名\\]([^(\\n]+)"));
    for (const QRegularExpressionMatch& match : entry.globalMatch(text)) {
        names.append(match.captured(1));
    }
    return names;
}

// Drugs whose pinyin, trade-name (GBK) and English orders all differ.
const QStringList PINYIN_ORDER{"Zantac", "阿司匹林", "氨氯地平", "布洛芬",
                               "呋塞米", "泮托拉唑", "头孢氨苄", "缬沙坦"};
const QStringList TRADE_ORDER{"Zantac",   "阿司匹林", "氨氯地平", "布洛芬",
                              "头孢氨苄", "呋塞米",   "泮托拉唑", "缬沙坦"};
const QStringList ENGLISH_ORDER{"氨氯地平", "阿司匹林", "头孢氨苄", "呋塞米",
                                "布洛芬",   "泮托拉唑", "Zantac",   "缬沙坦"};

class HandbookTest : public StartupTest {
protected:
    // A ward's dictionary: each drug with texts of a different length, most
    // of them longer than the room left on a page, so that pages break
    // inside drugs and just before headings.
    QString WriteWard(int copies = 6) {
        const std::vector<std::pair<const char*, const char*>> drugs{
            {"缬沙坦", "Valsartan"},    {"呋塞米", "Furosemide"}, {"泮托拉唑", "Pantoprazole"},
            {"阿司匹林", "Aspirin"},    {"布洛芬", "Ibuprofen"},  {"Zantac", "Ranitidine"},
            {"氨氯地平", "Amlodipine"}, {"头孢氨苄", "Cefalexin"}};
        std::vector<DrugFields> records;
        for (int copy = 0; copy < copies; ++copy) {
            for (std::size_t i = 0; i < drugs.size(); ++i) {
                const std::string suffix = copy == 0 ? "" : std::to_string(copy);
                DrugFields drug = Names(Gbk(drugs[i].first + suffix), drugs[i].second + suffix);
                const int lines = static_cast<int>((i * 3 + copy * 5) % 9) + 1;
                m_usageLines += lines;
                for (int line = 1; line <= lines; ++line) {
                    drug.usage += Gbk("第" + std::to_string(line) + "步: 口服一次\r\n");
                }
                drug.cautions =
                    Gbk(std::string(copy % 2 == 0 ? "肾功能不全者慎用。" : "孕妇禁用。"));
                drug.function = Gbk("降压、利尿、镇痛、抑酸。");
                records.push_back(drug);
            }
        }
        const QString path = File(QStringLiteral("ward.zvk"));
        WriteFileBytes(path, DictionaryFileBytes(records));
        return path;
    }

    QString WriteHandbook(const QStringList& options = {}) {
        const QString pdf = File(QStringLiteral("handbook.pdf"));
        TestApp app;
        EXPECT_FALSE(
            StartWithoutDialog(app, QStringList{"--handbook", File("ward.zvk"), pdf} + options));
        EXPECT_EQ(app->ExitInstance(), 0);
        return pdf;
    }

    int m_usageLines = 0;  // in the ward's dictionary
};

TEST_F(HandbookTest, CommandLineWritesTheSampleHandbookWithoutAWindow) {
    const QString pdf = File(QStringLiteral("sample.pdf"));
    {
        TestApp app;
        EXPECT_FALSE(StartWithoutDialog(app, {"--handbook", DEMO_DICTIONARY, pdf}));
        EXPECT_EQ(shownModal, QString());
        EXPECT_EQ(app->MainFrame(), nullptr) << "no window is made";
        EXPECT_EQ(app->ExitInstance(), 0);
    }
    const QString text = PdfText(pdf);
    const QStringList names = TradeNames(QStringLiteral(DEMO_DICTIONARY));
    ASSERT_GT(names.size(), 40);
    EXPECT_TRUE(text.startsWith(QStringLiteral("demo\n药物手册\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("共收药物%1种").arg(names.size())));
    EXPECT_TRUE(text.contains(QStringLiteral("按拼音排序")));
    EXPECT_TRUE(text.contains(QStringLiteral("目录")));
    const QString contents = PdfText(pdf, 2, 2, true);
    for (const QString& name : names) {
        // The contents give the page, and the page holds the drug under its name.
        const QRegularExpression entry(
            QStringLiteral("\n\\s*%1\\s+(\\d+)\n").arg(QRegularExpression::escape(name)));
        const QRegularExpressionMatch match = entry.match(contents);
        ASSERT_TRUE(match.hasMatch()) << name.toStdString();
        const int page = match.captured(1).toInt();
        EXPECT_TRUE(PdfText(pdf, page, page).contains(QStringLiteral("\n[品名]%1").arg(name)))
            << name.toStdString() << " on page " << page;
    }
    const int pages = PageCount(pdf);
    ASSERT_GT(pages, 3);
    for (int page = 1; page <= pages; ++page) {
        EXPECT_TRUE(PdfText(pdf, page, page).contains(QStringLiteral("第%1页").arg(page)) ||
                    PdfText(pdf, page, page).contains(QStringLiteral("第 %1 页").arg(page)))
            << page;
    }
}

// A dose is never read as another drug's: the first line of every page of
// drugs names the drug at its top, which is the one a page that goes on with
// it names again, "NAME（续）"; and no page ends with a heading.
TEST_F(HandbookTest, EveryPageOfDrugsOpensWithItsDrugAndNoneEndsWithAHeading) {
    WriteWard();
    const QString pdf = WriteHandbook();
    const QStringList names = TradeNames(File(QStringLiteral("ward.zvk")));
    const int pages = PageCount(pdf);
    int firstDrugPage = 0;
    for (int page = 1; page <= pages && firstDrugPage == 0; ++page) {
        if (PdfText(pdf, page, page).contains(QStringLiteral("[品名]"))) {
            firstDrugPage = page;
        }
    }
    ASSERT_GT(firstDrugPage, 1);
    ASSERT_GT(pages - firstDrugPage, 5) << "too few pages to show anything";
    int continued = 0;
    const QRegularExpression continuedHeading(QStringLiteral("^(.+)（续）$"));
    for (int page = firstDrugPage; page <= pages; ++page) {
        SCOPED_TRACE(page);
        const QStringList lines = PageLines(pdf, page);
        ASSERT_GE(lines.size(), 4);
        // The running head: the first drug at the left, the last at the right.
        const QString first = lines[0].section(QRegularExpression(QStringLiteral("\\s{2,}")), 0, 0);
        EXPECT_TRUE(names.contains(first)) << lines[0].toStdString();
        const QRegularExpressionMatch match = continuedHeading.match(lines[1]);
        if (match.hasMatch()) {
            ++continued;
            EXPECT_EQ(match.captured(1), first);
        } else {
            // A page that does not go on with a drug starts with its heading.
            EXPECT_EQ(lines[1], first);
            EXPECT_TRUE(lines[2].startsWith(QStringLiteral("[品名]") + first))
                << lines[2].toStdString();
        }
        // The line above the page number is never a heading.
        ASSERT_TRUE(lines.back().contains(QString::number(page)));
        EXPECT_FALSE(names.contains(lines[lines.size() - 2]))
            << lines[lines.size() - 2].toStdString();
    }
    EXPECT_GT(continued, 0) << "no page went on with a drug";
    // Every line of every drug is printed once.
    EXPECT_EQ(PdfText(pdf).count(QStringLiteral("口服一次")), m_usageLines);
}

TEST_F(HandbookTest, OrdersByPinyinOrAsAsked) {
    WriteWard(1);
    EXPECT_EQ(EntryOrder(PdfText(WriteHandbook())), PINYIN_ORDER);
    EXPECT_EQ(EntryOrder(PdfText(WriteHandbook({"--sort", "pinyin"}))), PINYIN_ORDER);
    const QString trade = WriteHandbook({"--sort", "trade"});
    EXPECT_EQ(EntryOrder(PdfText(trade)), TRADE_ORDER);
    EXPECT_TRUE(PdfText(trade, 1, 1).contains(QStringLiteral("按品名排序")));
    EXPECT_EQ(EntryOrder(PdfText(WriteHandbook({"--sort=english"}))), ENGLISH_ORDER);
}

TEST_F(HandbookTest, AMissingDictionaryEndsWithAnError) {
    TestApp app;
    EXPECT_FALSE(
        StartWithoutDialog(app, {"--handbook", File(QStringLiteral("missing.zvk")), "out.pdf"}));
    EXPECT_EQ(app->ExitInstance(), 2);
    EXPECT_FALSE(QFile::exists(File(QStringLiteral("out.pdf"))));
}

TEST_F(HandbookTest, MenuWritesThePdfBesideTheDictionaryTitledAfterIt) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {File(QStringLiteral("ward.zvk"))}));
    const QString pdf = File(QStringLiteral("handbook.pdf"));
    app.Ui().saveNames = {pdf};
    app->MainFrame()->Action(ID_HANDBOOK_PDF).trigger();
    EXPECT_EQ(app.Ui().saveDialogs, QStringList{File(QStringLiteral("ward.pdf"))});
    EXPECT_TRUE(PdfInfo(pdf).contains(QRegularExpression(QStringLiteral("Title: +ward\n"))));
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("共收药物2种")));
    EXPECT_TRUE(text.contains(QStringLiteral("阿莫西林")) &&
                text.contains(QStringLiteral("布洛芬")));
    EXPECT_TRUE(app.Ui().messages.empty());
}

// The menu's handbook takes its margins from 文件 → 打印设置; the command
// line's has at least 15 mm.
TEST_F(HandbookTest, MarginsComeFromThePageSetup) {
    WriteWard(2);
    {
        const Extent page = WordsExtent(WriteHandbook(), 3);
        EXPECT_GE(page.words.left(), 15 * POINTS_PER_MM - 0.5);
        EXPECT_GE(page.words.top(), 15 * POINTS_PER_MM - 0.5);
        EXPECT_LE(page.words.right(), page.page.width() - 15 * POINTS_PER_MM + 0.5);
        EXPECT_LE(page.words.bottom(), page.page.height() - 15 * POINTS_PER_MM + 0.5);
    }
    QPrinter& printer = SharedPrinter();
    const QPageLayout before = printer.pageLayout();
    const QMarginsF setUp(30, 25, 20, 35);  // left, top, right, bottom
    ASSERT_TRUE(printer.setPageMargins(setUp, QPageLayout::Millimeter));
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {File(QStringLiteral("ward.zvk"))}));
    const QString pdf = File(QStringLiteral("set-up.pdf"));
    app.Ui().saveNames = {pdf};
    app->MainFrame()->Action(ID_HANDBOOK_PDF).trigger();
    printer.setPageLayout(before);
    for (const int number : {3, 4}) {
        SCOPED_TRACE(number);
        const Extent page = WordsExtent(pdf, number);
        // The text reaches the margins: the names at the left and the top,
        // the long lines at the right, the page number at the foot.
        EXPECT_NEAR(page.words.left(), setUp.left() * POINTS_PER_MM, 1.0);
        EXPECT_NEAR(page.words.top(), setUp.top() * POINTS_PER_MM, 3.0);
        EXPECT_LE(page.words.right(), page.page.width() - setUp.right() * POINTS_PER_MM + 0.5);
        EXPECT_LE(page.words.bottom(), page.page.height() - setUp.bottom() * POINTS_PER_MM + 0.5);
        EXPECT_GE(page.words.bottom(), page.page.height() - setUp.bottom() * POINTS_PER_MM - 8);
    }
}

TEST_F(HandbookTest, TheHandbookOfResultsSaysWhatWasSearched) {
    WriteWard(1);
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {File(QStringLiteral("ward.zvk"))}));
    auto* ward = dynamic_cast<CZorvikDrugDoc*>(app.Documents().at(0));
    ASSERT_NE(ward, nullptr);
    // Sorted by trade name, the list puts 头孢氨苄 before 呋塞米; the handbook
    // keeps to pinyin.
    ASSERT_TRUE(ward->RunQuery(Gbk("口服"), SEARCH_USAGE | SEARCH_TRADE_NAME, SORT_BY_TRADE_NAME));
    app->MainFrame()->Action(ID_HANDBOOK_RESULTS_ONLY).setChecked(true);
    const QString pdf = File(QStringLiteral("results.pdf"));
    app.Ui().saveNames = {pdf};
    app->MainFrame()->Action(ID_HANDBOOK_PDF).trigger();
    const QString title = PdfText(pdf, 1, 1);
    EXPECT_TRUE(title.contains(QStringLiteral("查询“口服”的结果"))) << title.toStdString();
    EXPECT_TRUE(title.contains(QStringLiteral("查找范围: 品名、用法"))) << title.toStdString();
    EXPECT_TRUE(title.contains(QStringLiteral("按拼音排序")));
    EXPECT_EQ(EntryOrder(PdfText(pdf)), PINYIN_ORDER);

    // Ordered by English name, the list's handbook is too; only the results go in.
    app->MainFrame()->Action(ID_SORT_BY_ENGLISH_NAME).trigger();
    ASSERT_TRUE(ward->RunQuery("Z", SEARCH_TRADE_NAME | SEARCH_ENGLISH_NAME, SORT_BY_ENGLISH_NAME));
    app->MainFrame()->Action(ID_HANDBOOK_RESULTS_ONLY).setChecked(true);
    app.Ui().saveNames = {pdf};
    app->MainFrame()->Action(ID_HANDBOOK_PDF).trigger();
    EXPECT_EQ(EntryOrder(PdfText(pdf)), (QStringList{"泮托拉唑", "Zantac"}));
    EXPECT_TRUE(PdfText(pdf, 1, 1).contains(QStringLiteral("按英文名排序")));
}

// The program as a script runs it: no display, no platform chosen; in
// Chinese unless told otherwise.
class HandbookProcess : public HandbookTest {
protected:
    ChildOutcome Quorbex(const std::vector<std::string>& args,
                         const std::string& language = "C.UTF-8") const {
        return RunProgram(QUORBEX_PROGRAM, args,
                          {.environment = {"LANG=" + language},
                           .unset = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE",
                                     "LC_ALL", "LC_MESSAGES"}});
    }
};

TEST_F(HandbookProcess, WritesTheHandbookWithoutADisplay) {
    WriteWard(1);
    const std::string pdf = File(QStringLiteral("ward.pdf")).toStdString();
    const ChildOutcome written = Quorbex({"--handbook", File("ward.zvk").toStdString(), pdf});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(EntryOrder(PdfText(QString::fromStdString(pdf))), PINYIN_ORDER);
}

TEST_F(HandbookProcess, AnOutputItCannotWriteIsOneLineAndStatusTwo) {
    WriteWard(1);
    WriteFileBytes(File(QStringLiteral("notes.txt")), {'x'});
    const std::string unwritable = File(QStringLiteral("notes.txt/ward.pdf")).toStdString();
    const ChildOutcome outcome =
        Quorbex({"--handbook", File("ward.zvk").toStdString(), unwritable});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "quorbex: 无法写入文件“" + unwritable + "”,没有打印。\n");

    const ChildOutcome sort =
        Quorbex({"--handbook", File("ward.zvk").toStdString(), "x.pdf", "--sort", "dose"});
    EXPECT_EQ(sort.status, 2);
    EXPECT_EQ(sort.err, "quorbex: --sort 只能是 pinyin、trade 或 english, 不能是“dose”\n");
    EXPECT_FALSE(QFile::exists(File(QStringLiteral("x.pdf"))));
}

TEST_F(HandbookProcess, HelpAndVersionNeedNoDisplay) {
    const ChildOutcome version = Quorbex({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quorbex " QUORBEX_VERSION "\n");
    EXPECT_EQ(version.err, "");
    for (const char* help : {"--help", "-h"}) {
        const ChildOutcome outcome = Quorbex({help});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_TRUE(outcome.out.starts_with("用法:\n")) << outcome.out;
        EXPECT_NE(outcome.out.find("quorbex --handbook"), std::string::npos) << outcome.out;
        EXPECT_EQ(outcome.err, "");
    }
    const ChildOutcome english = Quorbex({"--help"}, "en_US.UTF-8");
    EXPECT_TRUE(english.out.starts_with("Usage:\n")) << english.out;
    EXPECT_NE(english.out.find("--sort pinyin|trade|english"), std::string::npos);
}

}  // namespace
}  // namespace quorbex::testing
