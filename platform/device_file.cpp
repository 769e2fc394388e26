#include "platform/device_file.h"

#include <cerrno>
#include <cstring>

#include "platform/framework_strings.h"

namespace quorbex::platform {

bool DeviceFile::SeekToBegin() {
    return m_device.seek(0);
}

std::optional<std::size_t> DeviceFile::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const qint64 got = m_device.read(bytes + total, static_cast<qint64>(count - total));
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    return total;
}

bool DeviceFile::Write(const void* buffer, std::size_t count) {
    return m_device.write(static_cast<const char*>(buffer), static_cast<qint64>(count)) ==
           static_cast<qint64>(count);
}

bool DeviceFile::SetLength(std::uint64_t length) {
    return m_device.resize(static_cast<qint64>(length));
}

namespace {

// The usual causes of a failed save, in plain words; empty for the others.
QString CauseInWords(int systemError) {
    switch (systemError) {
        case ENOSPC:
            return Tr(FrameworkText::DiskFull);
        case EDQUOT:
            return Tr(FrameworkText::QuotaUsedUp);
        case EROFS:
            return Tr(FrameworkText::ReadOnlyDisk);
        case EACCES:
        case EPERM:
            return Tr(FrameworkText::NoAccess);
        case EFBIG:
            return Tr(FrameworkText::FileTooLarge);
        default:
            return QString();
    }
}

}  // namespace

QString DescribeFileError(const QFileDevice& device, int systemError) {
    QString reason;
    switch (device.error()) {
        case QFileDevice::PermissionsError:
            reason = Tr(FrameworkText::NoPermission);
            break;
        case QFileDevice::OpenError:
            reason = Tr(FrameworkText::FileNotFound);
            break;
        case QFileDevice::ReadError:
            reason = Tr(FrameworkText::ReadFailed);
            break;
        case QFileDevice::WriteError:
        case QFileDevice::ResourceError:
            reason = Tr(FrameworkText::WriteFailed);
            break;
        default:
            reason = Tr(FrameworkText::FileOperationFailed);
            break;
    }
    const QString cause = CauseInWords(systemError);
    // A refused permission is already the reason; the cause would repeat it.
    if (!cause.isEmpty() && device.error() != QFileDevice::PermissionsError) {
        return reason + QStringLiteral(": ") + cause;
    }
    const QString detail = device.errorString();
    return detail.isEmpty() ? reason : reason + QStringLiteral(" (") + detail + QStringLiteral(")");
}

QString DescribeSystemError(int systemError) {
    const QString reason = Tr(FrameworkText::FileOperationFailed);
    const QString cause = CauseInWords(systemError);
    if (!cause.isEmpty()) {
        return reason + QStringLiteral(": ") + cause;
    }
    return reason + QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(systemError)) +
           QStringLiteral(")");
}

}  // namespace quorbex::platform
