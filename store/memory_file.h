// The store's File over bytes in memory: what a dictionary is loaded from or
// saved to when no file on disk is involved (bytes already read, a recovery
// image, a test's file).
#pragma once

#include <cstdint>
#include <vector>

#include "store/file.h"

namespace quorbex {

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
