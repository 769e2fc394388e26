// What a dictionary file holds, read straight from its bytes: whether the
// program opens it and the text of every record. The fuzz targets hold the
// store and the document to it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/dictionary_format.h"
#include "store/drug_fields.h"
#include "tests/support/plain_image.h"

namespace quorbex::fuzz {

inline std::uint32_t PlainUint32(std::string_view plain, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = value << 8 | static_cast<std::uint8_t>(plain[offset + i]);
    }
    return value;
}

// The number of records a file opens with, or nothing when it does not open.
inline std::optional<std::uint32_t> OpenedCount(std::string_view fileBytes) {
    if (fileBytes.size() <= DICT_COUNT_OFFSET) {
        return 0;
    }
    // A file that reaches into the count must hold the whole magic.
    if (fileBytes.size() < DICT_MAGIC_OFFSET + 4) {
        return std::nullopt;
    }
    std::string header(fileBytes.substr(0, DICT_MAGIC_OFFSET + 4));
    for (char& byte : header) {
        byte = static_cast<char>(static_cast<std::uint8_t>(byte) ^ DICT_XOR_KEY);
    }
    const std::uint32_t count = PlainUint32(header, DICT_COUNT_OFFSET);
    if (PlainUint32(header, DICT_MAGIC_OFFSET) != DICT_MAGIC || count > DICT_MAX_RECORDS) {
        return std::nullopt;
    }
    return count;
}

// The records of a file as it opens, or nothing when it does not open.
inline std::optional<std::vector<DrugFields>> OpenedRecords(std::string_view fileBytes) {
    const std::optional<std::uint32_t> count = OpenedCount(fileBytes);
    if (!count) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> plain(fileBytes.begin(), fileBytes.end());
    for (std::uint8_t& byte : plain) {
        byte ^= DICT_XOR_KEY;
    }
    std::vector<DrugFields> records;
    for (std::uint32_t number = 1; number <= *count; ++number) {
        records.push_back(testing::PlainFields(testing::PlainRecord(plain, number)));
    }
    return records;
}

}  // namespace quorbex::fuzz
