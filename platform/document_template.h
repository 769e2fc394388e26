// The document template: creates a document with its window and views for
// a new or an opened file, keeps the open documents, and closes them.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/document_recovery.h"

namespace quorbex::platform {

class Document;
class DocumentWindow;
struct RecoveryData;
class RecentFileList;
class UserInterface;

// The strings of a document type.
struct DocumentStrings {
    QString windowTitle;
    QString docName;
    QString fileNewName;
    QString filterName;
    QString filterExt;
    QString regFileTypeId;
    QString regFileTypeName;
    // What the user is told of a file whose contents the documents refuse.
    QString refusedText;
    QString refusedCaption;
};

class DocumentTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    // Creates the window that shows the document; nothing when the window
    // cannot be made.
    using WindowFactory = std::function<std::unique_ptr<DocumentWindow>(Document&)>;

    DocumentTemplate(DocumentStrings strings, UserInterface& ui, DocumentFactory createDocument,
                     WindowFactory createWindow, RecentFileList* recentFiles);
    ~DocumentTemplate();

    DocumentTemplate(const DocumentTemplate&) = delete;
    DocumentTemplate& operator=(const DocumentTemplate&) = delete;

    // Opens path, or makes a new untitled document when path is empty. A file
    // that is already open has its window activated instead. Nothing when the
    // document could not be made; nothing of it is then left.
    Document* OpenDocumentFile(const QString& path);

    // Makes a document of the data of a recovery file, modified, with the
    // file path it belongs to (a new document's title when path is empty).
    // Nothing when the data are refused; nothing of the document is then left.
    Document* RecoverDocument(const RecoveryData& data);
    // Whether a document takes image, the data of a recovery file; no window is made.
    bool LoadsImage(const QByteArray& image) const;
    // Every document made from now on keeps a recovery file in folder, and
    // tells report how each write went.
    void SetRecoveryFolder(const QString& folder, RecoveryReport report = {}) {
        m_recoveryFolder = folder;
        m_recoveryReport = std::move(report);
    }

    // Asks to save a modified document, then destroys it and its window;
    // false if the user cancelled.
    bool CloseDocument(Document& document);
    // Asks to save each modified document in turn; false as soon as one cancels.
    bool SaveAllModified();
    void CloseAllDocuments();

    std::vector<Document*> GetDocuments() const;
    DocumentWindow* WindowOf(const Document& document) const;

    const DocumentStrings& Strings() const { return m_strings; }
    // The filter for the file dialogs. The pattern is repeated in a last
    // pair of parentheses, where the dialog takes its patterns from.
    QString FileDialogFilter() const;
    // path with the document type's extension added when it lacks it.
    QString WithExtension(const QString& path) const;

    void AddToRecentFileList(const QString& path);

    // Whether a save keeps the file it replaces as a backup (off by default).
    void SetKeepBackup(bool keep) { m_keepBackup = keep; }
    bool KeepsBackup() const { return m_keepBackup; }

private:
    struct OpenDocument {
        std::unique_ptr<Document> document;
        std::unique_ptr<DocumentWindow> window;
    };

    // A document with its window, or nothing (reported) when the window
    // cannot be made.
    Document* Create();
    // Shows the window of a document that is ready, or destroys both.
    Document* Finish(Document* document, bool ready);
    void Destroy(std::vector<OpenDocument>::iterator entry);

    DocumentStrings m_strings;
    UserInterface& m_ui;
    DocumentFactory m_createDocument;
    WindowFactory m_createWindow;
    RecentFileList* m_recentFiles;
    std::vector<OpenDocument> m_documents;
    int m_untitledCount = 0;
    bool m_keepBackup = false;
    QString m_recoveryFolder;
    RecoveryReport m_recoveryReport;
};

}  // namespace quorbex::platform
