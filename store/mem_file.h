// A file held in memory: a length, a position, and bytes that read and write
// like a disk file's. Writing past the end lengthens it and fills any gap with
// zero bytes; every failure (a negative seek, memory exhausted) is reported as
// false and leaves the file as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorbex {

class MemFile {
public:
    // Storage grows in whole steps of this many bytes.
    static constexpr std::size_t GROW_STEP = 1024;
    // Longest image held. Far above any dictionary (1,396,128 bytes at most);
    // it keeps a huge file that is not a dictionary from exhausting memory.
    static constexpr std::uint64_t MAX_LENGTH = 64ULL * 1024 * 1024;

    bool Seek(std::int64_t position);
    // Reads up to count bytes from the position; yields fewer at the end.
    std::size_t Read(void* buffer, std::size_t count);
    bool Write(const void* buffer, std::size_t count);
    bool SetLength(std::uint64_t length);
    // Makes room for length bytes without changing the file; false if that
    // is more than the file may hold or memory is exhausted.
    bool Reserve(std::uint64_t length);

    std::uint64_t GetLength() const { return m_bytes.size(); }
    std::uint64_t GetPosition() const { return m_position; }
    const std::uint8_t* Data() const { return m_bytes.data(); }

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_position = 0;
};

}  // namespace quorbex
