#include "platform/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace quorbex::platform {

namespace {

using Problem = FolderCheck::Problem;

FolderCheck Failed(Problem problem, int systemError = 0) {
    return {problem, systemError};
}

// The folder that holds folder may be the user's own or the system's (root
// owns /home and /tmp); another user's could have the folder replaced.
FolderCheck CheckParent(const QString& folder) {
    const QByteArray parent = QFile::encodeName(QFileInfo(folder).absolutePath());
    struct stat status {};
    if (::stat(parent.constData(), &status) != 0) {
        return Failed(Problem::SystemError, errno);
    }
    if (status.st_uid != ::geteuid() && status.st_uid != 0) {
        return Failed(Problem::OtherOwner);
    }
    return {};
}

FolderCheck CheckFolder(const QString& folder, bool narrow) {
    const FolderCheck parent = CheckParent(folder);
    if (!parent) {
        return parent;
    }
    const QByteArray name = QFile::encodeName(folder);
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0) {
        return Failed(Problem::SystemError, errno);
    }
    if (S_ISLNK(status.st_mode)) {
        return Failed(Problem::IsLink);
    }
    if (!S_ISDIR(status.st_mode)) {
        return Failed(Problem::NotAFolder);
    }
    if (status.st_uid != ::geteuid()) {
        return Failed(Problem::OtherOwner);
    }
    if (!narrow && (status.st_mode & 022) != 0) {
        return Failed(Problem::OpenToOthers);
    }
    if (narrow && (status.st_mode & 077) != 0) {
        if (::chmod(name.constData(), 0700) != 0) {
            return Failed(Problem::SystemError, errno);
        }
    }
    return {};
}

}  // namespace

FolderCheck MakePrivateFolder(const QString& folder) {
    const QString absolute = QFileInfo(folder).absoluteFilePath();
    const QString parent = QFileInfo(absolute).absolutePath();
    errno = 0;
    if (!QFileInfo::exists(parent) && !QDir().mkpath(parent)) {
        return Failed(Problem::SystemError, errno != 0 ? errno : EACCES);
    }
    if (::mkdir(QFile::encodeName(absolute).constData(), 0700) != 0 && errno != EEXIST) {
        return Failed(Problem::SystemError, errno);
    }
    return CheckFolder(absolute, true);
}

FolderCheck CheckPrivateFolder(const QString& folder) {
    return CheckFolder(QFileInfo(folder).absoluteFilePath(), false);
}

}  // namespace quorbex::platform
