// The Mandarin reading table, the initials made from it and the pinyin order.
#include <bzlib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

#include "store/gbk_codec.h"
#include "store/pinyin.h"
#include "store/record_store.h"
#include "tests/support/dictionary_builder.h"
#include "tests/support/gbk_text.h"

namespace quorbex {
namespace {

using testing::AppendAll;
using testing::Gbk;
using testing::Names;

std::string ReadUnihan() {
    std::string text;
    FILE* file = std::fopen(UNIHAN_READINGS_FILE, "rb");
    if (file == nullptr) {
        return text;
    }
    int error = BZ_OK;
    BZFILE* bz = BZ2_bzReadOpen(&error, file, 0, 0, nullptr, 0);
    char buffer[65536];
    while (error == BZ_OK) {
        const int got = BZ2_bzRead(&error, bz, buffer, sizeof buffer);
        if (error == BZ_OK || error == BZ_STREAM_END) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
    }
    BZ2_bzReadClose(&error, bz);
    std::fclose(file);
    return text;
}

// Each character's kMandarin values, keyed by the character in UTF-8.
std::map<std::string, std::string> MandarinByCharacter() {
    std::map<std::string, std::string> readings;
    std::istringstream in(ReadUnihan());
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string codePoint;
        std::string property;
        std::string values;
        if (line.rfind("U+", 0) == 0 && fields >> codePoint >> property &&
            property == "kMandarin") {
            std::getline(fields >> std::ws, values);
            const auto point = std::stoul(codePoint.substr(2), nullptr, 16);
            std::string utf8;
            // GBK holds characters of the Basic Multilingual Plane only.
            if (point < 0x10000) {
                utf8 = {static_cast<char>(0xE0 | point >> 12),
                        static_cast<char>(0x80 | (point >> 6 & 0x3F)),
                        static_cast<char>(0x80 | (point & 0x3F))};
            }
            readings[utf8] = values;
        }
    }
    return readings;
}

// Every double-byte code of GBK: its reading is the first kMandarin value of
// the character it decodes to, and none when Unihan gives the character none.
TEST(PinyinTable, HoldsUnihansFirstMandarinReadingOfEveryGbkCharacter) {
    const auto unihan = MandarinByCharacter();
    ASSERT_GT(unihan.size(), 20000u);
    int withReading = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
            const auto found = unihan.find(GbkToUtf8(gbk));
            const pinyin::Syllable syllable =
                pinyin::ReadingOf(static_cast<std::uint16_t>(lead << 8 | trail));
            const std::string expected =
                found == unihan.end() ? "" : found->second.substr(0, found->second.find(' '));
            ASSERT_EQ(syllable.reading, expected) << std::hex << lead << trail;
            const std::string plain = syllable.plain;
            ASSERT_EQ(plain.empty(), expected.empty());
            // Each of GB 2312's 6763 Chinese characters (B0A1 to F7FE, but
            // D7FA to D7FE) has a reading.
            const bool gb2312Chinese =
                lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 && !(lead == 0xD7 && trail >= 0xFA);
            ASSERT_TRUE(!gb2312Chinese || !plain.empty()) << std::hex << lead << trail;
            if (!plain.empty()) {
                ++withReading;
                ASSERT_GE(plain.back(), '1');
                ASSERT_LE(plain.back(), '5');
                ASSERT_EQ(plain.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), plain.size() - 1);
            }
        }
    }
    // Nearly all of GBK's 21003 Chinese characters have one.
    EXPECT_GT(withReading, 20800);

    const std::map<std::string, std::string> plainForms = {
        {"阿", "a1"}, {"绿", "lv4"}, {"长", "zhang3"}, {"的", "de5"}, {"嗯", "n2"}};
    for (const auto& [character, plain] : plainForms) {
        const std::string gbk = Gbk(character);
        EXPECT_STREQ(
            pinyin::ReadingOf(static_cast<std::uint16_t>(static_cast<std::uint8_t>(gbk[0]) << 8 |
                                                         static_cast<std::uint8_t>(gbk[1])))
                .plain,
            plain.c_str())
            << character;
    }
}

std::vector<std::string> SpellingsOf(const std::string& utf8) {
    const std::string gbk = Gbk(utf8);
    std::vector<std::string> spellings;
    for (const std::uint16_t number : pinyin::SpellingsOf(static_cast<std::uint16_t>(
             static_cast<std::uint8_t>(gbk[0]) << 8 | static_cast<std::uint8_t>(gbk[1])))) {
        spellings.emplace_back(pinyin::SpellingText(number));
    }
    return spellings;
}

// Every reading of the dictionaries, toneless and distinct, the customary
// one first: what the quick search matches.
TEST(PinyinSpellings, HoldEveryReadingWithTheCustomaryFirst) {
    using Spellings = std::vector<std::string>;
    EXPECT_EQ(SpellingsOf("林"), (Spellings{"lin"}));
    EXPECT_EQ(SpellingsOf("阿"), (Spellings{"a", "e"}));
    // Readings of names that kMandarin lacks: 丹参 dānshēn, 长春 chángchūn,
    // 重组 chóngzǔ.
    EXPECT_EQ(SpellingsOf("参"), (Spellings{"can", "cen", "shen"}));
    EXPECT_EQ(SpellingsOf("长"), (Spellings{"zhang", "chang"}));
    EXPECT_EQ(SpellingsOf("重").front(), "zhong");
    EXPECT_NE(std::find(SpellingsOf("重").begin() + 1, SpellingsOf("重").end(), "chong"),
              SpellingsOf("重").end());
    EXPECT_EQ(SpellingsOf("绿"), (Spellings{"lv", "lu"}));

    // Each code with a customary reading lists it first; no list repeats a
    // spelling, and every spelling is letters.
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const auto character = static_cast<std::uint16_t>(lead << 8 | trail);
            const auto numbers = pinyin::SpellingsOf(character);
            const std::string plain = pinyin::ReadingOf(character).plain;
            if (!plain.empty()) {
                ASSERT_FALSE(numbers.empty()) << std::hex << character;
                ASSERT_EQ(pinyin::SpellingText(numbers.front()), plain.substr(0, plain.size() - 1))
                    << std::hex << character;
            }
            std::vector<std::uint16_t> sorted(numbers.begin(), numbers.end());
            std::sort(sorted.begin(), sorted.end());
            ASSERT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
            for (const std::uint16_t number : numbers) {
                const std::string_view spelling = pinyin::SpellingText(number);
                ASSERT_FALSE(spelling.empty());
                ASSERT_EQ(spelling.find_first_not_of("abcdefghijklmnopqrstuvwxyz"),
                          std::string_view::npos);
            }
        }
    }
    // Beyond the double-byte codes, nothing.
    EXPECT_TRUE(pinyin::SpellingsOf('A').empty());
    EXPECT_TRUE(pinyin::SpellingText(0xFFFF).empty());
}

TEST(PinyinInitials, KeepLatinLettersAndDigitsUpperCasedAndSkipTheRest) {
    struct Case {
        const char* name;
        std::size_t limit;
        const char* initials;
    };
    const Case cases[] = {
        {"阿司匹林", 10, "ASPL"},
        {"维生素b12", 10, "WSSB12"},
        {"β-内酰胺酶 (注射)", 10, "NXAMZS"},
        {"对乙酰氨基酚缓释片剂", 10, "DYXAJFHSPJ"},
        {"对乙酰氨基酚缓释片剂", 4, "DYXA"},
        {"", 10, ""},
        {"!?。", 10, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pinyin::Initials(Gbk(c.name), c.limit), c.initials) << c.name;
    }
    // A lead byte at the end stands alone and is skipped.
    EXPECT_EQ(pinyin::Initials("A\xB0", 10), "A");
}

TEST(PinyinOrder, OrdersByReadingWithLatinNamesFirstInLatinOrder) {
    RecordStore store;
    AppendAll(store, {Names(Gbk("布洛芬")), Names(Gbk("阿司匹林")), Names("Zantac"),
                      Names("aspirin"), Names(Gbk("对乙酰氨基酚")), Names(Gbk("阿莫西林")),
                      Names(""), Names("Aspirin"), Names(Gbk("苄星青霉素"))});
    ResultList results;
    ASSERT_TRUE(store.Query("", results, 0xFF, SORT_BY_PINYIN));
    // The empty name, the Latin names (equal when upper-cased, then by their
    // bytes), then 阿莫 (a mo) before 阿司 (a si), 苄 (bian, a character GBK
    // places after 对) before 布 (bu) and 对 (dui).
    EXPECT_EQ(results, (ResultList{7, 8, 4, 3, 6, 2, 9, 1, 5}));

    // The other orders stay as they were: GBK byte order, and found order.
    results.clear();
    ASSERT_TRUE(store.Query("", results, 0xFF, SORT_BY_TRADE_NAME));
    EXPECT_EQ(results, (ResultList{7, 8, 3, 4, 6, 2, 1, 5, 9}));
    results.clear();
    ASSERT_TRUE(store.Query("", results, 0xFF, 2));
    EXPECT_EQ(results, (ResultList{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// The readings decide before the characters: 吖 (ya) comes after 阿 (a)
// whatever follows, but two names of one reading go by their characters.
TEST(PinyinOrder, ComparesTheWholeReadingBeforeTheCharacters) {
    using pinyin::OrderKey;
    EXPECT_LT(OrderKey(Gbk("阿莫西林")), OrderKey(Gbk("吖啶黄")));
    EXPECT_LT(OrderKey(Gbk("阿")), OrderKey(Gbk("阿莫")));
    // 腌 and 烟 both read yān.
    EXPECT_LT(OrderKey(Gbk("烟")), OrderKey(Gbk("腌")));
    EXPECT_LT(OrderKey(Gbk("腌A")), OrderKey(Gbk("烟B")));
}

}  // namespace
}  // namespace quorbex
