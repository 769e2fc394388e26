// Words for a text that could not be converted to GBK.
#pragma once

#include <string>

#include "store/gbk_codec.h"

namespace quorbex::csv {

// "\"😀\" (U+1F600), which GBK cannot represent", or "bytes that are not
// UTF-8" when the converter stopped at a malformed sequence.
std::string DescribeUnencodable(const GbkEncodeError& error);

}  // namespace quorbex::csv
