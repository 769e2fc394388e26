#include "platform/backup_file.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/device_file.h"
#include "platform/file_names.h"
#include "platform/regular_file.h"
#include "store/file_ownership.h"

namespace quorbex::platform {

namespace {

constexpr qint64 COPY_CHUNK = 64 * 1024;

// The file a save at path writes: the target of a link, as QSaveFile finds it.
QString SaveTarget(const QString& path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    return target.isEmpty() ? path : target;
}

std::string NativePath(const QString& path) {
    return EncodeFileName(path).toStdString();
}

// Writes the whole of original to backup and makes it durable, as the file it
// backs up: false with the cause in reason.
bool CopyInto(QFile& original, QTemporaryFile& backup, const FileOwnership& ownership,
              QString& reason) {
    while (!original.atEnd()) {
        const QByteArray chunk = original.read(COPY_CHUNK);
        if (original.error() != QFileDevice::NoError) {
            reason = DescribeFileError(original);
            return false;
        }
        if (backup.write(chunk) != chunk.size()) {
            reason = DescribeFileError(backup);
            return false;
        }
    }
    if (!backup.flush()) {
        reason = DescribeFileError(backup);
        return false;
    }
    TakeOwnership(backup.handle(), ownership);
    if (!SyncToDisk(backup.handle())) {
        reason = DescribeSystemError(errno);
        return false;
    }
    return true;
}

}  // namespace

QString BackupPath(const QString& path) {
    return SaveTarget(path) + QStringLiteral(".bak");
}

bool KeepBackup(const QString& path, QString& reason) {
    const QString target = SaveTarget(path);
    const QFileInfo info(target);
    // Only a regular file has bytes to keep.
    struct stat status {};
    if (::stat(NativePath(target).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return true;
    }
    const std::optional<FileOwnership> ownership = OwnershipOf(NativePath(target));
    QFile original;
    errno = 0;
    if (!ownership) {
        reason = DescribeSystemError(errno);
        return false;
    }
    // The name may have become a pipe since it was looked at.
    reason = OpenRegularFile(target, original);
    if (!reason.isEmpty()) {
        return false;
    }
    // Created anew (O_CREAT | O_EXCL), private to the user until it has the
    // original's permissions: nothing that lies at any name is followed.
    // Beside the file, by a name that Qt can spell.
    const QtFolder folder(info.absolutePath());
    const QString name = QtCanName(info.fileName()) ? info.fileName() : QStringLiteral("quorbex");
    QTemporaryFile backup(
        QDir(folder.Path()).filePath(QLatin1Char('.') + name + QStringLiteral(".bak.XXXXXX")));
    if (!backup.open()) {
        reason = DescribeFileError(backup);
        return false;
    }
    if (!CopyInto(original, backup, *ownership, reason)) {
        return false;
    }
    backup.close();
    // A rename replaces whatever lies at the backup's name, a link included,
    // and leaves a folder there as it was.
    std::error_code error;
    std::filesystem::rename(NativePath(backup.fileName()), NativePath(BackupPath(target)), error);
    if (error) {
        reason = DescribeSystemError(error.value());
        return false;
    }
    backup.setAutoRemove(false);
    return true;
}

std::optional<QString> KeepOwnership(QFileDevice& file, const QString& path) {
    const std::optional<FileOwnership> ownership = OwnershipOf(NativePath(path));
    if (!ownership || TakeOwnership(file.handle(), *ownership)) {
        return std::nullopt;
    }
    return QString::fromStdString(GroupName(ownership->group));
}

}  // namespace quorbex::platform
