// The store's File interface over an open Qt file device.
#pragma once

#include <QFileDevice>

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

// A short Chinese description of why a file operation failed, with the
// system's own words after it.
QString DescribeFileError(const QFileDevice& device);

}  // namespace quorbex::platform
