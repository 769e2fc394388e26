// Conversion between GBK (code page 936) bytes and UTF-8: decoding from tables
// taken from iconv at build time, encoding through iconv.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorbex {

// Never fails: a byte that does not start a valid character (a lone lead
// byte at the end, an invalid pair) becomes U+FFFD and decoding goes on with
// the next byte.
std::string GbkToUtf8(std::string_view gbk);

// Whether every byte of gbk belongs to a character GBK defines, which is
// when the text comes back byte for byte from its UTF-8 form. Decided from
// the decoding tables alone: it opens no converter, and never fails.
bool IsGbkText(std::string_view gbk);

struct GbkEncodeError {
    std::size_t offset = 0;  // byte offset in the UTF-8 input
    std::string character;   // the character GBK cannot hold, as UTF-8
};

// Nothing when the text holds a character GBK cannot represent, or bytes
// that are not UTF-8; error (if given) then says which and where.
std::optional<std::string> Utf8ToGbk(std::string_view utf8, GbkEncodeError* error = nullptr);

}  // namespace quorbex
