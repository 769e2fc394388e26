// The store's File over bytes in memory: what a dictionary is loaded from or
// saved to when no file on disk is involved (bytes already read, a recovery
// image, a test's file).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "store/file.h"

namespace quorbex {

// A read of up to count bytes at position of the size bytes at bytes, into
// buffer: answers how many were copied, none at or past the end, and moves
// position past them.
std::size_t ReadFromMemory(const std::uint8_t* bytes, std::size_t size, std::size_t& position,
                           void* buffer, std::size_t count);

class MemoryFile : public File {
public:
    MemoryFile() = default;
    explicit MemoryFile(std::vector<std::uint8_t> bytes) : bytes(std::move(bytes)) {}

    bool SeekToBegin() override;
    std::optional<std::size_t> Read(void* buffer, std::size_t count) override;
    bool Write(const void* buffer, std::size_t count) override;
    bool SetLength(std::uint64_t length) override;
    std::optional<std::uint64_t> Length() override { return bytes.size(); }

    // The file's bytes, and where the next read or write begins.
    std::vector<std::uint8_t> bytes;
    std::size_t position = 0;
};

}  // namespace quorbex
