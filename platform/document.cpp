#include "platform/document.h"

#include <stdio.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUuid>
#include <cerrno>
#include <cstdlib>

#include "platform/backup_file.h"
#include "platform/device_file.h"
#include "platform/document_template.h"
#include "platform/file_names.h"
#include "platform/framework_strings.h"
#include "platform/memory_image.h"
#include "platform/regular_file.h"
#include "platform/shown_name.h"
#include "platform/user_interface.h"

namespace quorbex::platform {

namespace {

// Where QSaveFile writes a save to path. Qt reaches most files by their own
// names; for one it cannot spell (bytes that are not UTF-8), QSaveFile
// writes a stand-in with a name of its own beside the file, and Finish
// moves it over the file's name once it is complete.
class SaveName {
public:
    explicit SaveName(const QString& path) {
        if (QtCanName(path)) {
            m_forQt = path;
            return;
        }
        m_target = EncodeFileName(path);
        // A link is written through, as QSaveFile does.
        if (char* real = ::realpath(m_target.constData(), nullptr)) {
            m_target = real;
            std::free(real);
        }
        const qsizetype slash = m_target.lastIndexOf('/');
        const QByteArray folder =
            slash > 0 ? m_target.left(slash) : QByteArray(slash == 0 ? "/" : ".");
        m_folder = std::make_unique<QtFolder>(DecodeFileName(folder));
        m_forQt = QDir(m_folder->Path())
                      .filePath(QStringLiteral(".quorbex-%1.saving")
                                    .arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
    }

    QString ForQt() const { return m_forQt; }

    // False, with errno set, when the stand-in could not take the file's
    // name; it is then removed and the file left as it was.
    bool Finish() const {
        if (m_target.isEmpty()) {
            return true;
        }
        const QByteArray standIn = QFile::encodeName(m_forQt);
        if (::rename(standIn.constData(), m_target.constData()) == 0) {
            return true;
        }
        const int error = errno;
        ::unlink(standIn.constData());
        errno = error;
        return false;
    }

private:
    QString m_forQt;
    QByteArray m_target;  // the bytes of the file's name, when Qt cannot spell it
    std::unique_ptr<QtFolder> m_folder;
};

}  // namespace

QByteArray ContentHash(const QByteArray& contents) {
    return QCryptographicHash::hash(contents, QCryptographicHash::Sha256);
}

std::optional<QByteArray> FileContentHash(const QString& path) {
    QFile file;
    if (!OpenRegularFile(path, file).isEmpty()) {
        return std::nullopt;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return hash.result();
}

Document::Document(UserInterface& ui) : m_ui(ui) {}

Document::~Document() = default;

bool Document::OnNewDocument() {
    m_pathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool Document::OnOpenDocument(const QString& path) {
    FileContents contents = ReadRegularFile(path);
    if (!contents.bytes) {
        ReportSaveLoadException(path, contents.failure, false);
        return false;
    }
    if (!contents.bytes->isEmpty()) {
        ByteArrayFile file(*contents.bytes);
        Archive archive(file, true);
        if (!Serialize(archive)) {
            const DocumentStrings* strings =
                m_template != nullptr ? &m_template->Strings() : nullptr;
            if (strings != nullptr && !strings->refusedText.isEmpty()) {
                m_ui.MessageBox(strings->refusedText, strings->refusedCaption,
                                QMessageBox::Critical);
            } else {
                ReportSaveLoadException(path, Tr(FrameworkText::FileOperationFailed), false);
            }
            return false;
        }
    }
    KeepDiskBytes(std::move(*contents.bytes));
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
    MemoryFile image;
    Archive archive(image, false);
    if (!Serialize(archive)) {
        ReportSaveLoadException(path, Tr(FrameworkText::WriteFailed), true);
        return false;
    }
    const QByteArray bytes = ByteArrayOf(image);
    // A device or a pipe is no file to replace: /dev/zero stays what it is.
    const QString notAFile = NonRegularKind(path);
    if (!notAFile.isEmpty()) {
        ReportSaveLoadException(path, notAFile, true);
        return false;
    }
    SaveName name(path);
    QSaveFile file(name.ForQt());
    // A failure below is described by the cause the system gave for it, not
    // by one left over from before the save.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        ReportSaveLoadException(path, DescribeFileError(file), true);
        return false;
    }
    const std::optional<QString> lostGroup = KeepOwnership(file, path);
    // The last buffered bytes may fail to reach the disk; the file must not
    // replace the old one then.
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
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
            Tr(FrameworkText::BackupFailed)
                .arg(ShownName(QFileInfo(BackupPath(path)).fileName()), backupFailure),
            true);
        return false;
    }
    if (!file.commit()) {
        ReportSaveLoadException(path, DescribeFileError(file), true);
        return false;
    }
    if (!name.Finish()) {
        ReportSaveLoadException(path, DescribeSystemError(errno), true);
        return false;
    }
    KeepDiskBytes(bytes);
    SetModifiedFlag(false);
    if (lostGroup) {
        m_ui.MessageBox(
            Tr(FrameworkText::GroupNotKept).arg(ShownName(QFileInfo(path).fileName()), *lostGroup),
            QString(), QMessageBox::Information);
    }
    return true;
}

void Document::KeepDiskBytes(QByteArray bytes) {
    m_diskHash.reset();
    m_diskBytes = std::move(bytes);
}

const std::optional<QByteArray>& Document::DiskContentHash() const {
    if (!m_diskHash && m_diskBytes) {
        m_diskHash = ContentHash(*m_diskBytes);
    }
    return m_diskHash;
}

void Document::SetDiskContentHash(std::optional<QByteArray> hash) {
    m_diskBytes.reset();
    m_diskHash = std::move(hash);
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
        if (m_changedOnDiskHandler) {
            if (!m_changedOnDiskHandler()) {
                return false;
            }
        } else {
            const QString name = ShownName(QFileInfo(m_pathName).fileName());
            const QMessageBox::StandardButton answer = m_ui.MessageBox(
                Tr(FrameworkText::ChangedOnDiskQuestion).arg(name), QString(), QMessageBox::Warning,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            if (answer == QMessageBox::No) {
                return DoSave(QString());
            }
            if (answer != QMessageBox::Yes) {
                return false;
            }
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
    const QString name =
        ShownName(m_pathName.isEmpty() ? m_title : QFileInfo(m_pathName).fileName());
    const QMessageBox::StandardButton answer = m_ui.MessageBox(
        Tr(FrameworkText::SaveChangesQuestion).arg(name), QString(), QMessageBox::Warning,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) {
        return false;
    }
    if (answer == QMessageBox::Yes) {
        return DoFileSave();
    }
    return true;
}

// Another program wrote the file since it was opened or last saved here.
bool Document::ChangedOnDisk() const {
    if (m_diskBytes) {
        return RegularFileDiffersFrom(m_pathName, *m_diskBytes);
    }
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
    const QString name = ShownName(QFileInfo(path).fileName());
    const QString text =
        Tr(saving ? FrameworkText::CannotSave : FrameworkText::CannotOpen).arg(name, reason);
    m_ui.MessageBox(text, QString(), QMessageBox::Warning);
}

}  // namespace quorbex::platform
