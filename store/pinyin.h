// Mandarin readings of the code page 936 characters, from Unihan (the tables
// are generated at build time): the pinyin initials of a name, the pinyin
// order of names, and every reading of a character for the quick search.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorbex::pinyin {

// The reading of the double-byte character lead * 256 + trail as Unihan
// writes it ("ā"), and its plain form: the letters without tone marks, ü as v,
// then the tone as a digit 1 to 5 ("a1"). Both empty when it has none.
struct Syllable {
    const char* reading;
    const char* plain;
};
Syllable ReadingOf(std::uint16_t character);

// Every reading of the double-byte character lead * 256 + trail that Unihan
// gives (kMandarin, kHanyuPinyin, kXHC1983, kTGHZ2013) as spelling numbers:
// distinct, the customary reading's (ReadingOf) first. Empty when it has none.
std::span<const std::uint16_t> SpellingsOf(std::uint16_t character);
// The spelling of a number that SpellingsOf gives: the reading's lower-case
// letters without tone, ü as v ("lv"). Empty for any other number.
std::string_view SpellingText(std::uint16_t number);

// The initials of a GBK name: for each character, an ASCII letter (upper-
// cased) or digit as it is, the first letter of a Chinese character's reading
// upper-cased; every other character is skipped. At most limit bytes.
std::string Initials(std::string_view name, std::size_t limit);

// A key that orders GBK names (up to their first NUL) by pinyin when keys
// are compared lexicographically: first the characters' readings (plain
// form, then tone), a character with a reading after every character without
// one, those by their upper-cased form (a-z as A-Z); then, between names of
// the same readings, the characters as they are. Names without Chinese
// characters thus keep to Latin order among themselves, and come before the
// names that start with one.
std::vector<std::uint64_t> OrderKey(std::string_view name);

}  // namespace quorbex::pinyin
