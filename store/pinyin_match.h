// The quick search's pinyin: a name read as the spellings of its characters,
// and a typed query matched against them, whole syllables, initials or both
// mixed ("amoxilin", "amxl", "amoxl" for 阿莫西林).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/pinyin.h"

namespace quorbex {

// The pinyin form of text: its letters in lower case, with ü spelled u
// (Unihan's plain forms spell it v, people type v or u, so a v is a u here
// as everywhere in the pinyin), and its digits.
char PinyinLetter(char c);

// A name's units: one for each character that has a spelling, in order: a
// Chinese character, spelled each of the ways that it is read (without
// tones), and an ASCII letter or digit, spelled as its pinyin form. Other
// characters (punctuation, spaces, characters without a reading) are no
// unit. The name is text as quickfold::Fold gives it; units past the first
// MAX_UNITS are left out (a trade name has at most 20 bytes).
class PinyinUnits {
public:
    static constexpr std::size_t MAX_UNITS = 32;

    explicit PinyinUnits(std::string_view folded);

    std::size_t Count() const { return m_count; }
    // Calls visit(std::string_view) with each spelling of the unit, the
    // customary reading's first.
    template <typename Visit>
    void Spellings(std::size_t unit, Visit visit) const;
    // The bytes of the folded name that the unit stands for.
    std::size_t Begin(std::size_t unit) const { return m_starts[unit]; }
    std::size_t End(std::size_t unit) const {
        return m_starts[unit] + (m_codes[unit] < 0x80 ? 1 : 2);
    }

private:
    // The pinyin form of an ASCII letter or digit, and of a spelling.
    static std::string_view LiteralSpelling(std::uint16_t code);
    static std::string_view SpellingOfNumber(std::uint16_t number);

    // An ASCII letter or digit as its byte, a Chinese character as lead *
    // 256 + trail.
    std::array<std::uint16_t, MAX_UNITS> m_codes{};
    std::array<std::uint8_t, MAX_UNITS> m_starts{};
    std::size_t m_count = 0;
};

// A query as the pinyin matching reads it: its pinyin form with spaces and
// apostrophes (the syllable mark, as in xi'an) left out; nothing when it
// holds any other character, is empty, or is longer than any name's pinyin
// can be (PINYIN_QUERY_MAX letters). query is folded.
inline constexpr std::size_t PINYIN_QUERY_MAX = 63;
std::optional<std::string> PinyinQuery(std::string_view folded);

// The spelling that a query is compared with for suggestions: its ASCII
// letters and digits in pinyin form, and each Chinese character's customary
// reading; other characters left out. query is folded.
std::string SpellingOfQuery(std::string_view folded);

// Where a pinyin query matches a name's units: from unit first to unit last,
// each contributing a start (at least one letter) of one of its spellings,
// together the whole query.
struct PinyinSpan {
    std::size_t first;
    std::size_t last;
};

// How a pinyin query matches a name.
enum class PinyinFit { None, FromFirstUnit, FromLaterUnit };
PinyinFit FitPinyin(const PinyinUnits& units, std::string_view pinyinQuery);

// The match that starts at the earliest unit, if any.
std::optional<PinyinSpan> FirstPinyinSpan(const PinyinUnits& units, std::string_view pinyinQuery);

template <typename Visit>
void PinyinUnits::Spellings(std::size_t unit, Visit visit) const {
    const std::uint16_t code = m_codes[unit];
    if (code < 0x80) {
        visit(LiteralSpelling(code));
        return;
    }
    for (const std::uint16_t number : pinyin::SpellingsOf(code)) {
        visit(SpellingOfNumber(number));
    }
}

}  // namespace quorbex
