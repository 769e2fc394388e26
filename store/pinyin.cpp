#include "store/pinyin.h"

#include "store/cp936.h"

namespace quorbex::pinyin {
namespace {

#include "store/pinyin_readings.inc"

constexpr std::size_t SYLLABLE_COUNT = sizeof SYLLABLES / sizeof SYLLABLES[0];
constexpr std::size_t SPELLING_COUNT = sizeof SPELLINGS / sizeof SPELLINGS[0];
constexpr std::size_t NO_CODE = 126 * 191;

// Where the tables keep a double-byte character; NO_CODE for none.
std::size_t CodeIndex(std::uint16_t character) {
    const unsigned lead = character >> 8;
    const unsigned trail = character & 0xFF;
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) {
        return NO_CODE;
    }
    return (lead - 0x81) * 191 + (trail - 0x40);
}

// The 1-based number of the reading of a double-byte character; 0: none.
std::size_t ReadingNumber(std::uint16_t character) {
    const std::size_t code = CodeIndex(character);
    return code == NO_CODE ? 0 : READING_OF_CODE[code];
}

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Calls visit(character, isDoubleByte) for each character of name up to its
// first NUL; a lead byte at the very end stands alone.
template <typename Visit>
void ForEachCharacter(std::string_view name, Visit visit) {
    for (std::size_t i = 0; i < name.size() && name[i] != '\0';) {
        const auto byte = static_cast<std::uint8_t>(name[i]);
        if (cp936::IsLeadByte(byte) && i + 1 < name.size()) {
            visit(static_cast<std::uint16_t>(byte << 8 | static_cast<std::uint8_t>(name[i + 1])),
                  true);
            i += 2;
        } else {
            visit(byte, false);
            ++i;
        }
    }
}

}  // namespace

Syllable ReadingOf(std::uint16_t character) {
    const std::size_t number = ReadingNumber(character);
    if (number == 0 || number > SYLLABLE_COUNT) {
        return {"", ""};
    }
    return SYLLABLES[number - 1];
}

std::span<const std::uint16_t> SpellingsOf(std::uint16_t character) {
    const std::size_t code = CodeIndex(character);
    if (code == NO_CODE) {
        return {};
    }
    return {SPELLING_LIST + SPELLINGS_OF_CODE[code],
            static_cast<std::size_t>(SPELLINGS_OF_CODE[code + 1] - SPELLINGS_OF_CODE[code])};
}

std::string_view SpellingText(std::uint16_t number) {
    return number < SPELLING_COUNT ? SPELLINGS[number] : std::string_view();
}

std::string Initials(std::string_view name, std::size_t limit) {
    std::string initials;
    ForEachCharacter(name, [&initials](std::uint16_t character, bool doubleByte) {
        if (!doubleByte) {
            const char c = static_cast<char>(character);
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
                initials += UpperAscii(c);
            }
        } else if (const Syllable syllable = ReadingOf(character); *syllable.plain != '\0') {
            initials += UpperAscii(*syllable.plain);
        }
    });
    if (initials.size() > limit) {
        initials.resize(limit);
    }
    return initials;
}

// The primary values (readings, upper-cased characters), a 0 that ends them,
// then the characters as they are.
std::vector<std::uint64_t> OrderKey(std::string_view name) {
    constexpr std::uint64_t WITH_READING = std::uint64_t{1} << 32;
    std::vector<std::uint64_t> key;
    std::vector<std::uint64_t> characters;
    ForEachCharacter(name, [&key, &characters](std::uint16_t character, bool doubleByte) {
        characters.push_back(character);
        if (const std::size_t number = doubleByte ? ReadingNumber(character) : 0; number != 0) {
            key.push_back(WITH_READING | number);
        } else if (doubleByte) {
            key.push_back(cp936::UpperDoubleByte(character));
        } else {
            key.push_back(static_cast<std::uint8_t>(UpperAscii(static_cast<char>(character))));
        }
    });
    key.push_back(0);
    key.insert(key.end(), characters.begin(), characters.end());
    return key;
}

}  // namespace quorbex::pinyin
