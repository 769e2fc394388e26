#include "platform/document_template.h"

#include <QFileInfo>
#include <algorithm>

#include "platform/document.h"
#include "platform/document_recovery.h"
#include "platform/document_window.h"
#include "platform/framework_strings.h"
#include "platform/recent_file_list.h"
#include "platform/recovery_file.h"
#include "platform/user_interface.h"

namespace quorbex::platform {

DocumentTemplate::DocumentTemplate(DocumentStrings strings, UserInterface& ui,
                                   DocumentFactory createDocument, WindowFactory createWindow,
                                   RecentFileList* recentFiles)
    : m_strings(std::move(strings)),
      m_ui(ui),
      m_createDocument(std::move(createDocument)),
      m_createWindow(std::move(createWindow)),
      m_recentFiles(recentFiles) {}

DocumentTemplate::~DocumentTemplate() {
    CloseAllDocuments();
}

Document* DocumentTemplate::OpenDocumentFile(const QString& path) {
    if (!path.isEmpty()) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        for (const OpenDocument& entry : m_documents) {
            const QString& openPath = entry.document->GetPathName();
            if (!canonical.isEmpty() && !openPath.isEmpty() &&
                QFileInfo(openPath).canonicalFilePath() == canonical) {
                entry.window->Activate();
                return entry.document.get();
            }
        }
    }

    Document* document = Create();
    if (document == nullptr) {
        return nullptr;
    }
    bool ready = false;
    if (path.isEmpty()) {
        document->SetTitle(m_strings.docName + QString::number(m_untitledCount + 1));
        ready = document->OnNewDocument();
        if (ready) {
            ++m_untitledCount;
        }
    } else {
        ready = document->OnOpenDocument(path);
        if (ready) {
            document->SetPathName(path);
        }
    }
    return Finish(document, ready);
}

Document* DocumentTemplate::RecoverDocument(const RecoveryData& data) {
    Document* document = Create();
    if (document == nullptr) {
        return nullptr;
    }
    document->SetDiskContentHash(data.diskHash);
    // The file joins the recent files only once its changes are back.
    const bool recovered = document->OnRecoverDocument(data.image);
    if (recovered && data.originalPath.isEmpty()) {
        document->SetTitle(data.title);
    } else if (recovered) {
        document->SetPathName(data.originalPath);
    }
    return Finish(document, recovered);
}

bool DocumentTemplate::LoadsImage(const QByteArray& image) const {
    const std::unique_ptr<Document> trial = m_createDocument();
    return trial->OnRecoverDocument(image);
}

Document* DocumentTemplate::Create() {
    std::unique_ptr<Document> created = m_createDocument();
    created->SetDocTemplate(this);
    std::unique_ptr<DocumentWindow> window = m_createWindow(*created);
    if (!window) {
        m_ui.MessageBox(Tr(FrameworkText::NoWindowForDocument), QString(), QMessageBox::Critical);
        return nullptr;
    }
    Document* document = created.get();
    m_documents.push_back({std::move(created), std::move(window)});
    return document;
}

Document* DocumentTemplate::Finish(Document* document, bool ready) {
    const auto entry =
        std::find_if(m_documents.begin(), m_documents.end(),
                     [document](const OpenDocument& e) { return e.document.get() == document; });
    if (!ready) {
        Destroy(entry);
        return nullptr;
    }
    if (!m_recoveryFolder.isEmpty()) {
        new DocumentRecovery(*document, m_recoveryFolder, DocumentRecovery::WRITE_DELAY_MS,
                             m_recoveryReport);
    }
    entry->window->Activate();
    return document;
}

bool DocumentTemplate::CloseDocument(Document& document) {
    const auto entry =
        std::find_if(m_documents.begin(), m_documents.end(),
                     [&document](const OpenDocument& e) { return e.document.get() == &document; });
    if (entry == m_documents.end()) {
        return false;
    }
    if (!document.SaveModified()) {
        return false;
    }
    Destroy(entry);
    return true;
}

bool DocumentTemplate::SaveAllModified() {
    for (const OpenDocument& entry : m_documents) {
        if (!entry.document->SaveModified()) {
            return false;
        }
    }
    return true;
}

void DocumentTemplate::CloseAllDocuments() {
    while (!m_documents.empty()) {
        Destroy(m_documents.end() - 1);
    }
}

std::vector<Document*> DocumentTemplate::GetDocuments() const {
    std::vector<Document*> documents;
    for (const OpenDocument& entry : m_documents) {
        documents.push_back(entry.document.get());
    }
    return documents;
}

DocumentWindow* DocumentTemplate::WindowOf(const Document& document) const {
    for (const OpenDocument& entry : m_documents) {
        if (entry.document.get() == &document) {
            return entry.window.get();
        }
    }
    return nullptr;
}

QString DocumentTemplate::FileDialogFilter() const {
    return m_strings.filterName + QStringLiteral(" (*") + m_strings.filterExt + QStringLiteral(")");
}

QString DocumentTemplate::WithExtension(const QString& path) const {
    if (m_strings.filterExt.isEmpty() || path.endsWith(m_strings.filterExt, Qt::CaseInsensitive)) {
        return path;
    }
    return path + m_strings.filterExt;
}

void DocumentTemplate::AddToRecentFileList(const QString& path) {
    if (m_recentFiles != nullptr) {
        m_recentFiles->Add(path);
    }
}

// The window goes first, so that nothing that shows the document outlives it.
void DocumentTemplate::Destroy(std::vector<OpenDocument>::iterator entry) {
    OpenDocument removed = std::move(*entry);
    m_documents.erase(entry);
    removed.window.reset();
    removed.document.reset();
}

}  // namespace quorbex::platform
