#include "store/memory_file.h"

#include <algorithm>
#include <cstring>

namespace quorbex {

bool MemoryFile::SeekToBegin() {
    position = 0;
    return true;
}

std::size_t ReadFromMemory(const std::uint8_t* bytes, std::size_t size, std::size_t& position,
                           void* buffer, std::size_t count) {
    const std::size_t available = position < size ? size - position : 0;
    const std::size_t taken = std::min(count, available);
    if (taken > 0) {
        std::memcpy(buffer, bytes + position, taken);
    }
    position += taken;
    return taken;
}

std::optional<std::size_t> MemoryFile::Read(void* buffer, std::size_t count) {
    return ReadFromMemory(bytes.data(), bytes.size(), position, buffer, count);
}

bool MemoryFile::Write(const void* buffer, std::size_t count) {
    if (position + count > bytes.size()) {
        bytes.resize(position + count, 0);
    }
    if (count > 0) {
        std::memcpy(bytes.data() + position, buffer, count);
    }
    position += count;
    return true;
}

bool MemoryFile::SetLength(std::uint64_t length) {
    bytes.resize(static_cast<std::size_t>(length), 0);
    position = std::min(position, bytes.size());
    return true;
}

}  // namespace quorbex
