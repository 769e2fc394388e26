// The store's File interface over bytes in memory: what a document's
// serialization writes into or reads from when no file on disk is involved.
#pragma once

#include <QByteArray>

#include "store/file.h"

namespace quorbex::platform {

class ByteArrayFile final : public File {
public:
    ByteArrayFile() = default;
    explicit ByteArrayFile(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    bool SeekToBegin() override;
    std::optional<std::size_t> Read(void* buffer, std::size_t count) override;
    bool Write(const void* buffer, std::size_t count) override;
    bool SetLength(std::uint64_t length) override;
    std::optional<std::uint64_t> Length() override;

    const QByteArray& Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    qsizetype m_position = 0;
};

}  // namespace quorbex::platform
