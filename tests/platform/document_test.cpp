#include "platform/document.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "tests/platform/text_document.h"
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

class DocumentFiles : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    void Write(const QString& name, const std::string& text) {
        testing::WriteFileBytes(Path(name), BytesOf(text));
    }
    QStringList Entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    FakeUserInterface ui;
    TextDocument document{ui};
};

TEST_F(DocumentFiles, OpenLoadsThroughSerializeAndClearsTheModifiedFlag) {
    Write("a.zvk", "some text");
    document.SetModifiedFlag(true);
    EXPECT_TRUE(document.OnOpenDocument(Path("a.zvk")));
    EXPECT_EQ(document.text, "some text");
    EXPECT_EQ(document.loads, 1);
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DocumentFiles, AnEmptyFileOpensWithoutBeingSerialized) {
    Write("empty.zvk", "");
    document.text = "kept";
    document.SetModifiedFlag(true);
    EXPECT_TRUE(document.OnOpenDocument(Path("empty.zvk")));
    EXPECT_EQ(document.loads, 0);
    EXPECT_EQ(document.text, "kept");
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentFiles, AFileThatCannotBeOpenedOrLoadedIsReported) {
    Write("bad.zvk", document.refusedText);
    for (const QString& name : {QStringLiteral("missing.zvk"), QStringLiteral("bad.zvk")}) {
        SCOPED_TRACE(name.toStdString());
        ui.messages.clear();
        EXPECT_FALSE(document.OnOpenDocument(Path(name)));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(ui.messages[0].text.startsWith(QStringLiteral("无法打开文件“%1”").arg(name)))
            << ui.messages[0].text.toStdString();
        EXPECT_TRUE(ui.messages[0].caption.isEmpty());
        EXPECT_EQ(ui.messages[0].icon, QMessageBox::Warning);
    }
}

// A folder, a pipe and a device are refused at once, naming what they are: a
// pipe that nobody writes to must not block the open.
TEST_F(DocumentFiles, WhatIsNoRegularFileIsRefusedAtOnceNamingWhatItIs) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.zvk")));
    const testing::UnwrittenPipe pipe(Path("pipe.zvk"));
    ASSERT_TRUE(pipe.Created());
    struct Case {
        QString path;
        QString kind;
    };
    const Case cases[] = {
        {Path("folder.zvk"), QStringLiteral("这是一个文件夹")},
        {Path("pipe.zvk"), QStringLiteral("这是一个管道")},
        {QStringLiteral("/dev/zero"), QStringLiteral("这是一个设备")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        ui.messages.clear();
        EXPECT_FALSE(document.OnOpenDocument(c.path));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(ui.messages[0].text.contains(c.kind)) << ui.messages[0].text.toStdString();
        EXPECT_EQ(document.loads, 0);
    }
    EXPECT_FALSE(pipe.Blocked()) << "the open of the pipe blocked";
}

// A file far larger than memory (a sparse one takes no room on the disk) is
// refused with the reason, never a crash.
TEST_F(DocumentFiles, AFileTooLargeToHoldIsRefusedWithTheReason) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer aborts on an allocation this large instead of failing it";
#else
    QFile huge(Path("huge.zvk"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    if (!huge.resize(qint64{1} << 43)) {
        GTEST_SKIP() << "the test folder's file system holds no 8 TiB file";
    }
    huge.close();
    EXPECT_FALSE(document.OnOpenDocument(Path("huge.zvk")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("文件太大")))
        << ui.messages[0].text.toStdString();
    EXPECT_EQ(document.loads, 0);
#endif
}

// A save never replaces a device or a pipe with a file: it says what they are.
TEST_F(DocumentFiles, ASaveOverADeviceOrAPipeIsRefusedNamingWhatItIs) {
    const testing::UnwrittenPipe pipe(Path("pipe.zvk"));
    ASSERT_TRUE(pipe.Created());
    for (const auto& [path, kind] :
         {std::pair{QStringLiteral("/dev/zero"), QStringLiteral("这是一个设备")},
          std::pair{Path("pipe.zvk"), QStringLiteral("这是一个管道")}}) {
        SCOPED_TRACE(path.toStdString());
        ui.messages.clear();
        document.text = "new";
        EXPECT_FALSE(document.DoSave(path));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(ui.messages[0].text.contains(kind)) << ui.messages[0].text.toStdString();
    }
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/zero")).exists());
    EXPECT_FALSE(QFileInfo(Path("pipe.zvk")).isFile());
    EXPECT_FALSE(pipe.Blocked());
}

TEST_F(DocumentFiles, SaveReplacesTheFileAndClearsTheModifiedFlag) {
    Write("a.zvk", "a much longer old text");
    document.text = "new";
    document.SetModifiedFlag(true);
    EXPECT_TRUE(document.DoSave(Path("a.zvk")));
    EXPECT_EQ(ReadFileBytes(Path("a.zvk")), BytesOf("new"));
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.GetPathName(), Path("a.zvk"));
    EXPECT_EQ(document.GetTitle(), QStringLiteral("a.zvk"));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("a.zvk")});
    EXPECT_TRUE(ui.messages.empty());
}

// The two ways a write fails: the document's own serialization gives up
// part-way, or the disk refuses the bytes (a small image fails when it is
// committed, a large one while it is written).
TEST_F(DocumentFiles, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    struct Case {
        const char* name;
        int failAfterBytes;
        std::size_t textSize;
        bool diskFull;
    };
    const Case cases[] = {
        {"serialization fails", 5, 100, false},
        {"disk full on commit", -1, 100, true},
        {"disk full while writing", -1, 200000, true},
    };
    const std::string old = "the previous contents, which must survive";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write("a.zvk", old);
        ui.messages.clear();
        document.text = std::string(c.textSize, 'x');
        document.failAfterBytes = c.failAfterBytes;
        document.SetModifiedFlag(true);
        bool saved = false;
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (c.diskFull) {
                limit = std::make_unique<FileSizeLimit>(50);
                ASSERT_TRUE(limit->Active());
            }
            saved = document.DoSave(Path("a.zvk"));
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(ReadFileBytes(Path("a.zvk")), BytesOf(old));
        EXPECT_TRUE(document.IsModified());
        EXPECT_EQ(Entries(), QStringList{QStringLiteral("a.zvk")}) << "a temporary file was left";
        EXPECT_EQ(ui.messages.size(), 1u);
        if (ui.messages.empty()) {
            continue;
        }
        EXPECT_TRUE(ui.messages[0].text.startsWith(QStringLiteral("无法保存文件“a.zvk”")))
            << ui.messages[0].text.toStdString();
        EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("原有文件未被改动")));
        // The limit's cause, in plain words.
        EXPECT_EQ(ui.messages[0].text.contains(QStringLiteral("文件太大")), c.diskFull)
            << ui.messages[0].text.toStdString();
        EXPECT_TRUE(ui.messages[0].caption.isEmpty());
        EXPECT_EQ(ui.messages[0].icon, QMessageBox::Warning);
    }
}

TEST_F(DocumentFiles, SavingThroughASymbolicLinkReplacesTheFileItPointsTo) {
    Write("real.zvk", "old");
    ASSERT_TRUE(QFile::link(Path("real.zvk"), Path("link.zvk")));
    document.text = "new";
    EXPECT_TRUE(document.DoSave(Path("link.zvk")));
    EXPECT_TRUE(QFileInfo(Path("link.zvk")).isSymLink());
    EXPECT_EQ(ReadFileBytes(Path("real.zvk")), BytesOf("new"));
}

}  // namespace
}  // namespace quorbex::platform
