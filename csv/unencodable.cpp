#include "csv/unencodable.h"

#include <iconv.h>

#include <cstdio>

namespace quorbex::csv {

std::optional<std::u32string> DecodeUtf8(std::string_view utf8) {
    const iconv_t converter = iconv_open("UTF-32LE", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string in(utf8);
    std::string out(4 * in.size(), '\0');
    char* inAt = in.data();
    std::size_t inLeft = in.size();
    char* outAt = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    std::u32string codePoints;
    for (std::size_t at = 0; at + 4 <= out.size() - outLeft; at += 4) {
        const auto byte = [&](std::size_t i) {
            return static_cast<char32_t>(static_cast<unsigned char>(out[at + i]));
        };
        codePoints += byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    }
    return codePoints;
}

std::string DescribeUnencodable(const GbkEncodeError& error) {
    const std::optional<std::u32string> codePoints = DecodeUtf8(error.character);
    if (!codePoints || codePoints->size() != 1) {
        return "bytes that are not UTF-8";
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(codePoints->front()));
    return "\"" + error.character + "\" (" + hex + "), which GBK cannot represent";
}

}  // namespace quorbex::csv
