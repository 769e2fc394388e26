#include "tests/support/gbk_text.h"

#include <gtest/gtest.h>

#include <optional>

#include "store/gbk_codec.h"

namespace quorbex::testing {

std::string Gbk(std::string_view utf8) {
    const std::optional<std::string> gbk = Utf8ToGbk(utf8);
    if (!gbk) {
        ADD_FAILURE() << "not representable in GBK: " << utf8;
        return {};
    }
    return *gbk;
}

}  // namespace quorbex::testing
