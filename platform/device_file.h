// The store's File interface over an open Qt file device.
#pragma once

#include <QFileDevice>
#include <cerrno>

#include "store/file.h"

namespace quorbex::platform {

class DeviceFile final : public File {
public:
    explicit DeviceFile(QFileDevice& device) : m_device(device) {}

    bool SeekToBegin() override;
    std::optional<std::size_t> Read(void* buffer, std::size_t count) override;
    bool Write(const void* buffer, std::size_t count) override;
    bool SetLength(std::uint64_t length) override;

private:
    QFileDevice& m_device;
};

// A short Chinese description of why a file operation on device failed. It
// names the system's cause, systemError (an errno value), in words a
// clinician understands where it is one of the usual ones (disk full,
// read-only, no permission, file too large); otherwise the system's own
// words follow. The default reads errno, so call it straight after the
// operation that failed.
QString DescribeFileError(const QFileDevice& device, int systemError = errno);

// The same for a file operation that failed without a device (a rename): the
// usual causes in those words, any other in the system's own.
QString DescribeSystemError(int systemError);

}  // namespace quorbex::platform
