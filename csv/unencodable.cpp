#include "csv/unencodable.h"

#include <iconv.h>

#include <cstdio>
#include <optional>

namespace quorbex::csv {

namespace {

// The Unicode code point of one UTF-8 character, or nothing when the bytes
// are not exactly one well-formed character.
std::optional<wchar_t> CodePoint(std::string character) {
    const iconv_t converter = iconv_open("WCHAR_T", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    wchar_t codePoint = 0;
    char* in = character.data();
    std::size_t inLeft = character.size();
    char* out = reinterpret_cast<char*>(&codePoint);
    std::size_t outLeft = sizeof codePoint;
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0 || outLeft != 0) {
        return std::nullopt;
    }
    return codePoint;
}

}  // namespace

std::string DescribeUnencodable(const GbkEncodeError& error) {
    const std::optional<wchar_t> codePoint = CodePoint(error.character);
    if (!codePoint) {
        return "bytes that are not UTF-8";
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(*codePoint));
    return "\"" + error.character + "\" (" + hex + "), which GBK cannot represent";
}

}  // namespace quorbex::csv
