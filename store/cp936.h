// Text rules of code page 936 (GBK): character boundaries, upper-casing and
// the ordering of names. A lead byte (0x81-0xFE) and the byte after it form
// one double-byte character; every other byte is a character of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorbex::cp936 {

constexpr bool IsLeadByte(std::uint8_t byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// Upper-case form of the double-byte character lead * 256 + trail, or the
// character itself when the code page gives it no other upper-case form.
std::uint16_t UpperDoubleByte(std::uint16_t character);

// Upper-cases text as a sequence of characters: a-z become A-Z, a double-byte
// character is mapped as a whole, and a trail byte never changes on its own.
// A lead byte at the very end stays as it is.
void UpperCaseInPlace(std::string& text);

// Upper-cases count texts, one after the other, into out, each as
// UpperCaseInPlace would on its own (so a lone lead byte at the end of one
// never pairs with the next one's first byte), and marks where each
// character starts: bit k of the bit set starts (bit k % 8 of starts[k / 8])
// for a character at out[k]; the other bits are left as they are. For speed
// it may read up to FOLD_SLACK bytes past the end of each text, write
// anything into the FOLD_SLACK bytes of out after the joined texts, and read
// and write back unchanged the 8 bytes of starts after the one that holds the
// last character's bit. The unsuffixed form is the vector one (SSE2) where
// the build targets it; the plain form gives the same result on every input.
inline constexpr std::size_t FOLD_SLACK = 16;
void UpperCaseJoinedMarkingStarts(const std::string_view* texts, std::size_t count, char* out,
                                  std::uint8_t* starts);
void UpperCaseJoinedMarkingStartsPlain(const std::string_view* texts, std::size_t count, char* out,
                                       std::uint8_t* starts);
void UpperCaseJoinedMarkingStartsSse2(const std::string_view* texts, std::size_t count, char* out,
                                      std::uint8_t* starts);

// The multibyte name comparison: character by character, a double-byte
// character counting as lead * 256 + trail; a lead byte directly followed by
// the end counts as the end. Negative, zero or positive like strcmp.
int CompareNames(std::string_view a, std::string_view b);

// The characters of a name as CompareNames reads them, one value each (lead *
// 256 + trail, or the byte), up to the first that counts as its end (a NUL, or
// a lone lead byte at the end); out has room for name.size() values. Every
// value is above zero, and CompareNames(a, b) orders a and b as their value
// sequences compare lexicographically, the shorter first where one is the
// start of the other.
std::size_t NameCharacters(std::string_view name, std::uint16_t* out);

}  // namespace quorbex::cp936
