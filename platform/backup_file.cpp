#include "platform/backup_file.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>

#include "platform/device_file.h"

namespace quorbex::platform {

namespace {

constexpr qint64 COPY_CHUNK = 64 * 1024;

}  // namespace

QString BackupPath(const QString& path) {
    return path + QStringLiteral(".bak");
}

bool KeepBackup(const QString& path, QString& reason) {
    QFile original(path);
    if (!original.exists()) {
        return true;
    }
    errno = 0;
    if (!original.open(QIODevice::ReadOnly)) {
        reason = DescribeFileError(original);
        return false;
    }
    QSaveFile backup(BackupPath(path));
    if (!backup.open(QIODevice::WriteOnly)) {
        reason = DescribeFileError(backup);
        return false;
    }
    while (!original.atEnd()) {
        const QByteArray chunk = original.read(COPY_CHUNK);
        if (original.error() != QFileDevice::NoError) {
            reason = DescribeFileError(original);
            backup.cancelWriting();
            return false;
        }
        if (backup.write(chunk) != chunk.size()) {
            reason = DescribeFileError(backup);
            backup.cancelWriting();
            return false;
        }
    }
    if (!backup.flush() || backup.error() != QFileDevice::NoError) {
        reason = DescribeFileError(backup);
        backup.cancelWriting();
        return false;
    }
    if (!backup.commit()) {
        reason = DescribeFileError(backup);
        return false;
    }
    return true;
}

}  // namespace quorbex::platform
