// What a save does besides writing the file: it keeps the file it replaces
// as a backup, it asks before it overwrites contents that another program
// wrote since the document opened or saved the file, and in a shared folder
// it keeps the file's permissions and group and follows no link planted
// beside it.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "platform/backup_file.h"
#include "platform/document.h"
#include "platform/document_template.h"
#include "platform/document_window.h"
#include "tests/platform/text_document.h"
#include "tests/support/child_process.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_files.h"
#include "tests/support/unwritten_pipe.h"

namespace quorbex::platform {
namespace {

using testing::BytesOf;
using testing::FakeUserInterface;
using testing::FileSizeLimit;
using testing::ReadFileBytes;
using testing::TextDocument;

class SaveSafety : public ::testing::Test {
protected:
    SaveSafety() {
        docTemplate.SetKeepBackup(true);
        document.SetDocTemplate(&docTemplate);
    }

    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    void Write(const QString& name, const std::string& text) {
        testing::WriteFileBytes(Path(name), BytesOf(text));
    }
    QStringList Entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    bool Save(const std::string& text, const QString& name = QStringLiteral("a.zvk")) {
        document.text = text;
        document.SetModifiedFlag(true);
        return document.DoSave(Path(name));
    }

    QTemporaryDir dir;
    FakeUserInterface ui;
    DocumentTemplate docTemplate{DocumentStrings{}, ui, [] { return std::unique_ptr<Document>(); },
                                 [](Document&) { return std::unique_ptr<DocumentWindow>(); },
                                 nullptr};
    TextDocument document{ui};
};

TEST_F(SaveSafety, EachSaveKeepsTheFileItReplacedAsTheOneBackup) {
    ASSERT_TRUE(Save("first"));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("a.zvk")}) << "nothing was replaced";
    ASSERT_TRUE(Save("second"));
    ASSERT_TRUE(Save("third"));
    EXPECT_EQ(ReadFileBytes(Path("a.zvk")), BytesOf("third"));
    EXPECT_EQ(ReadFileBytes(Path("a.zvk.bak")), BytesOf("second"));
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("a.zvk"), QStringLiteral("a.zvk.bak")}));
    EXPECT_TRUE(ui.messages.empty());

    docTemplate.SetKeepBackup(false);
    ASSERT_TRUE(Save("fourth"));
    EXPECT_EQ(ReadFileBytes(Path("a.zvk.bak")), BytesOf("second")) << "the setting is off";
}

// However the save fails, the file and its backup are each as they were.
TEST_F(SaveSafety, AFailedSaveLeavesTheFileAndItsBackupAsTheyWere) {
    struct Case {
        const char* name;
        std::string newText;
        std::string oldText;
        bool backupIsFolder;
        bool reportsBackup;
    };
    const std::string large(200000, 'o');
    const Case cases[] = {
        {"disk full while writing the new file", std::string(200000, 'n'), "old", false, false},
        {"disk full while writing the backup", "new", large, false, true},
        {"backup cannot be written", "new", "old", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        Write("a.zvk", c.oldText);
        if (c.backupIsFolder) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("a.zvk.bak")));
        } else {
            Write("a.zvk.bak", "older");
        }
        ui.messages.clear();
        bool saved = true;
        {
            const FileSizeLimit limit(50 * 1024);
            ASSERT_TRUE(limit.Active());
            saved = Save(c.newText);
        }
        EXPECT_FALSE(saved);
        EXPECT_TRUE(document.IsModified());
        EXPECT_EQ(ReadFileBytes(Path("a.zvk")), BytesOf(c.oldText));
        if (!c.backupIsFolder) {
            EXPECT_EQ(ReadFileBytes(Path("a.zvk.bak")), BytesOf("older"));
        }
        EXPECT_EQ(Entries(), (QStringList{QStringLiteral("a.zvk"), QStringLiteral("a.zvk.bak")}))
            << "a temporary file was left";
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("原有文件未被改动")));
        EXPECT_EQ(ui.messages[0].text.contains(QStringLiteral("无法保留备份文件“a.zvk.bak”")),
                  c.reportsBackup)
            << ui.messages[0].text.toStdString();
    }
}

class ChangedOnDisk : public SaveSafety {
protected:
    void SetUp() override {
        docTemplate.SetKeepBackup(false);
        Write("a.zvk", "as opened");
        ASSERT_TRUE(document.OnOpenDocument(Path("a.zvk")));
        document.SetPathName(Path("a.zvk"));
        document.text = "ours";
        document.SetModifiedFlag(true);
    }
};

TEST_F(ChangedOnDisk, ASaveOverContentsWrittenElsewhereAsksFirst) {
    struct Case {
        const char* name;
        const char* outside;
        QMessageBox::StandardButton answer;
        bool saved;
        std::string fileAfter;
        bool savedElsewhere;
    };
    const Case cases[] = {
        {"overwrite", "theirs", QMessageBox::Yes, true, "ours", false},
        {"save elsewhere", "theirs", QMessageBox::No, true, "theirs", true},
        // Rewritten to the same length: only the bytes tell.
        {"cancel", "as Opened", QMessageBox::Cancel, false, "as Opened", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Write("a.zvk", c.outside);
        ui.messages.clear();
        ui.messageAnswers = {c.answer};
        if (c.savedElsewhere) {
            ui.saveNames = {Path("b.zvk")};
        }
        EXPECT_EQ(document.DoFileSave(), c.saved);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text,
                  QStringLiteral("文件“a.zvk”在打开或上次保存之后已被其他程序改动。\n\n"
                                 "是: 覆盖这些改动, 保存\n否: 另存为其他文件\n取消: 不保存"));
        EXPECT_EQ(ui.messages[0].icon, QMessageBox::Warning);
        EXPECT_EQ(ui.messages[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(ReadFileBytes(Path("a.zvk")), BytesOf(c.fileAfter));
        EXPECT_EQ(document.IsModified(), !c.saved);
        EXPECT_EQ(QFile::exists(Path("b.zvk")), c.savedElsewhere);
        if (c.savedElsewhere) {
            EXPECT_EQ(ReadFileBytes(Path("b.zvk")), BytesOf("ours"));
            EXPECT_EQ(document.GetPathName(), Path("b.zvk"));
        }
        QFile::remove(Path("b.zvk"));
    }
}

TEST_F(ChangedOnDisk, OwnSavesAndUntouchedContentsAskNothing) {
    // Written again with the same bytes: only its time changed.
    Write("a.zvk", "as opened");
    EXPECT_TRUE(document.DoFileSave());
    document.text = "ours again";
    document.SetModifiedFlag(true);
    EXPECT_TRUE(document.DoFileSave());
    EXPECT_EQ(ReadFileBytes(Path("a.zvk")), BytesOf("ours again"));
    // A file that is gone loses nothing: the save writes it anew.
    ASSERT_TRUE(QFile::remove(Path("a.zvk")));
    document.SetModifiedFlag(true);
    EXPECT_TRUE(document.DoFileSave());
    EXPECT_TRUE(ui.messages.empty());
}

// The file replaced by a pipe that nobody writes to: looking for outside
// changes must not block on it, and the save refuses to replace it.
TEST_F(ChangedOnDisk, AFileReplacedByAPipeDoesNotBlockTheSave) {
    ASSERT_TRUE(QFile::remove(Path("a.zvk")));
    testing::UnwrittenPipe pipe(Path("a.zvk"));
    ASSERT_TRUE(pipe.Created());
    EXPECT_FALSE(document.DoFileSave());
    EXPECT_FALSE(pipe.Blocked()) << "the save blocked on the pipe";
    EXPECT_TRUE(document.IsModified());
}

struct stat StatusOf(const QString& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &status), 0) << path.toStdString();
    return status;
}

unsigned PermissionsOf(const QString& path) {
    return StatusOf(path).st_mode & 0777;
}

// A group other than the user's own that the user may give a file: one the
// user belongs to, or for root any group.
std::optional<gid_t> AnotherGroup() {
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    groups.resize(static_cast<std::size_t>(
        std::max(::getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
    for (const gid_t group : groups) {
        if (group != ::getegid()) {
            return group;
        }
    }
    if (::geteuid() == 0) {
        ::setgrent();
        std::optional<gid_t> found;
        while (const struct group* entry = ::getgrent()) {
            if (entry->gr_gid != ::getegid()) {
                found = entry->gr_gid;
                break;
            }
        }
        ::endgrent();
        return found;
    }
    return std::nullopt;
}

using SharedFolder = SaveSafety;

// Another user of the folder links the backup's name to a file of the user's;
// the save must replace the link, not write the old dictionary into that file.
TEST_F(SharedFolder, ABackupThatIsALinkOrNoFileIsReplacedNotFollowed) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("home")));
    const QString victim = Path("home/.bashrc");
    const struct {
        const char* name;
        std::function<void()> plant;
    } cases[] = {
        {"a link to a file", [&] { ASSERT_TRUE(QFile::link(victim, Path("a.zvk.bak"))); }},
        {"a link to no file",
         [&] { ASSERT_TRUE(QFile::link(Path("home/new"), Path("a.zvk.bak"))); }},
        {"a FIFO",
         [&] { ASSERT_EQ(::mkfifo(QFile::encodeName(Path("a.zvk.bak")).constData(), 0666), 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write("home/.bashrc", "the user's own");
        Write("a.zvk", "old");
        ASSERT_TRUE(document.OnOpenDocument(Path("a.zvk")));
        QFile::remove(Path("a.zvk.bak"));
        c.plant();
        ASSERT_TRUE(Save("new"));
        EXPECT_EQ(ReadFileBytes(victim), BytesOf("the user's own"));
        EXPECT_FALSE(QFile::exists(Path("home/new")));
        EXPECT_TRUE(S_ISREG(StatusOf(Path("a.zvk.bak")).st_mode));
        EXPECT_EQ(ReadFileBytes(Path("a.zvk.bak")), BytesOf("old"));
        EXPECT_EQ(ReadFileBytes(Path("a.zvk")), BytesOf("new"));
        EXPECT_EQ(Entries(), (QStringList{QStringLiteral("a.zvk"), QStringLiteral("a.zvk.bak"),
                                          QStringLiteral("home")}));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SharedFolder, TheFileAndItsBackupKeepTheFilesPermissions) {
    const mode_t mask = ::umask(022);
    for (const unsigned permissions : {0600u, 0640u, 0660u, 0604u}) {
        SCOPED_TRACE(permissions);
        QFile::remove(Path("a.zvk.bak"));
        Write("a.zvk", "old");
        ASSERT_TRUE(document.OnOpenDocument(Path("a.zvk")));
        ASSERT_EQ(::chmod(QFile::encodeName(Path("a.zvk")).constData(), permissions), 0);
        ASSERT_TRUE(Save("new")) << "the first backup";
        EXPECT_EQ(PermissionsOf(Path("a.zvk")), permissions);
        EXPECT_EQ(PermissionsOf(Path("a.zvk.bak")), permissions);
        ASSERT_TRUE(Save("newer")) << "a backup replaced";
        EXPECT_EQ(PermissionsOf(Path("a.zvk")), permissions);
        EXPECT_EQ(PermissionsOf(Path("a.zvk.bak")), permissions);
    }
    ::umask(mask);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SharedFolder, TheFileAndItsBackupKeepTheFilesGroup) {
    const std::optional<gid_t> group = AnotherGroup();
    if (!group) {
        GTEST_SKIP() << "the user belongs to no group besides the primary one";
    }
    Write("a.zvk", "old");
    const QByteArray path = QFile::encodeName(Path("a.zvk"));
    ASSERT_EQ(::chown(path.constData(), -1, *group), 0);
    ASSERT_EQ(::chmod(path.constData(), 0640), 0);
    ASSERT_TRUE(Save("new"));
    ASSERT_TRUE(Save("newer"));
    for (const QString& name : {QStringLiteral("a.zvk"), QStringLiteral("a.zvk.bak")}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(StatusOf(Path(name)).st_gid, *group);
        EXPECT_EQ(PermissionsOf(Path(name)), 0640u);
    }
    EXPECT_TRUE(ui.messages.empty());
}

// A user outside the file's group saves it: the save goes through, the new
// files give that group nothing, and the user is told.
TEST_F(SharedFolder, AGroupThatCannotBeKeptIsToldAndGivesNothingToTheUsersOwn) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root, to save as another user outside the file's group";
    }
    // nobody and nogroup on Debian; the file is root's, of group root.
    constexpr uid_t NOBODY = 65534;
    constexpr gid_t NOGROUP = 65534;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    Write("a.zvk", "old");
    ASSERT_EQ(::chown(QFile::encodeName(Path("a.zvk")).constData(), 0, 0), 0);
    // Others may write it, so nobody may save it.
    ASSERT_EQ(::chmod(QFile::encodeName(Path("a.zvk")).constData(), 0666), 0);
    const testing::ChildOutcome outcome = testing::RunInChild([&] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(NOGROUP) != 0 || ::setuid(NOBODY) != 0) {
            ADD_FAILURE() << "cannot become nobody";
            return 1;
        }
        EXPECT_TRUE(Save("new"));
        EXPECT_EQ(ReadFileBytes(Path("a.zvk")), BytesOf("new"));
        EXPECT_EQ(ReadFileBytes(Path("a.zvk.bak")), BytesOf("old"));
        for (const QString& name : {QStringLiteral("a.zvk"), QStringLiteral("a.zvk.bak")}) {
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(StatusOf(Path(name)).st_gid, NOGROUP);
            EXPECT_EQ(PermissionsOf(Path(name)), 0606u);
        }
        EXPECT_EQ(ui.messages.size(), 1u);
        if (!ui.messages.empty()) {
            EXPECT_EQ(ui.messages[0].text,
                      QStringLiteral("文件“a.zvk”已保存, 但无法保留它原来的用户组“root”: "
                                     "该组的成员可能不能再打开它。"));
            EXPECT_EQ(ui.messages[0].icon, QMessageBox::Information);
            EXPECT_EQ(ui.messages[0].buttons, QMessageBox::Ok);
        }
        return ::testing::Test::HasFailure() ? 1 : 0;
    });
    EXPECT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.status, 0);
}

TEST_F(SharedFolder, ALinkedDictionaryIsSavedAtItsTargetWithTheBackupBesideIt) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ward")));
    Write("ward/team.zvk", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(Path("ward/team.zvk")).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(Path("ward/team.zvk"), Path("a.zvk")));
    ASSERT_TRUE(Save("new"));
    EXPECT_TRUE(QFileInfo(Path("a.zvk")).isSymLink());
    EXPECT_EQ(ReadFileBytes(Path("ward/team.zvk")), BytesOf("new"));
    EXPECT_EQ(ReadFileBytes(Path("ward/team.zvk.bak")), BytesOf("old"));
    EXPECT_EQ(PermissionsOf(Path("ward/team.zvk")), 0640u);
    EXPECT_EQ(PermissionsOf(Path("ward/team.zvk.bak")), 0640u);
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("a.zvk"), QStringLiteral("ward")}));
    EXPECT_EQ(QDir(Path("ward")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("team.zvk"), QStringLiteral("team.zvk.bak")}));
}

}  // namespace
}  // namespace quorbex::platform
