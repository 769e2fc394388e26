// The vector forms of the search index's inner loops against their plain
// forms, and the folding against UpperCaseInPlace, on generated input.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "store/cp936.h"
#include "store/vector_scan.h"

namespace quorbex {
namespace {

std::uint32_t Below(std::mt19937& rng, std::uint32_t bound) {
    return static_cast<std::uint32_t>(rng() % bound);
}

// Bytes of the kinds that fields hold, and the ones that trip up a scan:
// lead bytes with trail bytes in the ASCII letters, lone lead bytes, letters
// of both cases in both widths, Greek and Cyrillic, line feeds and stray bytes.
std::string RandomText(std::mt19937& rng, std::size_t length) {
    std::string text;
    auto add = [&text](unsigned byte) { text += static_cast<char>(byte); };
    while (text.size() < length) {
        switch (Below(rng, 11)) {
            case 0:
                add('a' + Below(rng, 26));
                break;
            case 1:
                add('A' + Below(rng, 26));
                break;
            case 2:
                add(0x20 + Below(rng, 0x60));
                break;
            case 3:
                add(0xB0 + Below(rng, 0x28));
                add(0xA1 + Below(rng, 0x5E));
                break;
            case 4:
                add(0xA3);
                add((Below(rng, 2) != 0 ? 0xC1 : 0xE1) + Below(rng, 26));
                break;
            case 5:
                add(0x81 + Below(rng, 0x7E));
                add(0x40 + Below(rng, 0x3F));
                break;
            case 6:
                add(0x81 + Below(rng, 0x7E));
                break;
            case 7:
                add(0xA2 + Below(rng, 6));
                add(0xA1 + Below(rng, 0x5E));
                break;
            case 8:
                add('\n');
                break;
            case 9:
                add(Below(rng, 256));
                break;
            default:
                add(0x80 + Below(rng, 2) * 0x7F);  // 0x80 or 0xFF
                break;
        }
    }
    text.resize(length);
    return text;
}

TEST(VectorScan, FindBytePairAgreesWithThePlainForm) {
    std::mt19937 rng(1301);
    for (int round = 0; round < 20000; ++round) {
        const std::size_t size = 1 + Below(rng, 200);
        std::string text = RandomText(rng, size);
        const std::size_t gap =
            Below(rng, static_cast<std::uint32_t>(std::min<std::size_t>(size, 20)));
        const std::size_t end = Below(rng, static_cast<std::uint32_t>(size - gap + 1));
        const std::size_t from = Below(rng, static_cast<std::uint32_t>(end + 1));
        const char first = Below(rng, 3) == 0 ? static_cast<char>(rng())
                                              : text[Below(rng, static_cast<std::uint32_t>(size))];
        const char last = Below(rng, 3) == 0 ? static_cast<char>(rng())
                                             : text[Below(rng, static_cast<std::uint32_t>(size))];
        text.resize(size + scan::BYTE_PAIR_OVERREAD, static_cast<char>(rng()));
        EXPECT_EQ(scan::FindBytePairSse2(text.data(), from, end, first, last, gap),
                  scan::FindBytePairPlain(text.data(), from, end, first, last, gap))
            << "round " << round;
    }
}

TEST(VectorScan, FindZeroAgreesWithThePlainForm) {
    std::mt19937 rng(1302);
    for (int round = 0; round < 20000; ++round) {
        const std::size_t limit = Below(rng, 220);
        std::vector<std::uint8_t> bytes(limit + scan::ZERO_OVERREAD);
        for (std::uint8_t& byte : bytes) {
            byte = Below(rng, 40) == 0 ? 0 : static_cast<std::uint8_t>(1 + Below(rng, 255));
        }
        EXPECT_EQ(scan::FindZeroSse2(bytes.data(), limit), scan::FindZeroPlain(bytes.data(), limit))
            << "round " << round;
    }
}

// What the folding must give: each text upper-cased on its own, and a start
// bit at the first byte of each of its characters.
void ExpectedFold(const std::vector<std::string>& texts, std::string& folded,
                  std::vector<std::uint8_t>& starts) {
    folded.clear();
    for (const std::string& text : texts) {
        std::string upper = text;
        cp936::UpperCaseInPlace(upper);
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t bit = folded.size() + i;
            starts[bit / 8] = static_cast<std::uint8_t>(starts[bit / 8] | 1U << (bit % 8));
            i += cp936::IsLeadByte(static_cast<std::uint8_t>(text[i])) && i + 1 < text.size() ? 2
                                                                                              : 1;
        }
        folded += upper;
    }
}

using Fold = void (*)(const std::string_view*, std::size_t, char*, std::uint8_t*);

// Folds texts with fold, each text followed by random slack bytes, into an
// output and a bit set filled with random bytes beforehand; checks the text
// and that the bits were only added to.
void CheckFold(const char* name, Fold fold, const std::vector<std::string>& texts,
               std::mt19937& rng) {
    std::vector<std::string> stored;
    std::vector<std::string_view> views;
    std::size_t total = 0;
    for (const std::string& text : texts) {
        std::string withSlack = text;
        for (std::size_t i = 0; i < cp936::FOLD_SLACK; ++i) {
            withSlack += static_cast<char>(rng());
        }
        stored.push_back(std::move(withSlack));
        total += text.size();
    }
    for (std::size_t k = 0; k < texts.size(); ++k) {
        views.emplace_back(stored[k].data(), texts[k].size());
    }
    std::vector<std::uint8_t> before(total / 8 + 9);
    for (std::uint8_t& byte : before) {
        byte = static_cast<std::uint8_t>(rng());
    }
    std::string out(total + cp936::FOLD_SLACK, '\0');
    std::vector<std::uint8_t> starts = before;
    fold(views.data(), views.size(), out.data(), starts.data());

    std::string expected;
    std::vector<std::uint8_t> expectedStarts = before;
    ExpectedFold(texts, expected, expectedStarts);
    EXPECT_EQ(out.substr(0, total), expected) << name;
    EXPECT_EQ(starts, expectedStarts) << name;
}

TEST(VectorScan, FoldingAgreesWithUpperCaseInPlace) {
    std::mt19937 rng(1303);
    for (int round = 0; round < 5000; ++round) {
        std::vector<std::string> texts(1 + Below(rng, 7));
        for (std::string& text : texts) {
            // Short fields, and long ones that cross the 64-byte chunks.
            text = RandomText(rng, Below(rng, 4) == 0 ? Below(rng, 210) : Below(rng, 24));
        }
        SCOPED_TRACE("round " + std::to_string(round));
        CheckFold("vector", cp936::UpperCaseJoinedMarkingStartsSse2, texts, rng);
        CheckFold("plain", cp936::UpperCaseJoinedMarkingStartsPlain, texts, rng);
    }
}

// Every double-byte character, and every lead byte before every byte, at
// every place in a chunk, with lone lead bytes around it.
TEST(VectorScan, FoldingMapsEveryCharacterAsTheCodePageDoes) {
    std::mt19937 rng(1304);
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        std::vector<std::string> texts;
        for (unsigned trail = 0; trail <= 0xFF; ++trail) {
            std::string text(Below(rng, 70), 'x');
            for (char& c : text) {
                c = Below(rng, 3) == 0 ? static_cast<char>(0x81 + Below(rng, 0x7E)) : 'a';
            }
            text += static_cast<char>(lead);
            text += static_cast<char>(trail);
            texts.push_back(text);
        }
        SCOPED_TRACE("lead " + std::to_string(lead));
        CheckFold("vector", cp936::UpperCaseJoinedMarkingStartsSse2, texts, rng);
        CheckFold("plain", cp936::UpperCaseJoinedMarkingStartsPlain, texts, rng);
    }
}

TEST(VectorScan, NameCharactersOrderAsCompareNames) {
    std::mt19937 rng(1305);
    auto characters = [](const std::string& name) {
        std::vector<std::uint16_t> values(name.size() + 1);
        values.resize(cp936::NameCharacters(name, values.data()));
        return values;
    };
    for (int round = 0; round < 20000; ++round) {
        std::string a = RandomText(rng, Below(rng, 8));
        std::string b =
            Below(rng, 2) == 0 ? a.substr(0, Below(rng, 8)) : RandomText(rng, Below(rng, 8));
        if (Below(rng, 4) == 0) {
            b += RandomText(rng, 2);
        }
        const auto x = characters(a);
        const auto y = characters(b);
        const int expected = cp936::CompareNames(a, b);
        const int actual = x < y ? -1 : (y < x ? 1 : 0);
        EXPECT_EQ(actual, expected < 0 ? -1 : (expected > 0 ? 1 : 0)) << "round " << round;
        for (const std::uint16_t value : x) {
            EXPECT_GT(value, 0);
        }
    }
}

}  // namespace
}  // namespace quorbex
