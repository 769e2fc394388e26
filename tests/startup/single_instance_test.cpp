// One running instance per user: a second start is refused with a message
// and changes nothing, a file given to a second start opens in the running
// instance, and what a crashed instance left behind does not block a start.
#include <stdio.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <cstring>

#include "frames/main_frame.h"
#include "platform/file_names.h"
#include "tests/startup/startup_fixture.h"

namespace quorbex::testing {
namespace {

const QString SECOND_INSTANCE_TEXT =
    QStringLiteral("你同时只能运行Quorbex的一个实例!!!\n\n请从任务栏上将之最大化!");

class SingleInstanceTest : public StartupTest {
protected:
    QString LockPath() const { return QDir(Runtime()).filePath(QStringLiteral("Quorbex.lock")); }
    QString SocketPath() const {
        return QDir(Runtime()).filePath(QStringLiteral("Quorbex.socket"));
    }

    // Starts a first instance with no file (its startup dialog cancelled).
    void StartFirst(TestApp& app) {
        ASSERT_TRUE(StartWithoutDialog(app, {}));
        ASSERT_TRUE(app.Documents().empty());
    }

    // Lets the running instance take in what was handed to it, until it
    // has count documents open (or gives up waiting).
    static void WaitForDocuments(TestApp& app, std::size_t count) {
        static_cast<void>(QTest::qWaitFor([&] { return app.Documents().size() >= count; }, 10000));
    }

    // Hands path from a second start to the first, which then has it open.
    void ExpectHandedOver(TestApp& first, const QString& argument, const QString& opened) {
        TestApp second;
        EXPECT_FALSE(StartWithoutDialog(second, {argument}));
        EXPECT_EQ(shownModal, QString());
        EXPECT_TRUE(second.Ui().messages.empty()) << "a handed-over file is not reported";
        second->ExitInstance();

        WaitForDocuments(first, 1);
        ASSERT_EQ(first.Documents().size(), 1u);
        EXPECT_EQ(first.Documents()[0]->GetPathName(), opened);
        EXPECT_EQ(first->RecentFiles().Paths().value(0), opened);
    }

    // A socket file that nobody listens on, as a killed instance leaves it.
    void LeaveDeadSocket() const {
        const QByteArray path = QFile::encodeName(SocketPath());
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof(address.sun_path));
        std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        const int bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
        ::close(fd);
        ASSERT_EQ(bound, 0);
        ASSERT_TRUE(QFileInfo::exists(SocketPath()));
    }

    // A lock file as this program writes it, naming a process that has ended.
    void LeaveDeadOwnerLock() const {
        QByteArray contents;
        {
            QLockFile lock(LockPath());
            ASSERT_TRUE(lock.tryLock(0));
            QFile file(LockPath());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            contents = file.readAll();
            lock.unlock();
        }
        QProcess ended;
        ended.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 0")});
        ASSERT_TRUE(ended.waitForStarted());
        const qint64 deadPid = ended.processId();
        ASSERT_TRUE(ended.waitForFinished());

        const qsizetype endOfPid = contents.indexOf('\n');
        ASSERT_GT(endOfPid, 0) << contents.toStdString();
        contents.replace(0, endOfPid, QByteArray::number(deadPid));
        QFile file(LockPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
};

TEST_F(SingleInstanceTest, ASecondStartIsRefusedWithTheMessageAndChangesNothing) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp first;
    ASSERT_TRUE(StartWithoutDialog(first, {"ward.zvk"}));
    ASSERT_EQ(first.Documents().size(), 1u);

    // The second start sees empty settings and data folders of its own, in
    // the same runtime folder: whatever it wrote would show there.
    const QString config = Path(QStringLiteral("second/config"));
    const QString data = Path(QStringLiteral("second/data"));
    UseFolders(config, data, Runtime());

    for (const QStringList& arguments : {QStringList{}, QStringList{"-Embedding"}}) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        TestApp second;
        EXPECT_FALSE(StartWithoutDialog(second, arguments));
        EXPECT_EQ(shownModal, QString()) << "no startup dialog";
        ASSERT_EQ(second.Ui().messages.size(), 1u);
        // No caption of its own: the message box shows the program's name.
        ExpectMessage(second.Ui().messages[0], SECOND_INSTANCE_TEXT, QString(),
                      QMessageBox::Critical);
        EXPECT_EQ(second->MainFrame(), nullptr) << "no window";
        second->ExitInstance();
    }

    const auto contents = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
    EXPECT_EQ(QDir(config).entryList(contents), QStringList()) << "settings written";
    EXPECT_EQ(QDir(data).entryList(contents), QStringList()) << "desktop files written";

    // The running instance keeps its window and its dictionary.
    EXPECT_TRUE(first->MainFrame()->isVisible());
    ASSERT_EQ(first.Documents().size(), 1u);
    EXPECT_EQ(first.Documents()[0]->GetPathName(), File("ward.zvk"));
}

TEST_F(SingleInstanceTest, TheRefusalIsAnErrorBoxCaptionedWithTheProgramName) {
    TestApp first;
    StartFirst(first);

    DrugApp second;  // the program's own message boxes
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool started = true;
    const bool shown = WhileModal(
        [&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(box, nullptr) << modal.metaObject()->className();
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
        },
        [&] { started = second.InitInstance({}, TEST_SCREEN); });
    EXPECT_FALSE(started);
    ASSERT_TRUE(shown);
    EXPECT_EQ(title, QStringLiteral("Quorbex"));
    EXPECT_EQ(text, SECOND_INSTANCE_TEXT);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, QMessageBox::Ok);
    second.ExitInstance();
}

TEST_F(SingleInstanceTest, AFileGivenToASecondStartOpensInTheRunningInstance) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp first;
    StartFirst(first);
    ExpectHandedOver(first, QStringLiteral("ward.zvk"), File("ward.zvk"));
}

// The running instance may have another current folder than the later start.
TEST_F(SingleInstanceTest, AHandedOverRelativePathIsTakenFromTheLaterStartsFolder) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp first;
    StartFirst(first);
    TestApp second;
    EXPECT_FALSE(StartWithoutDialog(second, {"ward.zvk"}));
    EXPECT_TRUE(second.Ui().messages.empty());
    ASSERT_TRUE(QDir::setCurrent(Runtime()));
    WaitForDocuments(first, 1);
    ASSERT_EQ(first.Documents().size(), 1u);
    EXPECT_EQ(first.Documents()[0]->GetPathName(), File("ward.zvk"));
}

TEST_F(SingleInstanceTest, AFileGivenByItsAbsolutePathOpensInTheRunningInstance) {
    const QString path = WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp first;
    StartFirst(first);
    ExpectHandedOver(first, path, path);
}

// File names may hold any character but "/" and the null character.
TEST_F(SingleInstanceTest, AHandedOverFileNameMayHoldTabsAndLineBreaks) {
    const QString name = QStringLiteral("ward\t3\nnight.zvk");
    const QString path = WriteDictionary(name);
    TestApp first;
    StartFirst(first);
    ExpectHandedOver(first, name, path);
    for (const RecordingAppUi::Message& message : first.Ui().messages) {
        ADD_FAILURE() << "reported: " << message.text.toStdString();
    }
}

// A name that is not UTF-8 reaches the running instance as its bytes.
TEST_F(SingleInstanceTest, AHandedOverNameThatIsNotUtf8OpensByItsBytes) {
    const QByteArray bytes = QFile::encodeName(Files()) + "/\xB0\xA1.zvk";
    ASSERT_EQ(::rename(QFile::encodeName(WriteDictionary(QStringLiteral("plain.zvk"))).constData(),
                       bytes.constData()),
              0);
    const QString path = platform::DecodeFileName(bytes);
    TestApp first;
    StartFirst(first);
    ExpectHandedOver(first, path, path);
    EXPECT_TRUE(first.Ui().messages.empty());
}

TEST_F(SingleInstanceTest, PrintingHandedToTheRunningInstanceWritesThePdf) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp first;
    StartFirst(first);
    TestApp second;
    EXPECT_FALSE(StartWithoutDialog(second, {"/pt", "ward.zvk", "handed.pdf"}));
    EXPECT_TRUE(second.Ui().messages.empty());
    second->ExitInstance();

    static_cast<void>(
        QTest::qWaitFor([this] { return QFileInfo(File("handed.pdf")).size() > 0; }, 10000));
    QFile pdf(File("handed.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << "no PDF written";
    EXPECT_TRUE(pdf.read(4) == "%PDF");
    EXPECT_TRUE(first.Documents().empty()) << "the printed dictionary is closed again";
    EXPECT_TRUE(first.Ui().messages.empty());
}

TEST_F(SingleInstanceTest, AnEndedInstanceLetsTheNextOneRun) {
    {
        TestApp first;
        StartFirst(first);
        EXPECT_EQ(first->ExitInstance(), 0);
    }
    TestApp next;
    EXPECT_TRUE(StartWithoutDialog(next, {}));
    EXPECT_EQ(shownModal, QStringLiteral("StartupDialog"));
    EXPECT_TRUE(next.Ui().messages.empty());
}

TEST_F(SingleInstanceTest, ALeftoverSocketDoesNotBlockAStart) {
    LeaveDeadSocket();
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp first;
    StartFirst(first);
    EXPECT_TRUE(first.Ui().messages.empty());
    // It listens in the leftover's place.
    ExpectHandedOver(first, QStringLiteral("ward.zvk"), File("ward.zvk"));
}

TEST_F(SingleInstanceTest, TheLeftoversOfACrashedInstanceDoNotBlockAStart) {
    LeaveDeadOwnerLock();
    LeaveDeadSocket();
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp first;
    StartFirst(first);
    EXPECT_TRUE(first.Ui().messages.empty());
    ExpectHandedOver(first, QStringLiteral("ward.zvk"), File("ward.zvk"));
}

// Without a runtime folder of the user's own (XDG_RUNTIME_DIR unset, and
// Qt's fallback in the temporary folder another user's or a link), a lock
// and a socket planted in the shared temporary folder count for nothing:
// the program runs on its own, opens the file itself, and hands the
// planted socket nothing.
TEST_F(SingleInstanceTest, WithoutAPrivateRuntimeFolderAPlantedLockAndSocketAreIgnored) {
    const QString shared = Path(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkpath(shared));
    const QByteArray savedTemp = qgetenv("TMPDIR");
    const bool tempWasSet = qEnvironmentVariableIsSet("TMPDIR");
    const auto restore = qScopeGuard([&] {
        if (tempWasSet) {
            qputenv("TMPDIR", savedTemp);
        } else {
            qunsetenv("TMPDIR");
        }
    });
    qputenv("TMPDIR", QFile::encodeName(shared));
    qunsetenv("XDG_RUNTIME_DIR");
    // Qt makes its fallback for this user; then it is taken over.
    const QString fallback = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    ASSERT_TRUE(fallback.startsWith(shared + QLatin1Char('/'))) << fallback.toStdString();
    const QString ours = Path(QStringLiteral("ours"));
    ASSERT_TRUE(QDir().mkpath(ours));
    std::vector<std::function<void()>> takeOvers = {[&] {
        // A link to a folder of the user's, which whoever made the link
        // may point elsewhere at any time.
        ASSERT_TRUE(QDir(fallback).removeRecursively());
        ASSERT_TRUE(QFile::link(ours, fallback));
    }};
    if (::geteuid() == 0) {
        takeOvers.emplace_back([&] {
            QFile::remove(fallback);
            ASSERT_TRUE(QDir().mkpath(fallback));
            ASSERT_EQ(::chown(QFile::encodeName(fallback).constData(), 65534, 65534), 0);
        });
    }
    const QString path = WriteDictionary(QStringLiteral("ward.zvk"));
    for (std::size_t i = 0; i < takeOvers.size(); ++i) {
        SCOPED_TRACE(i == 0 ? "a link" : "another user's folder");
        takeOvers[i]();
        QLockFile plantedLock(QDir(shared).filePath(QStringLiteral("Quorbex.lock")));
        ASSERT_TRUE(plantedLock.tryLock(0));
        QLocalServer plantedSocket;
        ASSERT_TRUE(plantedSocket.listen(QDir(shared).filePath(QStringLiteral("Quorbex.socket"))));

        TestApp app;
        EXPECT_TRUE(StartWithoutDialog(app, {path}));
        EXPECT_TRUE(app.Ui().messages.empty());
        ASSERT_EQ(app.Documents().size(), 1u);
        EXPECT_EQ(app.Documents()[0]->GetPathName(), path);
        EXPECT_FALSE(plantedSocket.waitForNewConnection(0)) << "the planted socket was reached";
        EXPECT_TRUE(QDir(ours).isEmpty());
        app->ExitInstance();
    }
}

}  // namespace
}  // namespace quorbex::testing
