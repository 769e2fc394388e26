// A File on disk, through a POSIX file descriptor.
#pragma once

#include <memory>
#include <string>

#include "store/file.h"

namespace quorbex {

class DiskFile final : public File {
public:
    enum class Mode {
        Read,         // an existing file, read only
        CreateWrite,  // created, or emptied if it exists, for writing
    };

    // Opens path; on failure answers nothing and leaves errno set.
    static std::unique_ptr<DiskFile> Open(const std::string& path, Mode mode);
    ~DiskFile() override;

    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    bool SeekToBegin() override;
    std::optional<std::size_t> Read(void* buffer, std::size_t count) override;
    bool Write(const void* buffer, std::size_t count) override;
    bool SetLength(std::uint64_t length) override;

    // Flushes the file to the disk and closes it; false if anything failed.
    bool Close();

private:
    explicit DiskFile(int descriptor) : m_descriptor(descriptor) {}

    int m_descriptor;
};

}  // namespace quorbex
