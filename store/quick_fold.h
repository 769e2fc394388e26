// The quick search's view of GBK text, in which the ways people type the same
// thing read the same: full-width ASCII as ASCII, either case, and any run of
// white space as one space.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorbex::quickfold {

// The ASCII character (0x20 to 0x7E) that the double-byte character lead *
// 256 + trail is the full-width form of (U+FF01 to U+FF5E, and the
// ideographic space U+3000 as a space), as the GBK codec decodes it; 0 for
// any other character.
char HalfWidthOf(std::uint16_t character);

// Folds text: each full-width ASCII character becomes its ASCII form, then
// letters are upper-cased by the code page's rules (a-z, and the double-byte
// Greek and Cyrillic letters), and every run of white space (spaces, the
// ideographic space, and control characters such as tabs and line breaks)
// becomes one space. Characters are read as
// the code page reads them; a lead byte at the end stays a character of its
// own. With origins given, it receives for each byte of the result the
// offset in text of the character that the byte comes from, and then
// text.size().
std::string Fold(std::string_view text, std::vector<std::size_t>* origins = nullptr);

// Where the first occurrence of pattern in text at or after from starts at a
// character of text, or npos; from is the start of a character.
std::size_t FindAtCharacter(std::string_view text, std::string_view pattern, std::size_t from = 0);

// The length of text without a lead byte at its very end: the whole
// characters that text holds.
std::size_t WholeCharacters(std::string_view text);

}  // namespace quorbex::quickfold
