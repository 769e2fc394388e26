#include "platform/document_recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QUuid>

#include "platform/document.h"
#include "platform/document_template.h"
#include "platform/framework_strings.h"
#include "platform/memory_image.h"
#include "platform/recovery_file.h"
#include "platform/regular_file.h"
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

DocumentRecovery::DocumentRecovery(Document& document, const QString& folder, int delayMs)
    : QObject(&document),
      m_document(document),
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
    MemoryFile image;
    Archive archive(image, false);
    if (!m_document.Serialize(archive)) {
        return false;
    }
    if (!m_lock) {
        // The folder holds unsaved work: the user's alone.
        const QString folder = QFileInfo(m_path).absolutePath();
        if (!QDir().mkpath(folder) ||
            !QFile::setPermissions(folder,
                                   QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
            return false;
        }
        m_lock = std::make_unique<QLockFile>(LockPath(m_path));
        m_lock->setStaleLockTime(0);
        if (!m_lock->tryLock(0)) {
            m_lock.reset();
            return false;
        }
    }
    RecoveryData data;
    data.originalPath = m_document.GetPathName();
    data.title = m_document.GetTitle();
    data.diskHash = m_document.DiskContentHash();
    data.image = ByteArrayOf(image);
    const QByteArray bytes = EncodeRecovery(data);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        return false;
    }
    return file.commit();
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

void OfferRecovery(UserInterface& ui, DocumentTemplate& docTemplate, const QString& folder) {
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
        const QString when =
            QLocale().toString(QFileInfo(path).lastModified(), QLocale::ShortFormat);
        QMessageBox::StandardButton answer = QMessageBox::No;
        if (data) {
            const QString shown = data->originalPath.isEmpty()
                                      ? data->title
                                      : QDir::toNativeSeparators(data->originalPath);
            answer = ui.MessageBox(Tr(FrameworkText::RecoveryQuestion).arg(shown, when), QString(),
                                   QMessageBox::Question,
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        }
        if (answer == QMessageBox::Yes) {
            if (Document* document = docTemplate.RecoverDocument(*data)) {
                // The restored changes are kept again before this file goes.
                if (auto* recovery = document->findChild<DocumentRecovery*>()) {
                    recovery->WriteNow();
                }
                QFile::remove(path);
                continue;
            }
            data.reset();
        }
        if (!data) {
            answer = ui.MessageBox(
                Tr(FrameworkText::RecoveryDamaged).arg(QDir::toNativeSeparators(path)), QString(),
                QMessageBox::Critical, QMessageBox::Yes | QMessageBox::No);
            if (answer == QMessageBox::Yes) {
                QFile::remove(path);
            }
        } else if (answer == QMessageBox::No) {
            QFile::remove(path);
        }
    }
}

}  // namespace quorbex::platform
