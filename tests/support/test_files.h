// Files and texts for document tests: GBK literals, whole-file reads and
// writes, and dictionary files built from records.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "store/drug_fields.h"
#include "store/gbk_codec.h"
#include "tests/support/dictionary_builder.h"
#include "tests/support/gbk_text.h"
#include "tests/support/qstring_printer.h"

namespace quorbex {

inline void PrintTo(const DrugFields& fields, std::ostream* out) {
    *out << "{" << GbkToUtf8(fields.tradeName) << " | " << GbkToUtf8(fields.pinyinInitials) << " | "
         << GbkToUtf8(fields.englishName) << " | " << GbkToUtf8(fields.otherNames) << " | "
         << GbkToUtf8(fields.function) << " | " << GbkToUtf8(fields.usage) << " | "
         << GbkToUtf8(fields.cautions) << "}";
}

namespace testing {

// A text's bytes, as a file holds them.
inline std::vector<std::uint8_t> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

inline std::vector<std::uint8_t> ReadFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

inline void WriteFileBytes(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())),
        static_cast<qint64>(bytes.size()));
}

// The bytes of a dictionary file that holds records, as the store writes it.
inline std::vector<std::uint8_t> DictionaryFileBytes(std::vector<DrugFields> records) {
    RecordStore store;
    AppendAll(store, std::move(records));
    MemoryFile file;
    store.SaveToFile(&file);
    return file.bytes;
}

}  // namespace testing
}  // namespace quorbex
