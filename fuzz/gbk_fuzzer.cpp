// The GBK codec and the code page's text rules. Decoding never fails and
// gives well-formed UTF-8; what encodes to GBK decodes back to the same
// UTF-8; GBK text that decodes without a replacement encodes back to the same
// bytes; upper-casing keeps the length and the character boundaries; the
// name comparison is a consistent order.
#include <iconv.h>

#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "store/cp936.h"
#include "store/gbk_codec.h"

namespace quorbex::fuzz {
namespace {

constexpr std::string_view REPLACEMENT_CHARACTER = "\xEF\xBF\xBD";

bool IsWellFormedUtf8(const std::string& text) {
    const iconv_t converter = iconv_open("UTF-32LE", "UTF-8");
    FUZZ_CHECK(converter != reinterpret_cast<iconv_t>(-1));
    std::string input = text;
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::string output(4 * input.size() + 4, '\0');
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    return result != static_cast<std::size_t>(-1) && inLeft == 0;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// The character boundaries of GBK text, by the code page's rule.
std::vector<bool> CharacterStarts(const std::string& text) {
    std::vector<bool> starts(text.size(), false);
    for (std::size_t i = 0; i < text.size();) {
        starts[i] = true;
        i += cp936::IsLeadByte(static_cast<std::uint8_t>(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    return starts;
}

}  // namespace
}  // namespace quorbex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace quorbex;
    using namespace quorbex::fuzz;
    const std::string input(reinterpret_cast<const char*>(bytes), size);

    // The input as GBK.
    const std::string decoded = GbkToUtf8(input);
    FUZZ_CHECK(IsWellFormedUtf8(decoded));
    if (decoded.find(REPLACEMENT_CHARACTER) == std::string::npos) {
        FUZZ_CHECK(Utf8ToGbk(decoded) == input);
    }
    std::string upper = input;
    cp936::UpperCaseInPlace(upper);
    FUZZ_CHECK(upper.size() == input.size());
    FUZZ_CHECK(CharacterStarts(upper) == CharacterStarts(input));

    // The input as UTF-8.
    GbkEncodeError error;
    if (const std::optional<std::string> encoded = Utf8ToGbk(input, &error)) {
        FUZZ_CHECK(GbkToUtf8(*encoded) == input);
    } else {
        FUZZ_CHECK(error.offset < input.size());
        FUZZ_CHECK(!error.character.empty());
        FUZZ_CHECK(std::string_view(input).substr(error.offset).starts_with(error.character));
        // Everything before the fault converts.
        FUZZ_CHECK(Utf8ToGbk(input.substr(0, error.offset)).has_value());
    }

    // Two names from the input: the comparison is antisymmetric and
    // reflexive, and for well-formed text agrees with the bytes' order.
    const std::string a = input.substr(0, size / 2);
    const std::string b = input.substr(size / 2);
    FUZZ_CHECK(cp936::CompareNames(a, a) == 0);
    FUZZ_CHECK(Sign(cp936::CompareNames(a, b)) == -Sign(cp936::CompareNames(b, a)));
    return 0;
}
