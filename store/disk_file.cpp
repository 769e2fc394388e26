#include "store/disk_file.h"

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>

namespace quorbex {

std::unique_ptr<DiskFile> DiskFile::Open(const std::string& path, Mode mode) {
    const int flags =
        mode == Mode::Read ? O_RDONLY | O_CLOEXEC : O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    const int descriptor = ::open(path.c_str(), flags, 0666);
    if (descriptor < 0) {
        return nullptr;
    }
    return std::unique_ptr<DiskFile>(new DiskFile(descriptor));
}

DiskFile::~DiskFile() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
}

bool DiskFile::SeekToBegin() {
    return ::lseek(m_descriptor, 0, SEEK_SET) == 0;
}

std::optional<std::size_t> DiskFile::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got = ::read(m_descriptor, bytes + total, count - total);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    return total;
}

bool DiskFile::Write(const void* buffer, std::size_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const ssize_t put = ::write(m_descriptor, bytes + total, count - total);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        total += static_cast<std::size_t>(put);
    }
    return true;
}

bool DiskFile::SetLength(std::uint64_t length) {
    return ::ftruncate(m_descriptor, static_cast<off_t>(length)) == 0;
}

bool DiskFile::Close() {
    const bool synced = ::fsync(m_descriptor) == 0;
    const bool closed = ::close(m_descriptor) == 0;
    m_descriptor = -1;
    return synced && closed;
}

}  // namespace quorbex
