#include "platform/device_file.h"

#include <cerrno>

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
            return QStringLiteral("磁盘已满");
        case EDQUOT:
            return QStringLiteral("您的磁盘空间配额已用完");
        case EROFS:
            return QStringLiteral("磁盘是只读的, 不能写入");
        case EACCES:
        case EPERM:
            return QStringLiteral("没有权限访问该文件或它所在的文件夹");
        case EFBIG:
            return QStringLiteral("文件太大, 超过了系统允许的大小");
        default:
            return QString();
    }
}

}  // namespace

QString DescribeFileError(const QFileDevice& device, int systemError) {
    QString reason;
    switch (device.error()) {
        case QFileDevice::PermissionsError:
            reason = QStringLiteral("没有访问该文件的权限");
            break;
        case QFileDevice::OpenError:
            reason = QStringLiteral("文件不存在或无法打开");
            break;
        case QFileDevice::ReadError:
            reason = QStringLiteral("读取文件时出错");
            break;
        case QFileDevice::WriteError:
        case QFileDevice::ResourceError:
            reason = QStringLiteral("写入文件时出错");
            break;
        default:
            reason = QStringLiteral("文件操作失败");
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

}  // namespace quorbex::platform
