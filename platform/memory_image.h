// A dictionary image in memory as Qt holds it (QByteArray) and as the store
// reads and writes it.
#pragma once

#include <QByteArray>
#include <utility>

#include "store/file.h"
#include "store/memory_file.h"

namespace quorbex::platform {

// Bytes that Qt holds, read by the store in place: a file that reads and
// cannot be written. It shares the array, which no copy of the image needs.
class ByteArrayFile : public File {
public:
    explicit ByteArrayFile(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    bool SeekToBegin() override {
        m_position = 0;
        return true;
    }
    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        return ReadFromMemory(reinterpret_cast<const std::uint8_t*>(m_bytes.constData()),
                              static_cast<std::size_t>(m_bytes.size()), m_position, buffer, count);
    }
    bool Write(const void* /*buffer*/, std::size_t /*count*/) override { return false; }
    bool SetLength(std::uint64_t /*length*/) override { return false; }
    std::optional<std::uint64_t> Length() override {
        return static_cast<std::uint64_t>(m_bytes.size());
    }

private:
    QByteArray m_bytes;
    std::size_t m_position = 0;
};

inline QByteArray ByteArrayOf(const MemoryFile& file) {
    return QByteArray(reinterpret_cast<const char*>(file.bytes.data()),
                      static_cast<qsizetype>(file.bytes.size()));
}

}  // namespace quorbex::platform
