// What a save does besides writing the file: it keeps the file it replaces
// as a backup, and it asks before it overwrites contents that another
// program wrote since the document opened or saved the file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "platform/backup_file.h"
#include "platform/document.h"
#include "platform/document_template.h"
#include "platform/document_window.h"
#include "tests/platform/text_document.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_files.h"

namespace quorbex::platform {
namespace {

using testing::FakeUserInterface;
using testing::FileSizeLimit;
using testing::ReadFileBytes;
using testing::TextDocument;

std::vector<std::uint8_t> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

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
        QMessageBox::StandardButton answer;
        bool saved;
        std::string fileAfter;
        bool savedElsewhere;
    };
    const Case cases[] = {
        {"overwrite", QMessageBox::Yes, true, "ours", false},
        {"save elsewhere", QMessageBox::No, true, "theirs", true},
        {"cancel", QMessageBox::Cancel, false, "theirs", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Write("a.zvk", "theirs");
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

}  // namespace
}  // namespace quorbex::platform
