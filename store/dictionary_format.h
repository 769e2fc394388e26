// Layout of a dictionary file (.zvk): a 128-byte header followed by fixed
// 698-byte drug records, every byte XOR-scrambled with one key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorbex {

inline constexpr std::uint32_t DICT_HEADER_SIZE = 128;
inline constexpr std::uint32_t DICT_RECORD_SIZE = 698;
inline constexpr std::uint32_t DICT_COUNT_OFFSET = 6;
inline constexpr std::uint32_t DICT_MAGIC_OFFSET = 10;
inline constexpr std::uint32_t DICT_MAGIC = 0xEDFA1428;
inline constexpr std::uint32_t DICT_MAX_RECORDS = 2000;
inline constexpr std::uint8_t DICT_XOR_KEY = 0xC6;
// Files are copied in and out of the image in chunks of this many bytes.
inline constexpr std::size_t DICT_COPY_CHUNK = 1024;
// The search pattern is cut to this many bytes before matching.
inline constexpr std::size_t QUERY_PATTERN_MAX = 20;

// Image offset of 1-based record number n.
constexpr std::uint64_t RecordOffset(std::uint32_t n) {
    return std::uint64_t{DICT_HEADER_SIZE} + std::uint64_t{DICT_RECORD_SIZE} * (n - 1ULL);
}

// Length of a well-formed file that holds count records.
constexpr std::uint64_t DictionaryLength(std::uint32_t count) {
    return std::uint64_t{DICT_HEADER_SIZE} + std::uint64_t{DICT_RECORD_SIZE} * count;
}

// The seven text fields of a record, in file order.
enum class Field { TradeName, PinyinInitials, EnglishName, OtherNames, Function, Usage, Cautions };

struct FieldLayout {
    Field field;
    std::uint32_t offset;  // within the record
    std::uint32_t limit;   // most text bytes; the field is one byte wider for its NUL
    std::string_view name;
};

inline constexpr std::array<FieldLayout, 7> FIELD_LAYOUTS{{
    {Field::TradeName, 0, 20, "TradeName"},
    {Field::PinyinInitials, 21, 10, "PinyinInitials"},
    {Field::EnglishName, 32, 20, "EnglishName"},
    {Field::OtherNames, 53, 40, "OtherNames"},
    {Field::Function, 94, 200, "Function"},
    {Field::Usage, 295, 200, "Usage"},
    {Field::Cautions, 496, 200, "Cautions"},
}};

// Offset of the spare byte that ends every record.
inline constexpr std::uint32_t RECORD_SPARE_OFFSET = 697;

constexpr const FieldLayout& LayoutOf(Field field) {
    return FIELD_LAYOUTS[static_cast<std::size_t>(field)];
}

// SearchMask bits: which fields a query searches.
inline constexpr int SEARCH_TRADE_NAME = 0x01;
inline constexpr int SEARCH_PINYIN = 0x02;
inline constexpr int SEARCH_OTHER_NAMES = 0x04;
inline constexpr int SEARCH_ENGLISH_NAME = 0x08;
inline constexpr int SEARCH_FUNCTION = 0x10;
inline constexpr int SEARCH_USAGE = 0x20;
inline constexpr int SEARCH_CAUTIONS = 0x40;
inline constexpr int SEARCH_ALL = 0x80;

// The fields in the order in which the query joins them into its search
// text; mask bit 1 << k selects the k-th.
inline constexpr std::array<Field, 7> SEARCH_ORDER{
    Field::TradeName, Field::PinyinInitials, Field::OtherNames, Field::EnglishName,
    Field::Function,  Field::Usage,          Field::Cautions};

constexpr int MaskBitOf(Field field) {
    for (std::size_t k = 0; k < SEARCH_ORDER.size(); ++k) {
        if (SEARCH_ORDER[k] == field) {
            return 1 << k;
        }
    }
    return 0;
}

// The fields that a mask selects: bits 0x01 to 0x40, all of them with
// SEARCH_ALL; a wider value counts its low 8 bits.
constexpr int SelectedFields(int mask) {
    const int bits = mask & 0xFF;
    return (bits & SEARCH_ALL) != 0 ? 0x7F : bits & 0x7F;
}

// SortKey values; any other value keeps the order in which records were found.
inline constexpr int SORT_BY_TRADE_NAME = 0;
inline constexpr int SORT_BY_ENGLISH_NAME = 1;
// The Mandarin reading of the trade name (store/pinyin.h); ties keep the order
// in which records were found.
inline constexpr int SORT_BY_PINYIN = 3;

}  // namespace quorbex
