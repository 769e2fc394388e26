#include "store/cp936.h"

#include <array>
#include <utility>

namespace quorbex::cp936 {

namespace {

// Pairs (character, upper-case form), generated at build time from the code
// page and the Unicode case mapping.
constexpr std::pair<std::uint16_t, std::uint16_t> UPPER_PAIRS[] = {
#include "store/cp936_upper_pairs.inc"
};

const std::array<std::uint16_t, 65536>& UpperTable() {
    static const std::array<std::uint16_t, 65536> table = [] {
        std::array<std::uint16_t, 65536> built{};
        for (std::size_t i = 0; i < built.size(); ++i) {
            built[i] = static_cast<std::uint16_t>(i);
        }
        for (const auto& [from, to] : UPPER_PAIRS) {
            built[from] = to;
        }
        return built;
    }();
    return table;
}

// The next character of text from position i: its value, and where the one
// after it starts. A lead byte at the end counts as the end of the text.
struct Character {
    unsigned value;
    std::size_t next;
};

Character NextCharacter(std::string_view text, std::size_t i) {
    const auto byte = static_cast<std::uint8_t>(text[i]);
    if (IsLeadByte(byte)) {
        if (i + 1 >= text.size()) {
            return {0, text.size()};
        }
        return {byte * 256U + static_cast<std::uint8_t>(text[i + 1]), i + 2};
    }
    return {byte, i + 1};
}

}  // namespace

std::uint16_t UpperDoubleByte(std::uint16_t character) {
    return UpperTable()[character];
}

void UpperCaseInPlace(std::string& text) {
    const auto& table = UpperTable();
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        if (IsLeadByte(byte) && i + 1 < text.size()) {
            const auto character =
                static_cast<std::uint16_t>(byte * 256U + static_cast<std::uint8_t>(text[i + 1]));
            const std::uint16_t upper = table[character];
            text[i] = static_cast<char>(upper >> 8);
            text[i + 1] = static_cast<char>(upper & 0xFF);
            i += 2;
        } else {
            if (byte >= 'a' && byte <= 'z') {
                text[i] = static_cast<char>(byte - 'a' + 'A');
            }
            ++i;
        }
    }
}

int CompareNames(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        const Character x = i < a.size() ? NextCharacter(a, i) : Character{0, a.size()};
        const Character y = j < b.size() ? NextCharacter(b, j) : Character{0, b.size()};
        if (x.value != y.value) {
            return x.value < y.value ? -1 : 1;
        }
        if (x.value == 0) {
            return 0;
        }
        i = x.next;
        j = y.next;
    }
}

}  // namespace quorbex::cp936
