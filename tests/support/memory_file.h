// A File held in a byte vector, for tests and benchmarks, with switches that
// make chosen operations fail.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "store/file.h"

namespace quorbex::testing {

class MemoryFile final : public File {
public:
    MemoryFile() = default;
    explicit MemoryFile(std::vector<std::uint8_t> bytes) : bytes(std::move(bytes)) {}

    bool SeekToBegin() override {
        ++seekCalls;
        if (failSeekFromCall != 0 && seekCalls >= failSeekFromCall) {
            return false;
        }
        position = 0;
        return true;
    }

    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        ++readCalls;
        if (failReadFromCall != 0 && readCalls >= failReadFromCall) {
            return std::nullopt;
        }
        const std::size_t available = position < bytes.size() ? bytes.size() - position : 0;
        const std::size_t taken = std::min(count, available);
        if (taken > 0) {
            std::memcpy(buffer, bytes.data() + position, taken);
        }
        position += taken;
        return taken;
    }

    bool Write(const void* buffer, std::size_t count) override {
        ++writeCalls;
        if (failWriteFromCall != 0 && writeCalls >= failWriteFromCall) {
            return false;
        }
        if (position + count > bytes.size()) {
            bytes.resize(position + count, 0);
        }
        if (count > 0) {
            std::memcpy(bytes.data() + position, buffer, count);
        }
        position += count;
        return true;
    }

    bool SetLength(std::uint64_t length) override {
        if (failSetLength) {
            return false;
        }
        bytes.resize(static_cast<std::size_t>(length), 0);
        position = std::min<std::size_t>(position, bytes.size());
        return true;
    }

    std::vector<std::uint8_t> bytes;
    std::size_t position = 0;

    // 1-based call numbers from which the operation fails; 0 never fails.
    int failSeekFromCall = 0;
    int failReadFromCall = 0;
    int failWriteFromCall = 0;
    bool failSetLength = false;

    int seekCalls = 0;
    int readCalls = 0;
    int writeCalls = 0;
};

}  // namespace quorbex::testing
