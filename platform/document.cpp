#include "platform/document.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>

#include "platform/backup_file.h"
#include "platform/byte_array_file.h"
#include "platform/device_file.h"
#include "platform/document_template.h"
#include "platform/message_box.h"
#include "platform/user_interface.h"
#include "platform/view.h"
#include "resources/strings.h"

namespace quorbex::platform {

std::optional<QByteArray> FileContentHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return hash.result();
}

Document::Document(UserInterface& ui) : m_ui(ui) {}

Document::~Document() {
    for (View* view : m_views) {
        view->m_document = nullptr;
    }
}

bool Document::OnNewDocument() {
    m_pathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool Document::OnOpenDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportSaveLoadException(path, DescribeFileError(file), false);
        return false;
    }
    if (file.size() != 0) {
        DeviceFile deviceFile(file);
        Archive archive(deviceFile, true);
        if (!Serialize(archive)) {
            ReportSaveLoadException(path, DescribeFileError(file), false);
            return false;
        }
    }
    m_diskHash = FileContentHash(path);
    SetModifiedFlag(false);
    return true;
}

bool Document::OnRecoverDocument(const QByteArray& image) {
    ByteArrayFile file(image);
    Archive archive(file, true);
    if (!Serialize(archive)) {
        return false;
    }
    SetModifiedFlag(true);
    return true;
}

bool Document::OnSaveDocument(const QString& path) {
    QSaveFile file(path);
    // A failure below is described by the cause the system gave for it, not
    // by one left over from before the save.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        ReportSaveLoadException(path, DescribeFileError(file), true);
        return false;
    }
    const std::optional<QString> lostGroup = KeepOwnership(file, path);
    DeviceFile deviceFile(file);
    Archive archive(deviceFile, false);
    const bool written = Serialize(archive);
    if (!written) {
        const QString reason = DescribeFileError(file);
        file.cancelWriting();
        ReportSaveLoadException(path, reason, true);
        return false;
    }
    // The last buffered bytes may fail to reach the disk; the file must not
    // replace the old one then.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason = DescribeFileError(file);
        file.cancelWriting();
        ReportSaveLoadException(path, reason, true);
        return false;
    }
    // The backup is complete before the new file replaces the old one: a
    // failure of either leaves the old file, and the backup either as it was
    // or a whole copy of it.
    QString backupFailure;
    if (m_template != nullptr && m_template->KeepsBackup() && !KeepBackup(path, backupFailure)) {
        file.cancelWriting();
        ReportSaveLoadException(
            path,
            Tr(UiText::BackupFailed).arg(QFileInfo(BackupPath(path)).fileName(), backupFailure),
            true);
        return false;
    }
    if (!file.commit()) {
        ReportSaveLoadException(path, DescribeFileError(file), true);
        return false;
    }
    m_diskHash = FileContentHash(path);
    SetModifiedFlag(false);
    if (lostGroup) {
        m_ui.MessageBox(Tr(UiText::GroupNotKept).arg(QFileInfo(path).fileName(), *lostGroup),
                        QString(), MB_OK | MB_ICONINFORMATION);
    }
    return true;
}

bool Document::DoSave(const QString& path) {
    QString target = path;
    if (target.isEmpty()) {
        if (m_template == nullptr) {
            return false;
        }
        const QString initial =
            m_pathName.isEmpty() ? m_template->WithExtension(m_title) : m_pathName;
        const auto chosen = m_ui.PromptSaveFileName(initial, m_template->FileDialogFilter());
        if (!chosen) {
            return false;
        }
        target = m_template->WithExtension(*chosen);
    }
    if (!m_pathName.isEmpty() && target == m_pathName && ChangedOnDisk()) {
        const QString name = QFileInfo(m_pathName).fileName();
        const int answer = m_ui.MessageBox(Tr(UiText::ChangedOnDiskQuestion).arg(name), QString(),
                                           MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        if (answer == IDNO) {
            return DoSave(QString());
        }
        if (answer != IDYES) {
            return false;
        }
    }
    if (!OnSaveDocument(target)) {
        return false;
    }
    SetPathName(target);
    return true;
}

bool Document::DoFileSave() {
    const QFileInfo info(m_pathName);
    if (m_pathName.isEmpty() || (info.exists() && !info.isWritable())) {
        return DoSave(QString());
    }
    return DoSave(m_pathName);
}

bool Document::SaveModified() {
    if (!m_modified) {
        return true;
    }
    const QString name = m_pathName.isEmpty() ? m_title : QFileInfo(m_pathName).fileName();
    const int answer = m_ui.MessageBox(Tr(UiText::SaveChangesQuestion).arg(name), QString(),
                                       MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDCANCEL) {
        return false;
    }
    if (answer == IDYES) {
        return DoFileSave();
    }
    return true;
}

// Another program wrote the file since it was opened or last saved here. A
// file that is gone or unreadable has nothing to lose.
bool Document::ChangedOnDisk() const {
    if (!m_diskHash) {
        return false;
    }
    const std::optional<QByteArray> now = FileContentHash(m_pathName);
    return now && *now != *m_diskHash;
}

void Document::OnFileSave() {
    DoFileSave();
}

void Document::OnFileSaveAs() {
    DoSave(QString());
}

void Document::OnFileClose() {
    if (m_template != nullptr) {
        m_template->CloseDocument(*this);
    }
}

void Document::UpdateAllViews(View* sender, int hint) {
    // A view may rebuild itself during the update; iterate over a copy.
    const std::vector<View*> views = m_views;
    for (View* view : views) {
        if (view != sender) {
            view->OnUpdate(sender, hint);
        }
    }
}

void Document::AddView(View& view) {
    if (std::find(m_views.begin(), m_views.end(), &view) == m_views.end()) {
        m_views.push_back(&view);
    }
}

void Document::RemoveView(View& view) {
    std::erase(m_views, &view);
}

void Document::SetModifiedFlag(bool modified) {
    if (modified) {
        emit contentChanged();
    }
    if (m_modified != modified) {
        m_modified = modified;
        emit modifiedChanged(modified);
    }
}

void Document::SetPathName(const QString& path) {
    m_pathName = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(m_pathName).fileName());
    if (m_template != nullptr) {
        m_template->AddToRecentFileList(m_pathName);
    }
}

void Document::SetTitle(const QString& title) {
    if (m_title != title) {
        m_title = title;
        emit titleChanged(title);
    }
}

void Document::ReportSaveLoadException(const QString& path, const QString& reason, bool saving) {
    const QString name = QFileInfo(path).fileName();
    const QString text = Tr(saving ? UiText::CannotSave : UiText::CannotOpen).arg(name, reason);
    m_ui.MessageBox(text, QString(), MB_ICONEXCLAMATION);
}

}  // namespace quorbex::platform
