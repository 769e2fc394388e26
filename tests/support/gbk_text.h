// GBK texts for tests, written as UTF-8 literals.
#pragma once

#include <string>
#include <string_view>

namespace quorbex::testing {

// The GBK bytes of utf8; a text that GBK cannot hold fails the test.
std::string Gbk(std::string_view utf8);

}  // namespace quorbex::testing
