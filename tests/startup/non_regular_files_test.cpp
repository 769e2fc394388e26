// A pipe named where the program expects a dictionary or a CSV file is
// refused at once, naming what it is, on every way the program opens a
// file: the command line, a file handed to the running instance, File →
// Open, the recent-file list, the import and the handbook for a script. The
// pipe's watchdog lets a blocked open go on, so that a fault fails the test
// instead of hanging it.
#include <QFileDialog>
#include <QLineEdit>

#include "app/handbook_commands.h"
#include "dialogs/import_dialog.h"
#include "frames/main_frame.h"
#include "platform/framework_ids.h"
#include "resources/resource_ids.h"
#include "tests/startup/startup_fixture.h"
#include "tests/support/unwritten_pipe.h"

namespace quorbex::testing {
namespace {

const QString PIPE_TEXT = QStringLiteral("这是一个管道");

class NonRegularFiles : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        pipe = std::make_unique<UnwrittenPipe>(File(QStringLiteral("pipe.zvk")));
        ASSERT_TRUE(pipe->Created());
    }
    void TearDown() override {
        EXPECT_FALSE(pipe->Blocked()) << "opening the pipe blocked";
        pipe.reset();
        StartupTest::TearDown();
    }

    static void ExpectOnePipeMessage(const TestApp& app) {
        ASSERT_EQ(app.Ui().messages.size(), 1u);
        EXPECT_TRUE(app.Ui().messages[0].text.contains(PIPE_TEXT))
            << app.Ui().messages[0].text.toStdString();
        EXPECT_TRUE(app.Ui().messages[0].text.contains(QStringLiteral("pipe.zvk")));
        EXPECT_TRUE(app.Documents().empty());
    }

    QString PipePath() const { return File(QStringLiteral("pipe.zvk")); }

    std::unique_ptr<UnwrittenPipe> pipe;
};

TEST_F(NonRegularFiles, TheCommandLineRefusesAPipeAndEndsWithAFailure) {
    TestApp app;
    EXPECT_FALSE(StartWithoutDialog(app, {PipePath()}));
    ExpectOnePipeMessage(app);
    EXPECT_EQ(app->ExitInstance(), 1);
}

TEST_F(NonRegularFiles, TheRunningInstanceRefusesAHandedOverPipe) {
    TestApp first;
    ASSERT_TRUE(StartWithoutDialog(first, {}));
    {
        TestApp second;
        EXPECT_FALSE(StartWithoutDialog(second, {PipePath()}));
        EXPECT_TRUE(second.Ui().messages.empty());
        second->ExitInstance();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !first.Ui().messages.empty(); }, 10000));
    ExpectOnePipeMessage(first);
    first->ExitInstance();
}

TEST_F(NonRegularFiles, FileOpenRefusesAPipe) {
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {}));
    bool chosen = false;
    WhileModal(
        [&](QWidget& shown) {
            auto* dialog = qobject_cast<QFileDialog*>(&shown);
            ASSERT_NE(dialog, nullptr) << shown.metaObject()->className();
            dialog->selectFile(PipePath());
            // The dialog's own accept, as its Open button calls it.
            static_cast<QDialog*>(dialog)->accept();
            chosen = true;
        },
        [&] { app->MainFrame()->Action(platform::ID_FILE_OPEN).trigger(); });
    ASSERT_TRUE(chosen);
    ExpectOnePipeMessage(app);
    app->ExitInstance();
}

TEST_F(NonRegularFiles, ARecentFileThatIsNowAPipeIsRefusedAndLeavesTheList) {
    WriteRecentValues({{1, PipePath()}});
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {}));
    ASSERT_EQ(app->RecentFiles().Paths(), QStringList{PipePath()});
    app->OnOpenRecentFile(0);
    ExpectOnePipeMessage(app);
    EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
    app->ExitInstance();
}

TEST_F(NonRegularFiles, TheImportRefusesAPipe) {
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {}));
    WhileModal(
        [&](QWidget& shown) {
            auto* dialog = dynamic_cast<ImportDialog*>(&shown);
            ASSERT_NE(dialog, nullptr) << shown.metaObject()->className();
            dialog->PathBox()->setText(PipePath());
            dialog->accept();
        },
        [&] { app->MainFrame()->Action(ID_FILE_IMPORT).trigger(); });
    ExpectOnePipeMessage(app);
    app->ExitInstance();
}

TEST_F(NonRegularFiles, TheHandbookForAScriptRefusesAPipe) {
    QString error;
    EXPECT_FALSE(
        WriteHandbookPdf(PipePath(), File(QStringLiteral("out.pdf")), SORT_BY_PINYIN, error));
    EXPECT_TRUE(error.contains(PIPE_TEXT)) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(File(QStringLiteral("out.pdf"))));
}

}  // namespace
}  // namespace quorbex::testing
