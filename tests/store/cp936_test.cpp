#include "store/cp936.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <clocale>
#include <cstring>
#include <cwctype>
#include <optional>
#include <string>

namespace quorbex::cp936 {
namespace {

std::optional<std::string> Convert(const char* to, const char* from, std::string input) {
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string output(16, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
    iconv_close(handle);
    if (result == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    output.resize(output.size() - outLeft);
    return output;
}

// Every double-byte character of the code page whose upper-case form, by the
// C library's wide-character rules, is again a double-byte character must be
// mapped to it; every other character must map to itself.
TEST(Cp936UpperTable, AgreesWithIconvAndTowupper) {
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    int mapped = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const auto character = static_cast<std::uint16_t>(lead << 8 | trail);
            std::uint16_t expected = character;
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            if (const auto wide = Convert("WCHAR_T", "CP936", bytes);
                wide && wide->size() == sizeof(wchar_t)) {
                wchar_t codePoint;
                std::memcpy(&codePoint, wide->data(), sizeof codePoint);
                const wchar_t upper = static_cast<wchar_t>(std::towupper(codePoint));
                std::string upperWide(sizeof upper, '\0');
                std::memcpy(upperWide.data(), &upper, sizeof upper);
                if (const auto encoded = Convert("CP936", "WCHAR_T", upperWide);
                    upper != codePoint && encoded && encoded->size() == 2) {
                    expected =
                        static_cast<std::uint16_t>(static_cast<std::uint8_t>((*encoded)[0]) << 8 |
                                                   static_cast<std::uint8_t>((*encoded)[1]));
                }
            }
            EXPECT_EQ(UpperDoubleByte(character), expected) << std::hex << character;
            mapped += expected != character;
        }
    }
    // Full-width Latin, Greek, Cyrillic and the small Roman numerals at least.
    EXPECT_GE(mapped, 26 + 24 + 33 + 10);
    std::setlocale(LC_CTYPE, "C");
}

TEST(Cp936UpperCase, FoldsCharactersAsWholes) {
    struct Case {
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {"aspirin 100mg", "ASPIRIN 100MG"},
        // 阿司匹林 never changes.
        {"\xB0\xA2\xCB\xBE\xC6\xA5\xC1\xD6", "\xB0\xA2\xCB\xBE\xC6\xA5\xC1\xD6"},
        // Full-width a becomes full-width A; Greek alpha becomes Alpha.
        {"\xA3\xE1\xA6\xC1", "\xA3\xC1\xA6\xA1"},
        // A trail byte with the value of 'a' (0x61) or 'z' stays as it is.
        {"\x81\x61z\x81\x7A", "\x81\x61Z\x81\x7A"},
        // A lone lead byte at the end stays.
        {"ab\xA3", "AB\xA3"},
    };
    for (const Case& c : cases) {
        std::string text = c.input;
        UpperCaseInPlace(text);
        EXPECT_EQ(text, c.expected) << c.input;
    }
}

TEST(Cp936CompareNames, OrdersByCharacterValues) {
    struct Case {
        std::string a;
        std::string b;
        int sign;
    };
    const Case cases[] = {
        {"Zantac", "aspirin", -1},  // case-sensitive: 'Z' < 'a'
        {"", "A", -1},              // a name that ends first is smaller
        {"abc", "abc", 0},
        {"\xB0\xA2", "\xB0\xA1", 1},
        {"A", "\x81\x40", -1},
        // A lone lead byte at the end counts as the end.
        {"ab\xB0", "ab", 0},
        // Double-byte characters count as lead * 256 + trail, so an ill-formed
        // pair 0x81 0x30 is greater than the single byte 0xFF.
        {"\x81\x30", "\xFF", 1},
    };
    for (const Case& c : cases) {
        const int result = CompareNames(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
        const int reverse = CompareNames(c.b, c.a);
        EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

}  // namespace
}  // namespace quorbex::cp936
