// Helpers that build dictionary files and stores for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/dictionary_format.h"
#include "store/drug_fields.h"
#include "store/record_store.h"
#include "tests/support/gbk_text.h"
#include "tests/support/memory_file.h"

namespace quorbex::testing {

inline std::vector<std::uint8_t> Scrambled(std::vector<std::uint8_t> bytes) {
    for (auto& byte : bytes) {
        byte ^= DICT_XOR_KEY;
    }
    return bytes;
}

// The plain header of a dictionary with the given count and magic.
inline std::vector<std::uint8_t> PlainHeader(std::uint32_t count,
                                             std::uint32_t magic = DICT_MAGIC) {
    std::vector<std::uint8_t> header(DICT_HEADER_SIZE, 0);
    for (int i = 0; i < 4; ++i) {
        header[DICT_COUNT_OFFSET + i] = static_cast<std::uint8_t>(count >> (8 * i));
        header[DICT_MAGIC_OFFSET + i] = static_cast<std::uint8_t>(magic >> (8 * i));
    }
    return header;
}

// A plain file of length bytes: the header of PlainHeader(count), then fill.
inline std::vector<std::uint8_t> PlainFile(std::uint32_t count, std::size_t length,
                                           std::uint8_t fill = 0) {
    std::vector<std::uint8_t> bytes(length, fill);
    const auto header = PlainHeader(count);
    std::copy(header.begin(), header.end(), bytes.begin());
    return bytes;
}

// A record from its texts in UTF-8, in the order of DrugFields: trade name,
// pinyin, English name, other names, function, usage, cautions.
inline DrugFields GbkRecord(const char* tradeName, const char* pinyin, const char* englishName,
                            const char* otherNames = "", const char* function = "",
                            const char* usage = "", const char* cautions = "") {
    DrugFields fields;
    fields.tradeName = Gbk(tradeName);
    fields.pinyinInitials = Gbk(pinyin);
    fields.englishName = Gbk(englishName);
    fields.otherNames = Gbk(otherNames);
    fields.function = Gbk(function);
    fields.usage = Gbk(usage);
    fields.cautions = Gbk(cautions);
    return fields;
}

inline DrugFields Names(std::string tradeName, std::string englishName = {}) {
    DrugFields fields;
    fields.tradeName = std::move(tradeName);
    fields.englishName = std::move(englishName);
    return fields;
}

// Appends every record to store.
inline void AppendAll(RecordStore& store, std::vector<DrugFields> records) {
    for (DrugFields& record : records) {
        ExchangeFields(store, record, false);
        store.AppendRecord();
    }
}

// A store loaded from a file that holds the given plain bytes.
inline bool LoadPlain(RecordStore& store, const std::vector<std::uint8_t>& plain) {
    MemoryFile file(Scrambled(plain));
    return store.LoadFromFile(file);
}

inline std::vector<std::uint8_t> ImageBytes(const RecordStore& store) {
    const MemFile& image = store.GetImage();
    return {image.Data(), image.Data() + image.GetLength()};
}

inline DrugFields RecordFields(RecordStore& store, std::uint32_t number) {
    DrugFields fields;
    if (store.GoToRecord(number)) {
        ExchangeFields(store, fields, true);
    }
    return fields;
}

}  // namespace quorbex::testing
