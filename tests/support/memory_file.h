// The store's in-memory File for tests and benchmarks, with switches that
// make chosen operations fail.
#pragma once

#include <optional>

#include "store/memory_file.h"

namespace quorbex::testing {

class MemoryFile final : public quorbex::MemoryFile {
public:
    using quorbex::MemoryFile::MemoryFile;

    bool SeekToBegin() override {
        ++seekCalls;
        if (failSeekFromCall != 0 && seekCalls >= failSeekFromCall) {
            return false;
        }
        return quorbex::MemoryFile::SeekToBegin();
    }

    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        ++readCalls;
        if (failReadFromCall != 0 && readCalls >= failReadFromCall) {
            return std::nullopt;
        }
        return quorbex::MemoryFile::Read(buffer, count);
    }

    bool Write(const void* buffer, std::size_t count) override {
        ++writeCalls;
        if (failWriteFromCall != 0 && writeCalls >= failWriteFromCall) {
            return false;
        }
        return quorbex::MemoryFile::Write(buffer, count);
    }

    bool SetLength(std::uint64_t length) override {
        return !failSetLength && quorbex::MemoryFile::SetLength(length);
    }

    // No length is told: the store then reads as it does from a file whose
    // length it cannot know beforehand, in pieces, which the failures above
    // count.
    std::optional<std::uint64_t> Length() override { return std::nullopt; }

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
