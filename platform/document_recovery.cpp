#include "platform/document_recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QUuid>
#include <cerrno>

#include "platform/document.h"
#include "platform/document_template.h"
#include "platform/framework_strings.h"
#include "platform/memory_image.h"
#include "platform/recovery_file.h"
#include "platform/regular_file.h"
#include "platform/shown_name.h"
#include "platform/user_interface.h"

namespace quorbex::platform {

namespace {

// More than a full dictionary with its names: no recovery file of ours.
constexpr qint64 RECOVERY_FILE_LIMIT = 4 * 1024 * 1024;

QString LockPath(const QString& path) {
    return path + QStringLiteral(".lock");
}

std::optional<RecoveryData> ReadRecoveryFile(const QString& path) {
    QFile file;
    if (!OpenRegularFile(path, file).isEmpty() || file.size() > RECOVERY_FILE_LIMIT) {
        return std::nullopt;
    }
    return DecodeRecovery(file.readAll());
}

}  // namespace

DocumentRecovery::DocumentRecovery(Document& document, const QString& folder, int delayMs,
                                   RecoveryReport report)
    : QObject(&document),
      m_document(document),
      m_report(std::move(report)),
      m_path(QDir(folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) +
                                   QString::fromLatin1(RECOVERY_SUFFIX))) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    connect(&m_timer, &QTimer::timeout, this, &DocumentRecovery::WriteNow);
    connect(&document, &Document::contentChanged, this, [this] { m_timer.start(); });
    connect(&document, &Document::modifiedChanged, this, [this](bool modified) {
        if (!modified) {
            m_timer.stop();
            Remove();
        }
    });
}

DocumentRecovery::~DocumentRecovery() {
    Remove();
}

bool DocumentRecovery::WriteNow() {
    m_timer.stop();
    if (!m_document.IsModified()) {
        return false;
    }
    const std::optional<FolderCheck> failure = Write();
    if (failure) {
        // Tried again later: the disk may have room again, the folder be put right.
        m_timer.start();
    }
    if (m_report) {
        m_report(failure ? std::optional<RecoveryFailure>(
                               RecoveryFailure{QFileInfo(m_path).absolutePath(), *failure})
                         : std::nullopt);
    }
    return !failure;
}

// Nothing when the file was written; otherwise why not.
std::optional<FolderCheck> DocumentRecovery::Write() {
    const auto systemFailure = [] {
        return FolderCheck{FolderCheck::Problem::SystemError, errno != 0 ? errno : EIO};
    };
    MemoryFile image;
    Archive archive(image, false);
    errno = 0;
    if (!m_document.Serialize(archive)) {
        return systemFailure();
    }
    // The folder holds unsaved work: the user's alone. It is checked before
    // every write, since it may have been replaced meanwhile.
    const FolderCheck folder = MakePrivateFolder(QFileInfo(m_path).absolutePath());
    if (!folder) {
        return folder;
    }
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(LockPath(m_path));
        m_lock->setStaleLockTime(0);
        errno = 0;
        if (!m_lock->tryLock(0)) {
            m_lock.reset();
            return systemFailure();
        }
    }
    RecoveryData data;
    data.originalPath = m_document.GetPathName();
    data.title = m_document.GetTitle();
    data.diskHash = m_document.DiskContentHash();
    data.image = ByteArrayOf(image);
    const QByteArray bytes = EncodeRecovery(data);
    QSaveFile file(m_path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit()) {
        return systemFailure();
    }
    return std::nullopt;
}

void DocumentRecovery::Remove() {
    QFile::remove(m_path);
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
}

bool IsRecoveryFileInUse(const QString& path) {
    QLockFile lock(LockPath(path));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        return lock.error() == QLockFile::LockFailedError;
    }
    lock.unlock();
    return false;
}

QString FoundRecovery::Shown() const {
    if (!data) {
        return ShownName(QDir::toNativeSeparators(path));
    }
    return ShownName(data->originalPath.isEmpty() ? data->title
                                                  : QDir::toNativeSeparators(data->originalPath));
}

QString FoundRecovery::When() const {
    return QLocale().toString(written, QLocale::ShortFormat);
}

std::vector<FoundRecovery> FindRecoveries(DocumentTemplate& docTemplate, const QString& folder) {
    std::vector<FoundRecovery> found;
    if (!CheckPrivateFolder(folder)) {
        return found;
    }
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral("*") + QString::fromLatin1(RECOVERY_SUFFIX)}, QDir::Files,
                      QDir::Time | QDir::Reversed);
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        if (IsRecoveryFileInUse(path)) {
            continue;
        }
        std::optional<RecoveryData> data = ReadRecoveryFile(path);
        if (data && !docTemplate.LoadsImage(data->image)) {
            data.reset();
        }
        found.push_back({path, QFileInfo(path).lastModified(), std::move(data)});
    }
    return found;
}

bool RestoreRecovery(DocumentTemplate& docTemplate, const FoundRecovery& found) {
    if (!found.data) {
        return false;
    }
    Document* document = docTemplate.RecoverDocument(*found.data);
    if (document == nullptr) {
        return false;
    }
    // The restored changes are kept again before this file goes.
    if (auto* recovery = document->findChild<DocumentRecovery*>()) {
        recovery->WriteNow();
    }
    QFile::remove(found.path);
    return true;
}

void DiscardRecovery(const FoundRecovery& found) {
    QFile::remove(found.path);
}

void OfferEachRecovery(UserInterface& ui, DocumentTemplate& docTemplate,
                       const std::vector<FoundRecovery>& found) {
    for (const FoundRecovery& entry : found) {
        if (!entry.data) {
            if (ui.MessageBox(Tr(FrameworkText::RecoveryDamaged).arg(entry.Shown()), QString(),
                              QMessageBox::Critical,
                              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
                DiscardRecovery(entry);
            }
            continue;
        }
        const QMessageBox::StandardButton answer = ui.MessageBox(
            Tr(FrameworkText::RecoveryQuestion).arg(entry.Shown(), entry.When()), QString(),
            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Yes) {
            RestoreRecovery(docTemplate, entry);
        } else if (answer == QMessageBox::No) {
            DiscardRecovery(entry);
        }
    }
}

}  // namespace quorbex::platform
