#include "platform/document_template.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "platform/recent_file_list.h"
#include "resources/document_strings.h"
#include "tests/platform/text_document.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/fake_window.h"
#include "tests/support/test_files.h"

namespace quorbex::platform {
namespace {

using testing::BytesOf;
using testing::FakeUserInterface;
using testing::FakeWindow;
using testing::FakeWindowFactory;
using testing::ReadFileBytes;
using testing::TextDocument;
using testing::WindowOf;

class DocumentTemplateTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    void Write(const QString& name, const std::string& text) {
        testing::WriteFileBytes(Path(name), BytesOf(text));
    }
    TextDocument* Open(const QString& path) {
        return static_cast<TextDocument*>(docTemplate.OpenDocumentFile(path));
    }
    TextDocument* New() { return Open(QString()); }
    std::vector<Document*> Documents() const { return docTemplate.GetDocuments(); }

    QTemporaryDir dir;
    FakeUserInterface ui;
    RecentFileList recentFiles{4};
    FakeWindowFactory frames;
    DocumentTemplate docTemplate{DrugDocumentStrings(), ui,
                                 [this] { return std::make_unique<TextDocument>(ui); },
                                 frames.Factory(), &recentFiles};
};

TEST_F(DocumentTemplateTest, TheDictionaryTypeStringsGiveTheNamesAndTheDialogFilter) {
    const DocumentStrings& strings = docTemplate.Strings();
    EXPECT_EQ(strings.windowTitle, QString());
    EXPECT_EQ(strings.docName, QStringLiteral("我的药物字典_"));
    EXPECT_EQ(strings.fileNewName, QStringLiteral("新药物字典"));
    EXPECT_EQ(strings.filterName, QStringLiteral("药物字典文件 (*.*.zvk)"));
    EXPECT_EQ(strings.filterExt, QStringLiteral(".zvk"));
    EXPECT_EQ(strings.regFileTypeId, QStringLiteral("Zorvik.DrugFile"));
    EXPECT_EQ(strings.regFileTypeName, QStringLiteral("药物字典"));
    EXPECT_EQ(docTemplate.FileDialogFilter(), QStringLiteral("药物字典文件 (*.*.zvk) (*.zvk)"));
}

TEST_F(DocumentTemplateTest, NewDocumentsAreNumberedFromOneAndNumbersAreNotReused) {
    TextDocument* first = New();
    TextDocument* second = New();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetTitle(), QStringLiteral("我的药物字典_1"));
    EXPECT_EQ(second->GetTitle(), QStringLiteral("我的药物字典_2"));
    EXPECT_TRUE(first->GetPathName().isEmpty());
    EXPECT_FALSE(first->IsModified());
    EXPECT_EQ(first->loads, 0);

    // Each window is made once and brought to the front.
    EXPECT_EQ(frames.created, 2);
    EXPECT_EQ(WindowOf(docTemplate, *first).activations, 1);

    ASSERT_TRUE(docTemplate.CloseDocument(*first));
    TextDocument* third = New();
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->GetTitle(), QStringLiteral("我的药物字典_3"));
    EXPECT_EQ(Documents().size(), 2u);
    EXPECT_TRUE(recentFiles.Paths().isEmpty());
}

TEST_F(DocumentTemplateTest, AnOpenedFileIsLoadedTitledAndRemembered) {
    Write("a.zvk", "content");
    TextDocument* document = Open(Path("a.zvk"));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->text, "content");
    EXPECT_EQ(document->GetPathName(), Path("a.zvk"));
    EXPECT_EQ(document->GetTitle(), QStringLiteral("a.zvk"));
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(recentFiles.Paths(), QStringList{Path("a.zvk")});
    EXPECT_EQ(WindowOf(docTemplate, *document).activations, 1);
}

TEST_F(DocumentTemplateTest, OpeningAnOpenFileAgainActivatesItsWindow) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    Write("a.zvk", "content");
    ASSERT_TRUE(QFile::link(Path("a.zvk"), Path("link.zvk")));
    TextDocument* document = Open(Path("a.zvk"));
    ASSERT_NE(document, nullptr);
    document->text = "edited";  // an open document is not loaded again

    const QString spellings[] = {Path("a.zvk"), Path("link.zvk"), Path("sub/../a.zvk"),
                                 Path("./a.zvk")};
    int activations = 1;
    for (const QString& path : spellings) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(Open(path), document);
        EXPECT_EQ(WindowOf(docTemplate, *document).activations, ++activations);
    }
    EXPECT_EQ(Documents().size(), 1u);
    EXPECT_EQ(frames.created, 1);
    EXPECT_EQ(document->loads, 1);
    EXPECT_EQ(document->text, "edited");
}

TEST_F(DocumentTemplateTest, AFileThatFailsToOpenLeavesNoDocumentAndIsNotRemembered) {
    Write("bad.zvk", "not a document");
    for (const QString& name : {QStringLiteral("missing.zvk"), QStringLiteral("bad.zvk")}) {
        SCOPED_TRACE(name.toStdString());
        ui.messages.clear();
        EXPECT_EQ(Open(Path(name)), nullptr);
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(Documents().empty());
        EXPECT_EQ(frames.destroyed, frames.created);
    }
    EXPECT_TRUE(recentFiles.Paths().isEmpty());
}

TEST_F(DocumentTemplateTest, SavingAnUntitledDocumentAsksForANameAndAddsTheExtension) {
    struct Case {
        QString typed;
        QString saved;
    };
    const Case cases[] = {
        {QStringLiteral("mine"), QStringLiteral("mine.zvk")},
        {QStringLiteral("ready.zvk"), QStringLiteral("ready.zvk")},
        {QStringLiteral("my.notes"), QStringLiteral("my.notes.zvk")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        TextDocument* document = New();
        ASSERT_NE(document, nullptr);
        const QString untitled = document->GetTitle();
        document->text = "data";
        document->SetModifiedFlag(true);
        QSignalSpy titles(document, &Document::titleChanged);
        ui.saveDialogs.clear();
        ui.saveNames.push_back(Path(c.typed));

        document->OnFileSave();
        ASSERT_EQ(ui.saveDialogs.size(), 1u);
        EXPECT_EQ(ui.saveDialogs[0].first, untitled + QStringLiteral(".zvk"));
        EXPECT_EQ(ui.saveDialogs[0].second, QStringLiteral("药物字典文件 (*.*.zvk) (*.zvk)"));
        EXPECT_EQ(ReadFileBytes(Path(c.saved)), BytesOf("data"));
        EXPECT_EQ(document->GetPathName(), Path(c.saved));
        EXPECT_EQ(document->GetTitle(), c.saved);
        EXPECT_FALSE(document->IsModified());
        ASSERT_EQ(titles.size(), 1);
        EXPECT_EQ(titles[0][0].toString(), c.saved);
        EXPECT_EQ(recentFiles.Paths().value(0), Path(c.saved));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), std::size(cases));
}

TEST_F(DocumentTemplateTest, CancellingTheSaveDialogSavesNothing) {
    TextDocument* document = New();
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(true);
    ui.saveNames.push_back(std::nullopt);
    EXPECT_FALSE(document->DoFileSave());
    EXPECT_EQ(document->stores, 0);
    EXPECT_TRUE(document->IsModified());
    EXPECT_TRUE(document->GetPathName().isEmpty());
    EXPECT_EQ(document->GetTitle(), QStringLiteral("我的药物字典_1"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(recentFiles.Paths().isEmpty());
}

TEST_F(DocumentTemplateTest, SaveAsWritesANewFileAndLeavesTheOldOne) {
    Write("a.zvk", "old");
    TextDocument* document = Open(Path("a.zvk"));
    ASSERT_NE(document, nullptr);
    document->text = "new";
    document->SetModifiedFlag(true);
    ui.saveNames.push_back(Path("b"));
    document->OnFileSaveAs();
    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.saveDialogs[0].first, Path("a.zvk"));
    EXPECT_EQ(ReadFileBytes(Path("a.zvk")), BytesOf("old"));
    EXPECT_EQ(ReadFileBytes(Path("b.zvk")), BytesOf("new"));
    EXPECT_EQ(document->GetPathName(), Path("b.zvk"));
    EXPECT_EQ(recentFiles.Paths(), (QStringList{Path("b.zvk"), Path("a.zvk")}));
    // Saving again goes to the new file without asking.
    document->text = "newer";
    document->OnFileSave();
    EXPECT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ReadFileBytes(Path("b.zvk")), BytesOf("newer"));
}

TEST_F(DocumentTemplateTest, ClosingAModifiedDocumentAsksWhetherToSave) {
    struct Case {
        QMessageBox::StandardButton answer;
        bool closed;
        const char* fileAfter;
    };
    const Case cases[] = {
        {QMessageBox::Yes, true, "new"},
        {QMessageBox::No, true, "old"},
        {QMessageBox::Cancel, false, "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        Write("a.zvk", "old");
        TextDocument* document = Open(Path("a.zvk"));
        ASSERT_NE(document, nullptr);
        document->text = "new";
        document->SetModifiedFlag(true);
        ui.messages.clear();
        ui.messageAnswers.push_back(c.answer);
        const int destroyed = frames.destroyed;

        document->OnFileClose();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, QStringLiteral("是否保存对“a.zvk”的修改?"));
        EXPECT_TRUE(ui.messages[0].caption.isEmpty());
        EXPECT_EQ(ui.messages[0].icon, QMessageBox::Warning);
        EXPECT_EQ(ui.messages[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(ReadFileBytes(Path("a.zvk")), BytesOf(c.fileAfter));
        EXPECT_EQ(Documents().size(), c.closed ? 0u : 1u);
        EXPECT_EQ(frames.destroyed, destroyed + (c.closed ? 1 : 0));
        if (!c.closed) {
            EXPECT_EQ(Documents()[0], document);
            EXPECT_TRUE(document->IsModified());
            EXPECT_EQ(document->text, "new");
            docTemplate.CloseAllDocuments();
        }
    }
}

TEST_F(DocumentTemplateTest, AnUnmodifiedDocumentClosesWithoutAQuestion) {
    TextDocument* document = New();
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(docTemplate.CloseDocument(*document));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(Documents().empty());
}

TEST_F(DocumentTemplateTest, ADocumentStaysOpenWhenItsSaveBeforeClosingFails) {
    Write("a.zvk", "old");
    TextDocument* saveFails = Open(Path("a.zvk"));
    TextDocument* untitled = New();
    ASSERT_TRUE(saveFails && untitled);
    saveFails->SetModifiedFlag(true);
    saveFails->failAfterBytes = 1;
    untitled->SetModifiedFlag(true);

    ui.messageAnswers = {QMessageBox::Yes};  // then the write-error message
    EXPECT_FALSE(docTemplate.CloseDocument(*saveFails));
    ui.messageAnswers = {QMessageBox::Yes};
    ui.saveNames.push_back(std::nullopt);  // the name is not given
    EXPECT_FALSE(docTemplate.CloseDocument(*untitled));

    EXPECT_EQ(Documents().size(), 2u);
    EXPECT_TRUE(saveFails->IsModified());
    EXPECT_TRUE(untitled->IsModified());
    EXPECT_EQ(ReadFileBytes(Path("a.zvk")), BytesOf("old"));
}

TEST_F(DocumentTemplateTest, SaveAllModifiedAsksEachModifiedDocumentUntilOneCancels) {
    Write("a.zvk", "a");
    Write("b.zvk", "b");
    Write("c.zvk", "c");
    TextDocument* a = Open(Path("a.zvk"));
    TextDocument* b = Open(Path("b.zvk"));
    TextDocument* c = Open(Path("c.zvk"));
    ASSERT_TRUE(a && b && c);
    a->SetModifiedFlag(true);
    c->SetModifiedFlag(true);
    ui.messageAnswers = {QMessageBox::No, QMessageBox::Cancel};
    EXPECT_FALSE(docTemplate.SaveAllModified());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("a.zvk")));
    EXPECT_TRUE(ui.messages[1].text.contains(QStringLiteral("c.zvk")));
    EXPECT_EQ(Documents().size(), 3u);

    ui.messages.clear();
    c->text = "saved";
    ui.messageAnswers = {QMessageBox::No, QMessageBox::Yes};
    EXPECT_TRUE(docTemplate.SaveAllModified());
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ReadFileBytes(Path("c.zvk")), BytesOf("saved"));
}

}  // namespace
}  // namespace quorbex::platform
