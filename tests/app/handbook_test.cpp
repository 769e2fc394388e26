// The printed handbook: of the sample dictionary from the command line,
// with every trade name, a contents list whose page numbers lead to the
// drugs, and a number on every page; and from the program's menu, as a PDF
// offered beside the dictionary and titled after it.
#include <QProcess>

#include "app/drug_app.h"
#include "frames/main_frame.h"
#include "platform/device_file.h"
#include "resources/resource_ids.h"
#include "store/gbk_codec.h"
#include "store/record_store.h"
#include "tests/startup/startup_fixture.h"

namespace quorbex::testing {
namespace {

// The tests' search path is the start-up fixture's own: poppler's tools are
// looked for where the system keeps them.
QString Tool(const QString& name) {
    return QStandardPaths::findExecutable(
        name,
        {QStringLiteral("/usr/local/bin"), QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
}

// The text of the PDF's pages first to last (pdftotext), or of all of them.
QString PdfText(const QString& pdf, int first = 0, int last = 0) {
    QStringList arguments;
    if (first > 0) {
        arguments << QStringLiteral("-f") << QString::number(first) << QStringLiteral("-l")
                  << QString::number(last);
    }
    QProcess pdftotext;
    pdftotext.start(Tool(QStringLiteral("pdftotext")), arguments << pdf << QStringLiteral("-"));
    EXPECT_TRUE(pdftotext.waitForFinished()) << "pdftotext is missing";
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

QString PdfInfo(const QString& pdf) {
    QProcess pdfinfo;
    pdfinfo.start(Tool(QStringLiteral("pdfinfo")), {pdf});
    EXPECT_TRUE(pdfinfo.waitForFinished());
    return QString::fromUtf8(pdfinfo.readAllStandardOutput());
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

using HandbookTest = StartupTest;

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
    EXPECT_TRUE(text.contains(QStringLiteral("目录")));
    const QString contents = PdfText(pdf, 2, 2);
    for (const QString& name : names) {
        // The contents give the page, and the page holds the drug under its name.
        const QRegularExpression entry(QStringLiteral("\n%1\n\n(\\d+)\n").arg(name));
        const QRegularExpressionMatch match = entry.match(contents);
        ASSERT_TRUE(match.hasMatch()) << name.toStdString();
        const int page = match.captured(1).toInt();
        EXPECT_TRUE(PdfText(pdf, page, page).contains(QStringLiteral("\n[品名]%1").arg(name)))
            << name.toStdString() << " on page " << page;
    }
    const int pages = PdfInfo(pdf)
                          .section(QStringLiteral("Pages:"), 1)
                          .trimmed()
                          .section(QLatin1Char('\n'), 0, 0)
                          .toInt();
    ASSERT_GT(pages, 3);
    for (int page = 1; page <= pages; ++page) {
        EXPECT_TRUE(PdfText(pdf, page, page).contains(QStringLiteral("第%1页").arg(page)) ||
                    PdfText(pdf, page, page).contains(QStringLiteral("第 %1 页").arg(page)))
            << page;
    }
}

TEST_F(HandbookTest, AMissingDictionaryEndsWithAnError) {
    TestApp app;
    EXPECT_FALSE(
        StartWithoutDialog(app, {"--handbook", File(QStringLiteral("missing.zvk")), "out.pdf"}));
    EXPECT_EQ(app->ExitInstance(), 1);
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
}

}  // namespace
}  // namespace quorbex::testing
