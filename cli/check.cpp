#include "cli/check.h"

#include <algorithm>
#include <cstdint>
#include <iomanip>
#include <sstream>

#include "store/dictionary_format.h"

namespace quorbex::zvk {

namespace {

std::uint8_t PlainByte(std::string_view fileBytes, std::size_t offset) {
    return static_cast<std::uint8_t>(fileBytes[offset]) ^ DICT_XOR_KEY;
}

std::uint32_t PlainUint32(std::string_view fileBytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = value << 8 | PlainByte(fileBytes, offset + i);
    }
    return value;
}

struct Header {
    std::uint32_t count;
    std::uint32_t magic;
};

// Nothing when the file ends before the magic does.
std::optional<Header> ReadHeader(std::string_view fileBytes) {
    if (fileBytes.size() < DICT_MAGIC_OFFSET + 4) {
        return std::nullopt;
    }
    return Header{PlainUint32(fileBytes, DICT_COUNT_OFFSET),
                  PlainUint32(fileBytes, DICT_MAGIC_OFFSET)};
}

std::string TooShort(std::size_t length) {
    return std::to_string(length) + " bytes long, too short to be a dictionary";
}

std::string WrongMagic(std::uint32_t magic) {
    std::ostringstream text;
    text << std::hex << std::uppercase << std::setfill('0') << "not a dictionary: its magic is 0x"
         << std::setw(8) << magic << ", a dictionary's is 0x" << std::setw(8) << DICT_MAGIC;
    return text.str();
}

std::string TooManyRecords(std::uint32_t count) {
    return "its record count " + std::to_string(count) + " is above the most a dictionary holds, " +
           std::to_string(DICT_MAX_RECORDS);
}

bool FieldIsTerminated(std::string_view fileBytes, std::size_t fieldStart, std::size_t width) {
    const std::string_view field = fileBytes.substr(fieldStart, width);
    // A plain NUL is the key itself on disk.
    return field.find(static_cast<char>(DICT_XOR_KEY)) != std::string_view::npos;
}

}  // namespace

bool OpensAsEmptyDictionary(std::string_view fileBytes) {
    return fileBytes.size() <= DICT_COUNT_OFFSET;
}

std::optional<std::string> NotADictionaryReason(std::string_view fileBytes) {
    if (OpensAsEmptyDictionary(fileBytes)) {
        return std::nullopt;
    }
    const std::optional<Header> header = ReadHeader(fileBytes);
    if (!header) {
        return TooShort(fileBytes.size());
    }
    if (header->magic != DICT_MAGIC) {
        return WrongMagic(header->magic);
    }
    if (header->count > DICT_MAX_RECORDS) {
        return TooManyRecords(header->count);
    }
    return std::nullopt;
}

std::vector<std::string> CheckDictionary(std::string_view fileBytes) {
    if (OpensAsEmptyDictionary(fileBytes)) {
        return {};
    }
    const std::optional<Header> header = ReadHeader(fileBytes);
    if (!header) {
        return {TooShort(fileBytes.size())};
    }
    if (header->magic != DICT_MAGIC) {
        return {WrongMagic(header->magic)};
    }

    std::vector<std::string> problems;
    if (header->count > DICT_MAX_RECORDS) {
        problems.push_back(TooManyRecords(header->count));
    }
    const std::uint64_t expected = DictionaryLength(header->count);
    if (fileBytes.size() != expected) {
        problems.push_back(std::to_string(fileBytes.size()) + " bytes long, but " +
                           std::to_string(header->count) + " records need " +
                           std::to_string(expected) + " bytes");
    }

    // Only the records that lie wholly in the file; the length check above
    // already tells of any that are cut off.
    const std::uint64_t wholeRecords =
        fileBytes.size() < DICT_HEADER_SIZE
            ? 0
            : (fileBytes.size() - DICT_HEADER_SIZE) / DICT_RECORD_SIZE;
    const auto checked =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(header->count, wholeRecords));
    for (std::uint32_t number = 1; number <= checked; ++number) {
        for (const FieldLayout& layout : FIELD_LAYOUTS) {
            const std::size_t width = layout.limit + 1;
            if (!FieldIsTerminated(fileBytes, RecordOffset(number) + layout.offset, width)) {
                problems.push_back("record " + std::to_string(number) + ", field " +
                                   std::string(layout.name) + ": no terminating NUL within its " +
                                   std::to_string(width) + " bytes");
            }
        }
    }
    return problems;
}

}  // namespace quorbex::zvk
