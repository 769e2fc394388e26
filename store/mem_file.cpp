#include "store/mem_file.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "store/prefault.h"

namespace quorbex {

bool MemFile::Seek(std::int64_t position) {
    if (position < 0) {
        return false;
    }
    m_position = static_cast<std::uint64_t>(position);
    return true;
}

std::size_t MemFile::Read(void* buffer, std::size_t count) {
    if (m_position >= m_bytes.size()) {
        return 0;
    }
    const std::size_t available = static_cast<std::size_t>(m_bytes.size() - m_position);
    const std::size_t taken = std::min(count, available);
    std::memcpy(buffer, m_bytes.data() + m_position, taken);
    m_position += taken;
    return taken;
}

bool MemFile::Write(const void* buffer, std::size_t count) {
    if (count == 0) {
        return true;
    }
    const std::uint64_t end = m_position + count;
    if (end > m_bytes.size() && !SetLength(end)) {
        return false;
    }
    std::memcpy(m_bytes.data() + m_position, buffer, count);
    m_position = end;
    return true;
}

bool MemFile::SetLength(std::uint64_t length) {
    if (!Reserve(length)) {
        return false;
    }
    m_bytes.resize(static_cast<std::size_t>(length), 0);
    m_position = std::min(m_position, length);
    return true;
}

// Makes room for length bytes in whole grow steps; the capacity at least
// doubles so that appending record after record stays linear.
bool MemFile::Reserve(std::uint64_t length) {
    if (length > MAX_LENGTH) {
        return false;
    }
    if (length <= m_bytes.capacity()) {
        return true;
    }
    const std::uint64_t wanted = std::max<std::uint64_t>(length, 2 * m_bytes.capacity());
    const std::uint64_t rounded =
        std::min<std::uint64_t>((wanted + GROW_STEP - 1) / GROW_STEP * GROW_STEP, MAX_LENGTH);
    try {
        m_bytes.reserve(static_cast<std::size_t>(rounded));
    } catch (const std::bad_alloc&) {
        return false;
    }
    PrefaultForWriting(m_bytes.data() + m_bytes.size(), m_bytes.capacity() - m_bytes.size());
    return true;
}

}  // namespace quorbex
