// Recovery after a crash: a program killed with unsaved changes leaves them
// in a recovery file, and the next start offers to restore each one it
// finds; discarded files go, damaged ones are refused, and the files of a
// program still running are left alone.
#include <signal.h>
#include <unistd.h>

#include <QLockFile>
#include <QProcess>

#include "dialogs/recovery_dialog.h"
#include "document/zorvik_drug_doc.h"
#include "frames/main_frame.h"
#include "frames/main_status_bar.h"
#include "platform/device_file.h"
#include "platform/document_recovery.h"
#include "platform/memory_image.h"
#include "platform/recovery_file.h"
#include "tests/startup/startup_fixture.h"
#include "tests/support/file_size_limit.h"

namespace quorbex::testing {
namespace {

using platform::RecoveryData;

class RecoveryTest : public StartupTest {
protected:
    static QDir Folder() { return QDir(platform::RecoveryFolder()); }
    static QStringList RecoveryFiles() {
        return Folder().entryList({QStringLiteral("*.recovery")}, QDir::Files);
    }
    static int RecordCount(const QByteArray& image) {
        RecordStore store;
        platform::ByteArrayFile file(image);
        return store.LoadFromFile(file) ? static_cast<int>(store.GetCount()) : -1;
    }
    // A recovery file as a program that is gone left it.
    QString WriteRecovery(const QString& name, const QByteArray& bytes) {
        EXPECT_TRUE(QDir().mkpath(Folder().path()));
        const QString path = Folder().filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    RecoveryData ThreeDrugsOf(const QString& path) {
        RecordStore store;
        AppendAll(store, {Names(Gbk("阿莫西林"), "Amoxicillin"), Names(Gbk("布洛芬"), "Ibuprofen"),
                          Names(Gbk("青霉素"), "Penicillin")});
        quorbex::MemoryFile image;
        EXPECT_TRUE(store.SaveToFile(&image));
        return {path, QFileInfo(path).fileName(), platform::FileContentHash(path),
                platform::ByteArrayOf(image)};
    }
};

TEST_F(RecoveryTest, AKilledProgramsChangeIsOfferedAndRestoredAtTheNextStart) {
    const QString path = WriteDictionary(QStringLiteral("drugs.zvk"));
    const std::vector<std::uint8_t> before = ReadFileBytes(path);

    QProcess child;
    child.start(QStringLiteral(QUORBEX_RECOVERY_CHILD), {path});
    ASSERT_TRUE(child.waitForStarted());
    // A guard against a hang, not a measure of speed.
    while (!child.canReadLine() && child.state() == QProcess::Running) {
        child.waitForReadyRead(60000);
    }
    ASSERT_EQ(child.readLine().trimmed(), QByteArray("kept"))
        << child.readAllStandardError().toStdString();
    ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    EXPECT_EQ(ReadFileBytes(path), before) << "nothing was saved";
    const QStringList left = RecoveryFiles();
    ASSERT_EQ(left.size(), 1);
    QFile kept(Folder().filePath(left[0]));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const std::optional<RecoveryData> data = platform::DecodeRecovery(kept.readAll());
    kept.close();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->originalPath, QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(RecordCount(data->image), 3);

    TestApp app;
    app.Ui().answers = {QMessageBox::Yes};
    ASSERT_TRUE(app->InitInstance({path}, TEST_SCREEN));
    ASSERT_EQ(app.Ui().messages.size(), 1u);
    EXPECT_TRUE(app.Ui().messages[0].text.contains(QFileInfo(path).absoluteFilePath()))
        << app.Ui().messages[0].text.toStdString();
    EXPECT_EQ(app.Ui().messages[0].icon, QMessageBox::Question);
    EXPECT_EQ(app.Ui().messages[0].buttons,
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    ASSERT_EQ(app.Documents().size(), 1u)
        << "the file named on the command line is the restored one";
    auto* document = dynamic_cast<CZorvikDrugDoc*>(app.Documents()[0]);
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(document->GetPathName(), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(document->GetRecordCount(), 3);
    EXPECT_EQ(document->GetResultCount(), 3);
    // The restored changes are kept again, in a file of the running program.
    const QStringList now = RecoveryFiles();
    ASSERT_EQ(now.size(), 1);
    EXPECT_NE(now[0], left[0]);
    EXPECT_TRUE(platform::IsRecoveryFileInUse(Folder().filePath(now[0])));
    app->ExitInstance();
}

TEST_F(RecoveryTest, EachAnswerAndEachRefusedFileLeavesWhatItShould) {
    const QString path = WriteDictionary(QStringLiteral("drugs.zvk"));
    QByteArray damaged = platform::EncodeRecovery(ThreeDrugsOf(path));
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 1);
    RecoveryData notADictionary = ThreeDrugsOf(path);
    notADictionary.image = QByteArray(700, 'x');
    struct Case {
        const char* name;
        QByteArray bytes;
        std::deque<QMessageBox::StandardButton> answers;
        int questions;
        bool restored;
        bool fileKept;
    };
    const Case cases[] = {
        {"discarded",
         platform::EncodeRecovery(ThreeDrugsOf(path)),
         {QMessageBox::No},
         1,
         false,
         false},
        {"put off",
         platform::EncodeRecovery(ThreeDrugsOf(path)),
         {QMessageBox::Cancel},
         1,
         false,
         true},
        {"damaged, deleted", damaged, {QMessageBox::Yes}, 1, false, false},
        {"damaged, kept", damaged, {QMessageBox::No}, 1, false, true},
        // Called damaged before anything is offered.
        {"not a dictionary",
         platform::EncodeRecovery(notADictionary),
         {QMessageBox::Yes},
         1,
         false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Folder().removeRecursively();
        const QString file = WriteRecovery(QStringLiteral("gone.recovery"), c.bytes);
        TestApp app;
        app.Ui().answers = c.answers;
        ASSERT_TRUE(app->InitInstance({path}, TEST_SCREEN));
        EXPECT_EQ(static_cast<int>(app.Ui().messages.size()), c.questions);
        EXPECT_TRUE(app.Ui().answers.empty());
        ASSERT_EQ(app.Documents().size(), 1u);
        EXPECT_FALSE(app.Documents()[0]->IsModified())
            << "only the file from the command line is open";
        EXPECT_EQ(QFile::exists(file), c.fileKept);
        if (c.questions == 1 && c.answers.front() == QMessageBox::Yes) {
            EXPECT_TRUE(app.Ui().messages[0].text.contains(QStringLiteral("已损坏")))
                << app.Ui().messages[0].text.toStdString();
        }
        app->ExitInstance();
    }
}

// Many files are one dialog that lists them all, damaged ones marked, with
// one answer for all or a question for each.
TEST_F(RecoveryTest, ManyFilesAreOneListWithOneAnswerForAllOrOneByOne) {
    constexpr int SOUND = 5;
    RecoveryData notADictionary = ThreeDrugsOf(File(QStringLiteral("broken.zvk")));
    notADictionary.image = QByteArray(700, 'x');
    using Choice = RecoveryDialog::Choice;
    struct Case {
        const char* name;
        Choice choice;
        std::size_t restored;
        int filesLeft;
    };
    const Case cases[] = {
        {"restore all", Choice::RestoreAll, SOUND, 1},  // the damaged one stays
        {"discard all", Choice::DiscardAll, 0, 0},
        {"ask later", Choice::AskLater, 0, SOUND + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Folder().removeRecursively();
        const QString opened = WriteDictionary(QStringLiteral("open.zvk"));
        QStringList originals;
        for (int i = 0; i < SOUND; ++i) {
            originals.append(WriteDictionary(QStringLiteral("ward%1.zvk").arg(i)));
            WriteRecovery(QStringLiteral("%1.recovery").arg(i),
                          platform::EncodeRecovery(ThreeDrugsOf(originals.last())));
        }
        WriteRecovery(QStringLiteral("broken.recovery"), platform::EncodeRecovery(notADictionary));
        TestApp app;
        QStringList listed;
        bool started = false;
        const bool shown = WhileModal(
            [&](QWidget& modal) {
                auto* dialog = dynamic_cast<RecoveryDialog*>(&modal);
                ASSERT_NE(dialog, nullptr) << modal.metaObject()->className();
                listed = ListEntries(*dialog->List());
                dialog->Button(c.choice)->click();
            },
            [&] { started = app->InitInstance({opened}, TEST_SCREEN); });
        EXPECT_TRUE(started);
        ASSERT_TRUE(shown);
        EXPECT_TRUE(app.Ui().messages.empty()) << "no question besides the list";
        ASSERT_EQ(listed.size(), SOUND + 1);
        EXPECT_EQ(listed.filter(QStringLiteral("已损坏")).size(), 1);
        EXPECT_EQ(listed.filter(QStringLiteral("broken.recovery")).size(), 1);
        ASSERT_EQ(app.Documents().size(), c.restored + 1) << "and the one on the command line";
        for (platform::Document* document : app.Documents()) {
            EXPECT_EQ(document->IsModified(), document->GetPathName() != opened);
            EXPECT_TRUE(document->GetPathName() == opened ||
                        originals.contains(document->GetPathName()));
        }
        EXPECT_FALSE(app->RecentFiles().Paths().contains(File(QStringLiteral("broken.zvk"))));
        // The restored documents keep files of their own, in use.
        const QStringList left = RecoveryFiles();
        int notInUse = 0;
        for (const QString& name : left) {
            notInUse += platform::IsRecoveryFileInUse(Folder().filePath(name)) ? 0 : 1;
        }
        EXPECT_EQ(notInUse, c.filesLeft);
        app->ExitInstance();
    }
}

// One by one, each file is asked about in turn.
TEST_F(RecoveryTest, ManyFilesOneByOneAskOfEachInTurn) {
    Folder().removeRecursively();
    const QString first = WriteDictionary(QStringLiteral("first.zvk"));
    const QString second = WriteDictionary(QStringLiteral("second.zvk"));
    WriteRecovery(QStringLiteral("1.recovery"), platform::EncodeRecovery(ThreeDrugsOf(first)));
    WriteRecovery(QStringLiteral("2.recovery"), platform::EncodeRecovery(ThreeDrugsOf(second)));
    TestApp app;
    app.Ui().answers = {QMessageBox::Yes, QMessageBox::No};
    WhileModal(
        [&](QWidget& modal) {
            auto* dialog = dynamic_cast<RecoveryDialog*>(&modal);
            ASSERT_NE(dialog, nullptr) << modal.metaObject()->className();
            dialog->Button(RecoveryDialog::Choice::OneByOne)->click();
        },
        [&] { app->InitInstance({WriteDictionary(QStringLiteral("open.zvk"))}, TEST_SCREEN); });
    EXPECT_EQ(app.Ui().messages.size(), 2u);
    ASSERT_EQ(app.Documents().size(), 2u) << "one restored, and the one on the command line";
    EXPECT_NE(app.Documents()[0]->IsModified(), app.Documents()[1]->IsModified());
    const QStringList left = RecoveryFiles();
    ASSERT_EQ(left.size(), 1) << "the restored one's own file only";
    EXPECT_TRUE(platform::IsRecoveryFileInUse(Folder().filePath(left[0])));
    app->ExitInstance();
}

// A recovery file that cannot be written is told once, naming the folder
// and the cause, in a message and the status bar, and tried again.
class RecoveryWriteTest : public RecoveryTest {
protected:
    // Starts with ward.zvk open and changed; answers its recovery.
    platform::DocumentRecovery* StartChanged(TestApp& app) {
        const QString path = WriteDictionary(QStringLiteral("ward.zvk"));
        EXPECT_TRUE(app->InitInstance({path}, TEST_SCREEN));
        EXPECT_EQ(app.Documents().size(), 1u);
        auto* document = dynamic_cast<CZorvikDrugDoc*>(app.Documents().at(0));
        EXPECT_TRUE(document->AppendDrug(Names(Gbk("青霉素"), "Penicillin")));
        return document->findChild<platform::DocumentRecovery*>();
    }
    static QString Warning(TestApp& app) { return app->MainFrame()->StatusBar()->Warning(); }

    void ExpectToldOnce(TestApp& app, platform::DocumentRecovery& recovery, const QString& folder,
                        const QString& cause) {
        EXPECT_FALSE(recovery.WriteNow());
        EXPECT_FALSE(recovery.WriteNow());
        ASSERT_EQ(app.Ui().messages.size(), 1u);
        const QString& text = app.Ui().messages[0].text;
        EXPECT_TRUE(text.contains(QStringLiteral("“%1”").arg(folder))) << text.toStdString();
        EXPECT_TRUE(text.contains(cause)) << text.toStdString();
        EXPECT_EQ(app.Ui().messages[0].icon, QMessageBox::Warning);
        EXPECT_TRUE(Warning(app).contains(cause)) << Warning(app).toStdString();
    }
};

TEST_F(RecoveryWriteTest, AFolderThatCannotBeMadeIsTold) {
    // Not even the system's administrator can make a folder here.
    qputenv("XDG_STATE_HOME", "/sys");
    TestApp app;
    platform::DocumentRecovery* recovery = StartChanged(app);
    ASSERT_NE(recovery, nullptr);
    ExpectToldOnce(app, *recovery, QStringLiteral("/sys/quorbex"),
                   platform::DescribeSystemError(::geteuid() == 0 ? EPERM : EACCES));
    app->ExitInstance();
}

TEST_F(RecoveryWriteTest, AFolderReplacedByALinkIsToldAndNothingIsWrittenThere) {
    const QString elsewhere = Path(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Folder().path()).path()));
    ASSERT_TRUE(QFile::link(elsewhere, Folder().path()));
    TestApp app;
    platform::DocumentRecovery* recovery = StartChanged(app);
    ASSERT_NE(recovery, nullptr);
    ExpectToldOnce(app, *recovery, Folder().path(), QStringLiteral("符号链接"));
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
    app->ExitInstance();
}

TEST_F(RecoveryWriteTest, AnotherUsersFolderIsTold) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the administrator can give a folder to another user";
    }
    ASSERT_TRUE(QDir().mkpath(Folder().path()));
    ASSERT_EQ(::chown(QFile::encodeName(Folder().path()).constData(), 65534, 65534), 0);
    TestApp app;
    platform::DocumentRecovery* recovery = StartChanged(app);
    ASSERT_NE(recovery, nullptr);
    ExpectToldOnce(app, *recovery, Folder().path(), QStringLiteral("其他用户"));
    app->ExitInstance();
}

// A full disk, as a file size limit makes it; once there is room again the
// file is written and the warning goes.
TEST_F(RecoveryWriteTest, AFailedWriteIsToldAndTheNextWriteThatWorksClearsIt) {
    TestApp app;
    platform::DocumentRecovery* recovery = StartChanged(app);
    ASSERT_NE(recovery, nullptr);
    EXPECT_TRUE(recovery->WriteNow());
    {
        FileSizeLimit full(64);
        ASSERT_TRUE(full.Active());
        ExpectToldOnce(app, *recovery, Folder().path(), platform::DescribeSystemError(EFBIG));
    }
    EXPECT_TRUE(recovery->WriteNow());
    EXPECT_EQ(Warning(app), QString());
    EXPECT_EQ(app.Ui().messages.size(), 1u);
    app->ExitInstance();
}

TEST_F(RecoveryTest, TheFilesOfARunningProgramAreNotOffered) {
    const QString path = WriteDictionary(QStringLiteral("drugs.zvk"));
    const QString file = WriteRecovery(QStringLiteral("running.recovery"),
                                       platform::EncodeRecovery(ThreeDrugsOf(path)));
    QLockFile held(file + QStringLiteral(".lock"));
    ASSERT_TRUE(held.tryLock(0));
    TestApp app;
    ASSERT_TRUE(app->InitInstance({path}, TEST_SCREEN));
    EXPECT_TRUE(app.Ui().messages.empty());
    EXPECT_TRUE(QFile::exists(file));
    app->ExitInstance();
}

TEST_F(RecoveryTest, PrintingFromTheDesktopOffersNothing) {
    const QString path = WriteDictionary(QStringLiteral("drugs.zvk"));
    const QString file = WriteRecovery(QStringLiteral("gone.recovery"),
                                       platform::EncodeRecovery(ThreeDrugsOf(path)));
    TestApp app;
    EXPECT_FALSE(app->InitInstance({QStringLiteral("/pt"), path, File(QStringLiteral("out.pdf"))},
                                   TEST_SCREEN));
    EXPECT_TRUE(app.Ui().messages.empty());
    EXPECT_TRUE(QFile::exists(File(QStringLiteral("out.pdf"))));
    EXPECT_TRUE(QFile::exists(file));
    app->ExitInstance();
}

}  // namespace
}  // namespace quorbex::testing
