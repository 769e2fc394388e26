// Recovery after a crash: a program killed with unsaved changes leaves them
// in a recovery file, and the next start offers to restore each one it
// finds; discarded files go, damaged ones are refused, and the files of a
// program still running are left alone.
#include <signal.h>

#include <QLockFile>
#include <QProcess>

#include "document/zorvik_drug_doc.h"
#include "platform/document_recovery.h"
#include "platform/memory_image.h"
#include "platform/recovery_file.h"
#include "tests/startup/startup_fixture.h"

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
        quorbex::MemoryFile file = platform::MemoryFileOf(image);
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
        {"not a dictionary",
         platform::EncodeRecovery(notADictionary),
         {QMessageBox::Yes, QMessageBox::Yes},
         2,
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
        app->ExitInstance();
    }
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
