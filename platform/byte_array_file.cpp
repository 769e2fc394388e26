#include "platform/byte_array_file.h"

#include <algorithm>
#include <cstring>

namespace quorbex::platform {

bool ByteArrayFile::SeekToBegin() {
    m_position = 0;
    return true;
}

std::optional<std::size_t> ByteArrayFile::Read(void* buffer, std::size_t count) {
    const qsizetype taken =
        std::min<qsizetype>(static_cast<qsizetype>(count), m_bytes.size() - m_position);
    if (taken > 0) {
        std::memcpy(buffer, m_bytes.constData() + m_position, static_cast<std::size_t>(taken));
        m_position += taken;
    }
    return static_cast<std::size_t>(std::max<qsizetype>(taken, 0));
}

bool ByteArrayFile::Write(const void* buffer, std::size_t count) {
    const qsizetype end = m_position + static_cast<qsizetype>(count);
    if (end > m_bytes.size()) {
        m_bytes.resize(end);
    }
    std::memcpy(m_bytes.data() + m_position, buffer, count);
    m_position = end;
    return true;
}

bool ByteArrayFile::SetLength(std::uint64_t length) {
    m_bytes.resize(static_cast<qsizetype>(length), '\0');
    m_position = std::min(m_position, m_bytes.size());
    return true;
}

std::optional<std::uint64_t> ByteArrayFile::Length() {
    return static_cast<std::uint64_t>(m_bytes.size());
}

}  // namespace quorbex::platform
