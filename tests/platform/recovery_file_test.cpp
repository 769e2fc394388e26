// The recovery file's format, and the file a document keeps while it has
// unsaved changes.
#include "platform/recovery_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/document_recovery.h"
#include "tests/platform/text_document.h"
#include "tests/support/fake_user_interface.h"

namespace quorbex::platform {
namespace {

RecoveryData Sample() {
    return {QStringLiteral("/home/医生/药物.zvk"), QStringLiteral("药物.zvk"),
            QByteArray(32, '\x5A'), QByteArray("image\0bytes", 11)};
}

TEST(RecoveryFormat, WhatIsEncodedDecodesUnchanged) {
    RecoveryData untitled{QString(), QStringLiteral("我的药物字典_1"), std::nullopt, QByteArray()};
    for (const RecoveryData& data : {Sample(), untitled}) {
        EXPECT_EQ(DecodeRecovery(EncodeRecovery(data)), data);
    }
}

// A file cut off anywhere, or with any byte changed, is refused.
TEST(RecoveryFormat, EveryCutAndEveryChangedByteIsRefused) {
    const QByteArray whole = EncodeRecovery(Sample());
    for (qsizetype length = 0; length < whole.size(); ++length) {
        EXPECT_FALSE(DecodeRecovery(whole.first(length))) << "cut at " << length;
    }
    for (qsizetype i = 0; i < whole.size(); ++i) {
        QByteArray changed = whole;
        changed[i] = static_cast<char>(changed[i] ^ 0x01);
        EXPECT_FALSE(DecodeRecovery(changed)) << "byte " << i;
    }
    EXPECT_FALSE(DecodeRecovery(whole + QByteArray(1, '\0')));
}

class DocumentRecoveryTest : public ::testing::Test {
protected:
    QStringList Files() const {
        return QDir(folder.path()).entryList({QStringLiteral("*.recovery")}, QDir::Files);
    }
    std::optional<RecoveryData> Kept() const {
        QFile file(QDir(folder.path()).filePath(Files().value(0)));
        if (!file.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        return DecodeRecovery(file.readAll());
    }

    QTemporaryDir folder;
    testing::FakeUserInterface ui;
    std::unique_ptr<testing::TextDocument> document = std::make_unique<testing::TextDocument>(ui);
};

TEST_F(DocumentRecoveryTest, AChangeIsKeptAfterTheDelayAndGoesWithTheSavedState) {
    auto* recovery = new DocumentRecovery(*document, folder.path(), 0);
    document->SetTitle(QStringLiteral("doc"));
    document->text = "first";
    document->SetModifiedFlag(true);
    EXPECT_TRUE(Files().isEmpty()) << "written only once the delay is over";
    QTest::qWait(0);
    ASSERT_EQ(Files().size(), 1);
    EXPECT_TRUE(IsRecoveryFileInUse(recovery->FilePath()));
    ASSERT_TRUE(Kept());
    EXPECT_EQ(Kept()->image, QByteArray("first"));
    EXPECT_EQ(Kept()->title, QStringLiteral("doc"));

    // Each later change replaces it.
    document->text = "second";
    document->SetModifiedFlag(true);
    QTest::qWait(0);
    ASSERT_EQ(Files().size(), 1);
    EXPECT_EQ(Kept()->image, QByteArray("second"));

    document->SetModifiedFlag(false);
    EXPECT_TRUE(Files().isEmpty());
    EXPECT_FALSE(recovery->WriteNow()) << "nothing unsaved";
}

TEST_F(DocumentRecoveryTest, ClosingTheDocumentRemovesItsFileAndLock) {
    auto* recovery = new DocumentRecovery(*document, folder.path());
    document->text = "unsaved";
    document->SetModifiedFlag(true);
    ASSERT_TRUE(recovery->WriteNow());
    ASSERT_EQ(Files().size(), 1);
    document.reset();
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

}  // namespace
}  // namespace quorbex::platform
