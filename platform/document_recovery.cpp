#include "platform/document_recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUuid>

#include "platform/byte_array_file.h"
#include "platform/document.h"
#include "platform/recovery_file.h"

namespace quorbex::platform {

namespace {

QString LockPath(const QString& path) {
    return path + QStringLiteral(".lock");
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
    ByteArrayFile image;
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
    data.image = image.Bytes();
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

}  // namespace quorbex::platform
