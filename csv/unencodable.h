// Words for a text that could not be converted to GBK, and telling whether
// bytes are UTF-8 at all.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/gbk_codec.h"

namespace quorbex::csv {

// The code points of UTF-8 text; nothing when it is not well-formed UTF-8
// (an overlong form, a surrogate, a stray or missing continuation byte).
std::optional<std::u32string> DecodeUtf8(std::string_view utf8);

// "\"😀\" (U+1F600), which GBK cannot represent", or "bytes that are not
// UTF-8" when the converter stopped at a malformed sequence.
std::string DescribeUnencodable(const GbkEncodeError& error);

}  // namespace quorbex::csv
