// The command line: what it asks for, opening a named file, refusing a
// damaged one, and printing a file and ending.
#include <QLabel>
#include <QMdiArea>
#include <QPrinterInfo>

#include "app/command_line_info.h"
#include "frames/main_frame.h"
#include "resources/resource_ids.h"
#include "tests/startup/startup_fixture.h"

namespace quorbex::testing {
namespace {

using Shell = CommandLineInfo::ShellCommand;

TEST(ParseCommandLine, TellsWhatTheArgumentsAskFor) {
    struct Case {
        QStringList arguments;
        Shell command;
        QString file;
        QString printer;
    };
    const Case cases[] = {
        {{}, Shell::FileNew, {}, {}},
        {{"drugs.zvk"}, Shell::FileOpen, "drugs.zvk", {}},
        {{"my drugs.zvk"}, Shell::FileOpen, "my drugs.zvk", {}},
        {{"/p", "drugs.zvk"}, Shell::FilePrint, "drugs.zvk", {}},
        {{"-P", "drugs.zvk"}, Shell::FilePrint, "drugs.zvk", {}},
        {{"/pt", "drugs.zvk", "Ward 3"}, Shell::FilePrintTo, "drugs.zvk", "Ward 3"},
        {{"/pt", "drugs.zvk", "out.pdf"}, Shell::FilePrintTo, "drugs.zvk", "out.pdf"},
        {{"-Embedding"}, Shell::FileNothing, {}, {}},
        {{"/Automation"}, Shell::FileNothing, {}, {}},
        // Printing without a file starts the program as usual.
        {{"/p"}, Shell::FileNew, {}, {}},
        {{"/pt"}, Shell::FileNew, {}, {}},
        {{"--handbook", "drugs.zvk", "drugs.pdf"}, Shell::FileHandbook, "drugs.zvk", "drugs.pdf"},
        {{"--handbook", "drugs.zvk"}, Shell::FileHandbook, "drugs.zvk", {}},
        {{"--handbook"}, Shell::FileNew, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CommandLineInfo info = ParseCommandLine(c.arguments);
        EXPECT_EQ(info.shellCommand, c.command);
        EXPECT_EQ(info.fileName, c.file);
        EXPECT_EQ(info.printerName, c.printer);
    }
}

// The desktop hands files over by their absolute paths, which start with the
// same "/" as a switch.
TEST(ParseCommandLine, TakesAnAbsolutePathForAFile) {
    const CommandLineInfo open = ParseCommandLine({"/home/nurse/drugs.zvk"});
    EXPECT_EQ(open.shellCommand, Shell::FileOpen);
    EXPECT_EQ(open.fileName, "/home/nurse/drugs.zvk");

    const CommandLineInfo print = ParseCommandLine({"/p", "/home/nurse/drugs.zvk"});
    EXPECT_EQ(print.shellCommand, Shell::FilePrint);
    EXPECT_EQ(print.fileName, "/home/nurse/drugs.zvk");

    const CommandLineInfo printTo =
        ParseCommandLine({"/pt", "/home/nurse/drugs.zvk", "/home/nurse/drugs.pdf"});
    EXPECT_EQ(printTo.shellCommand, Shell::FilePrintTo);
    EXPECT_EQ(printTo.fileName, "/home/nurse/drugs.zvk");
    EXPECT_EQ(printTo.printerName, "/home/nurse/drugs.pdf");
}

TEST(ParseCommandLine, TakesTheHandbooksOrderHelpAndVersion) {
    using Mistake = CommandLineInfo::Mistake;
    struct Case {
        QStringList arguments;
        int sortKey;
        Mistake mistake;
        QString file;
        QString pdf;
    };
    const Case cases[] = {
        {{"--handbook", "a.zvk", "a.pdf"}, SORT_BY_PINYIN, Mistake::None, "a.zvk", "a.pdf"},
        {{"--handbook", "a.zvk", "a.pdf", "--sort", "trade"},
         SORT_BY_TRADE_NAME,
         Mistake::None,
         "a.zvk",
         "a.pdf"},
        {{"--sort=english", "--handbook", "a.zvk"},
         SORT_BY_ENGLISH_NAME,
         Mistake::None,
         "a.zvk",
         {}},
        {{"--handbook", "a.zvk", "--sort", "pinyin", "a.pdf"},
         SORT_BY_PINYIN,
         Mistake::None,
         "a.zvk",
         "a.pdf"},
        // The value is taken, right or wrong, never as the file.
        {{"--handbook", "--sort", "dose", "a.zvk"},
         SORT_BY_PINYIN,
         Mistake::UnknownSort,
         "a.zvk",
         {}},
        {{"--handbook", "a.zvk", "--sort"}, SORT_BY_PINYIN, Mistake::SortWithoutValue, "a.zvk", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CommandLineInfo info = ParseCommandLine(c.arguments);
        EXPECT_EQ(info.shellCommand, Shell::FileHandbook);
        EXPECT_EQ(info.handbookSortKey, c.sortKey);
        EXPECT_EQ(info.mistake, c.mistake);
        EXPECT_EQ(info.fileName, c.file);
        EXPECT_EQ(info.printerName, c.pdf);
    }
    EXPECT_EQ(DescribeMistake(ParseCommandLine({"--sort=dose"})),
              QStringLiteral("--sort 只能是 pinyin、trade 或 english, 不能是“dose”"));
    EXPECT_TRUE(ParseCommandLine({"--help", "ward.zvk"}).help);
    EXPECT_TRUE(ParseCommandLine({"-h"}).help);
    EXPECT_TRUE(ParseCommandLine({"--version"}).version);
    EXPECT_FALSE(ParseCommandLine({"ward.zvk"}).help || ParseCommandLine({"ward.zvk"}).version);
}

using CommandLineStart = StartupTest;

TEST_F(CommandLineStart, ANamedDictionaryOpensWithoutTheStartupDialog) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {"ward.zvk"}));
    EXPECT_EQ(shownModal, QString()) << "no dialog is shown";
    EXPECT_TRUE(app.Ui().messages.empty());
    EXPECT_TRUE(app->MainFrame()->isVisible());
    ASSERT_EQ(app.Documents().size(), 1u);
    EXPECT_EQ(app.Documents()[0]->GetPathName(), File("ward.zvk"));
    EXPECT_EQ(app->RecentFiles().Paths(), QStringList{File("ward.zvk")});
    EXPECT_EQ(app->ExitInstance(), 0);
}

TEST_F(CommandLineStart, ANamedDictionaryOpensByItsAbsolutePath) {
    const QString path = WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {path}));
    EXPECT_EQ(shownModal, QString()) << "no dialog is shown";
    ASSERT_EQ(app.Documents().size(), 1u);
    EXPECT_EQ(app.Documents()[0]->GetPathName(), path);
}

// While the failure is reported the main window is up, as it is before any
// dictionary opens, and no dictionary window counts: the menus, the caption
// and the record counts are those of no dictionary. The program then ends
// with a failure.
TEST_F(CommandLineStart, ADamagedOrMissingFileIsReportedAndEndsTheProgram) {
    WriteDamaged(QStringLiteral("damaged.zvk"));
    {
        TestApp app;
        bool looked = false;
        app.Ui().whileMessageShown = [&app, &looked] {
            looked = true;
            CMainFrame* frame = app->MainFrame();
            EXPECT_TRUE(frame->isVisible());
            EXPECT_FALSE(frame->ShowsDictionaryMenus());
            EXPECT_EQ(frame->ActiveDrugFrame(), nullptr);
            EXPECT_EQ(frame->windowTitle(), QStringLiteral("Quorbex"));
            EXPECT_EQ(frame->StatusPane(ID_INDICATOR_RECORDS)->text(),
                      QStringLiteral("库文件记录:0条,当前浏览结果:0条"));
        };
        EXPECT_FALSE(StartWithoutDialog(app, {"damaged.zvk"}));
        EXPECT_TRUE(looked);
        EXPECT_EQ(shownModal, QString()) << "the startup dialog is not shown";
        ASSERT_EQ(app.Ui().messages.size(), 1u);
        ExpectMessage(app.Ui().messages[0], "此文件不是有效药物库文件,可能已被破坏",
                      "文件打开错误...", QMessageBox::Critical);
        EXPECT_TRUE(app.Documents().empty());
        EXPECT_EQ(app->ExitInstance(), 1);
    }
    {
        TestApp app;
        EXPECT_FALSE(StartWithoutDialog(app, {"missing.zvk"}));
        EXPECT_EQ(shownModal, QString()) << "the startup dialog is not shown";
        ASSERT_EQ(app.Ui().messages.size(), 1u);
        EXPECT_TRUE(app.Ui().messages[0].text.contains(QStringLiteral("missing.zvk")))
            << app.Ui().messages[0].text.toStdString();
        EXPECT_TRUE(app.Documents().empty());
        EXPECT_EQ(app->ExitInstance(), 1);
    }
    // Neither file enters the recent-file list.
    EXPECT_EQ(RecentValueNames(), QStringList());
}

// The dictionary windows are gone once their deferred deletions have run.
void ExpectNoDictionaryWindow(TestApp& app) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(app.Documents().empty());
    EXPECT_TRUE(app->MainFrame()->MdiArea()->subWindowList().isEmpty());
}

TEST_F(CommandLineStart, PrintingToAPdfFileWritesItAndEndsTheProgram) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp app;
    EXPECT_FALSE(StartWithoutDialog(app, {"/pt", "ward.zvk", "out.pdf"}));
    EXPECT_EQ(shownModal, QString()) << "no dialog is shown";
    EXPECT_TRUE(app.Ui().messages.empty());
    ExpectNoDictionaryWindow(app);
    EXPECT_EQ(app->ExitInstance(), 0);

    QFile pdf(File("out.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << "no PDF written";
    EXPECT_TRUE(pdf.read(4) == "%PDF");
}

TEST_F(CommandLineStart, PrintingWithoutADefaultPrinterSaysSoAndEndsWithAnError) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a default printer; the test would print on it";
    }
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp app;
    EXPECT_FALSE(StartWithoutDialog(app, {"/p", "ward.zvk"}));
    EXPECT_EQ(shownModal, QString()) << "no dialog is shown";
    ASSERT_EQ(app.Ui().messages.size(), 1u);
    EXPECT_EQ(app.Ui().messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(app.Ui().messages[0].text.contains(QStringLiteral("打印机")))
        << app.Ui().messages[0].text.toStdString();
    ExpectNoDictionaryWindow(app);
    EXPECT_NE(app->ExitInstance(), 0);
}

TEST_F(CommandLineStart, AnUnknownPrinterIsNamedInTheMessageAndEndsWithAnError) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp app;
    EXPECT_FALSE(StartWithoutDialog(app, {"/pt", "ward.zvk", "No Such Printer"}));
    ASSERT_EQ(app.Ui().messages.size(), 1u);
    EXPECT_EQ(app.Ui().messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(app.Ui().messages[0].text.contains(QStringLiteral("No Such Printer")))
        << app.Ui().messages[0].text.toStdString();
    ExpectNoDictionaryWindow(app);
    EXPECT_NE(app->ExitInstance(), 0);
}

// Printing that produced nothing must not end the program as if it had worked.
TEST_F(CommandLineStart, APdfFileThatCannotBeWrittenIsReportedAndEndsWithAnError) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp app;
    EXPECT_FALSE(StartWithoutDialog(app, {"/pt", "ward.zvk", "no-such-folder/out.pdf"}));
    EXPECT_FALSE(QFileInfo::exists(File("no-such-folder/out.pdf")));
    ASSERT_EQ(app.Ui().messages.size(), 1u) << "the failure is not reported";
    EXPECT_EQ(app.Ui().messages[0].icon, QMessageBox::Critical);
    ExpectNoDictionaryWindow(app);
    EXPECT_NE(app->ExitInstance(), 0);
}

TEST_F(CommandLineStart, EmbeddingAndAutomationShowTheStartupDialog) {
    for (const QString& argument : {QStringLiteral("-Embedding"), QStringLiteral("/Automation")}) {
        SCOPED_TRACE(argument.toStdString());
        TestApp app;
        EXPECT_TRUE(StartWithoutDialog(app, {argument}));
        EXPECT_EQ(shownModal, QStringLiteral("StartupDialog"));
        EXPECT_EQ(app->ExitInstance(), 0);
    }
}

}  // namespace
}  // namespace quorbex::testing
