#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <new>

#include "platform/device_file.h"
#include "platform/file_names.h"
#include "platform/framework_strings.h"

namespace quorbex::platform {

namespace {

QString OpenFailure(int systemError) {
    switch (systemError) {
        case ENOENT:
        case ENOTDIR:
            return Tr(FrameworkText::FileNotFound);
        case EACCES:
        case EPERM:
            return Tr(FrameworkText::NoPermission);
        default:
            return DescribeSystemError(systemError);
    }
}

QString KindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return Tr(FrameworkText::IsFolder);
    }
    if (S_ISFIFO(mode)) {
        return Tr(FrameworkText::IsPipe);
    }
    if (S_ISSOCK(mode)) {
        return Tr(FrameworkText::IsSocket);
    }
    return Tr(FrameworkText::IsDevice);
}

}  // namespace

QString OpenRegularFile(const QString& path, QFile& file) {
    const QByteArray name = EncodeFileName(path);
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        return OpenFailure(errno);
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        const int systemError = errno;
        ::close(descriptor);
        return OpenFailure(systemError);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return KindOf(status.st_mode);
    }
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return DescribeFileError(file);
    }
    return QString();
}

QString NonRegularKind(const QString& path) {
    struct stat status {};
    if (::stat(EncodeFileName(path).constData(), &status) != 0 || S_ISREG(status.st_mode)) {
        return QString();
    }
    return KindOf(status.st_mode);
}

FileContents ReadRegularFile(const QString& path) {
    QFile file;
    const QString failure = OpenRegularFile(path, file);
    if (!failure.isEmpty()) {
        return {std::nullopt, failure};
    }
    // Read at the size the file has, in one piece, then on to its end for
    // whatever was added meanwhile: readAll() alone would grow its buffer
    // past the size to find the end, and keep the spare room. A file too
    // large to hold in memory is refused as such, not a crash.
    QByteArray bytes;
    try {
        bytes.resize(file.size());
        const qint64 read = file.read(bytes.data(), bytes.size());
        // Checked at once: the next read would clear the error.
        if (read < 0 || file.error() != QFileDevice::NoError) {
            return {std::nullopt, DescribeFileError(file)};
        }
        bytes.truncate(read);
        bytes += file.readAll();
    } catch (const std::bad_alloc&) {
        return {std::nullopt, Tr(FrameworkText::FileTooLarge)};
    }
    if (file.error() != QFileDevice::NoError) {
        return {std::nullopt, DescribeFileError(file)};
    }
    return {std::move(bytes), QString()};
}

bool RegularFileDiffersFrom(const QString& path, const QByteArray& expected) {
    QFile file;
    if (!OpenRegularFile(path, file).isEmpty()) {
        return false;
    }
    if (file.size() != expected.size()) {
        return true;
    }
    const QByteArray now = file.read(expected.size() + 1);
    return file.error() == QFileDevice::NoError && now != expected;
}

}  // namespace quorbex::platform
