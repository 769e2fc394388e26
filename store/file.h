// The file that a dictionary is loaded from or saved to, used only through
// these four operations. Each reports failure instead of throwing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quorbex {

class File {
public:
    virtual ~File() = default;

    virtual bool SeekToBegin() = 0;
    // Reads up to count bytes; fewer only at the end of the file. Nothing on failure.
    virtual std::optional<std::size_t> Read(void* buffer, std::size_t count) = 0;
    // Writes all count bytes or fails.
    virtual bool Write(const void* buffer, std::size_t count) = 0;
    virtual bool SetLength(std::uint64_t length) = 0;
    // The file's length in bytes where it is known at no cost; nothing
    // otherwise. Only a hint, for sizing buffers.
    virtual std::optional<std::uint64_t> Length() { return std::nullopt; }
};

}  // namespace quorbex
