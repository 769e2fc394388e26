#include "store/quick_fold.h"

#include <array>

#include "store/cp936.h"
#include "store/gbk_codec.h"

namespace quorbex::quickfold {

namespace {

// The code page keeps its full-width forms among the symbols of lead bytes
// 0xA1 to 0xA9; the table is read from the codec once.
constexpr unsigned FIRST_SYMBOL_LEAD = 0xA1;
constexpr unsigned LAST_SYMBOL_LEAD = 0xA9;

class HalfWidthTable {
public:
    HalfWidthTable() {
        for (unsigned lead = FIRST_SYMBOL_LEAD; lead <= LAST_SYMBOL_LEAD; ++lead) {
            for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
                const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
                const std::string utf8 = GbkToUtf8(gbk);
                if (utf8.size() != 3) {
                    continue;
                }
                const auto byte = [&utf8](std::size_t k) {
                    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(utf8[k]));
                };
                const std::uint32_t point =
                    (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
                if (point >= 0xFF01 && point <= 0xFF5E) {
                    m_rows[lead - FIRST_SYMBOL_LEAD][trail] = static_cast<char>(point - 0xFEE0);
                } else if (point == 0x3000) {
                    m_rows[lead - FIRST_SYMBOL_LEAD][trail] = ' ';
                }
            }
        }
    }

    char Of(std::uint16_t character) const {
        const unsigned lead = character >> 8;
        if (lead < FIRST_SYMBOL_LEAD || lead > LAST_SYMBOL_LEAD) {
            return 0;
        }
        return m_rows[lead - FIRST_SYMBOL_LEAD][character & 0xFF];
    }

private:
    std::array<std::array<char, 256>, LAST_SYMBOL_LEAD - FIRST_SYMBOL_LEAD + 1> m_rows{};
};

// A space, or a control character (tab, line breaks and the like).
bool IsSpace(char c) {
    return static_cast<std::uint8_t>(c) <= ' ';
}

}  // namespace

char HalfWidthOf(std::uint16_t character) {
    static const HalfWidthTable table;
    return table.Of(character);
}

// Widths and spaces first, character by character; then the upper case in
// one pass, which reads the characters where they were read here (each is
// an ASCII byte, a byte that is no lead byte, a pair as it came, or a lead
// byte at the very end).
std::string Fold(std::string_view text, std::vector<std::size_t>* origins) {
    std::string folded(text.size(), '\0');
    std::size_t length = 0;
    if (origins != nullptr) {
        origins->clear();
        origins->reserve(text.size() + 1);
    }
    bool afterSpace = false;
    const auto put = [&](char c, std::size_t origin) {
        folded[length++] = c;
        if (origins != nullptr) {
            origins->push_back(origin);
        }
    };
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const auto byte = static_cast<std::uint8_t>(text[i]);
        char single = static_cast<char>(byte);
        if (cp936::IsLeadByte(byte) && i + 1 < text.size()) {
            i += 2;
            single = byte >= FIRST_SYMBOL_LEAD && byte <= LAST_SYMBOL_LEAD
                         ? HalfWidthOf(static_cast<std::uint16_t>(
                               byte << 8 | static_cast<std::uint8_t>(text[start + 1])))
                         : 0;
            if (single == 0) {
                put(text[start], start);
                put(text[start + 1], start);
                afterSpace = false;
                continue;
            }
        } else {
            ++i;
        }
        // A run of white space is one space, which stands for all of it.
        const bool space = IsSpace(single);
        if (!space || !afterSpace) {
            put(space ? ' ' : single, start);
        }
        afterSpace = space;
    }
    if (origins != nullptr) {
        origins->push_back(text.size());
    }
    folded.resize(length);
    cp936::UpperCaseInPlace(folded);
    return folded;
}

std::size_t WholeCharacters(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (cp936::IsLeadByte(static_cast<std::uint8_t>(text[i]))) {
            if (i + 1 >= text.size()) {
                return i;
            }
            i += 2;
        } else {
            ++i;
        }
    }
    return text.size();
}

std::size_t FindAtCharacter(std::string_view text, std::string_view pattern, std::size_t from) {
    std::size_t boundary = from;
    for (std::size_t at = text.find(pattern, from); at != std::string_view::npos;
         at = text.find(pattern, at + 1)) {
        while (boundary < at) {
            const bool pair = cp936::IsLeadByte(static_cast<std::uint8_t>(text[boundary])) &&
                              boundary + 1 < text.size();
            boundary += pair ? 2 : 1;
        }
        if (boundary == at) {
            return at;
        }
    }
    return std::string_view::npos;
}

}  // namespace quorbex::quickfold
