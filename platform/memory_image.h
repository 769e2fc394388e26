// A dictionary image in memory as Qt holds it (QByteArray) and as the store
// reads and writes it (MemoryFile).
#pragma once

#include <QByteArray>

#include "store/memory_file.h"

namespace quorbex::platform {

inline MemoryFile MemoryFileOf(const QByteArray& bytes) {
    const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    return MemoryFile(std::vector<std::uint8_t>(begin, begin + bytes.size()));
}

inline QByteArray ByteArrayOf(const MemoryFile& file) {
    return QByteArray(reinterpret_cast<const char*>(file.bytes.data()),
                      static_cast<qsizetype>(file.bytes.size()));
}

}  // namespace quorbex::platform
