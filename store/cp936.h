// Text rules of code page 936 (GBK): character boundaries, upper-casing and
// the ordering of names. A lead byte (0x81-0xFE) and the byte after it form
// one double-byte character; every other byte is a character of its own.
#pragma once

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

// The multibyte name comparison: character by character, a double-byte
// character counting as lead * 256 + trail; a lead byte directly followed by
// the end counts as the end. Negative, zero or positive like strcmp.
int CompareNames(std::string_view a, std::string_view b);

}  // namespace quorbex::cp936
