#include <gtest/gtest.h>

#include <random>

#include "store/cp936.h"
#include "store/record_store.h"
#include "tests/support/dictionary_builder.h"

namespace quorbex {
namespace {

using testing::AppendAll;
using testing::Names;

// 阿司匹林, 布洛芬
const std::string ASPIRIN_CN = "\xB0\xA2\xCB\xBE\xC6\xA5\xC1\xD6";
const std::string IBUPROFEN_CN = "\xB2\xBC\xC2\xE5\xB7\xD2";
const std::string LIN_CN = "\xC1\xD6";  // 林

ResultList Search(RecordStore& store, const std::string& pattern, int mask, int sortKey = 2) {
    ResultList results;
    store.Query(pattern, results, mask, sortKey);
    return results;
}

TEST(RecordQuery, EmptyDictionaryAnswersFalseAndLeavesTheListAlone) {
    RecordStore store;
    ResultList results{42};
    EXPECT_FALSE(store.Query("", results, 0xFF, 0));
    EXPECT_EQ(results, ResultList{42});
}

TEST(RecordQuery, EmptyPatternListsEveryRecordInKeyOrder) {
    RecordStore store;
    AppendAll(store, {Names("c", "Beta"), Names("a", "Gamma"), Names("b", "Alpha")});
    ResultList results;
    EXPECT_TRUE(store.Query("", results, 0xFF, SORT_BY_TRADE_NAME));
    EXPECT_EQ(results, (ResultList{2, 3, 1}));
    EXPECT_EQ(Search(store, "", -1, SORT_BY_ENGLISH_NAME), (ResultList{3, 1, 2}));
    EXPECT_EQ(Search(store, "", 0xFF, 2), (ResultList{1, 2, 3}));
    EXPECT_EQ(Search(store, "", 0xFF, -7), (ResultList{1, 2, 3}));
}

TEST(RecordQuery, AnswersWhetherAnythingWasFound) {
    RecordStore store;
    AppendAll(store, {Names("a"), Names("b")});
    ResultList results;
    EXPECT_TRUE(store.Query("A", results, SEARCH_TRADE_NAME, 0));
    EXPECT_EQ(results, ResultList{1});
    results.clear();
    EXPECT_FALSE(store.Query("zz", results, SEARCH_TRADE_NAME, 0));
    EXPECT_TRUE(results.empty());
}

TEST(RecordQuery, MatchesRegardlessOfCase) {
    RecordStore store;
    DrugFields lower = Names("x", "Aspirin");
    DrugFields upper = Names("y");
    upper.function = "contains aspirin";
    // Full-width ａｓｐ against a full-width upper-case pattern ＡＳＰ.
    DrugFields fullWidth = Names("\xA3\xE1\xA3\xF3\xA3\xF0");
    AppendAll(store, {lower, upper, fullWidth});
    EXPECT_EQ(Search(store, "aspirin", SEARCH_ENGLISH_NAME), ResultList{1});
    EXPECT_EQ(Search(store, "ASPIRIN", SEARCH_FUNCTION), ResultList{2});
    EXPECT_EQ(Search(store, "\xA3\xC1\xA3\xD3\xA3\xD0", SEARCH_TRADE_NAME), ResultList{3});
}

TEST(RecordQuery, PatternIsCutToTwentyBytes) {
    RecordStore store;
    AppendAll(store, {Names("ABCDEFGHIJKLMNOPQRST"), Names("ABCDEFGHIJKLMNOPQRS")});
    const std::string pattern = "abcdefghijklmnopqrstuvwxy";  // 25 letters
    EXPECT_EQ(Search(store, pattern, SEARCH_TRADE_NAME), ResultList{1});
}

TEST(RecordQuery, FieldMaskDecidesWhichFieldsAreJoined) {
    RecordStore store;
    DrugFields record = Names(ASPIRIN_CN, "Aspirin");
    record.pinyinInitials = "ASPL";
    record.otherNames = "Bayer";
    record.function = "pain";
    record.usage = "oral";
    record.cautions = "ulcer";
    AppendAll(store, {record});
    struct Case {
        const char* name;
        std::string pattern;
        int mask;
        bool found;
    };
    const Case cases[] = {
        {"mask 0 holds only line feeds", "", 0, true},
        {"mask 0 matches nothing else", "A", 0, false},
        {"trade name and pinyin touch", LIN_CN + "A", 0x03, true},
        {"trade name and English name are apart", LIN_CN + "A", 0x09, false},
        {"two line feeds between them", LIN_CN + "\n\nASPIRIN", 0x09, true},
        {"every field joined", "ASPIRINPAINORALULCER", 0x80, true},
        {"all overrides the bits", "BAYERASPIRIN", 0x84, true},
        {"unselected function", "PAIN", 0x7F & ~SEARCH_FUNCTION, false},
        {"mask uses its low eight bits", "ULCER", 0x100 | SEARCH_CAUTIONS, true},
        {"mask beyond eight bits only", "ULCER", 0x100, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(!Search(store, c.pattern, c.mask).empty(), c.found) << c.name;
    }
}

TEST(RecordQuery, MatchesOnlyAtCharacterBoundaries) {
    RecordStore store;
    // 0x81 0x41 is a double-byte character whose trail byte is 'A'; 办公 is
    // B0 EC B9 AB, so B9 only ever starts a character from the second position.
    AppendAll(store, {Names("\x81\x41"), Names("\xB0\xEC\xB9\xAB"), Names("x\x81\x41")});
    EXPECT_TRUE(Search(store, "A", SEARCH_TRADE_NAME).empty());
    EXPECT_TRUE(Search(store, "\xEC\xB9", SEARCH_TRADE_NAME).empty());
    EXPECT_EQ(Search(store, "\xB9\xAB", SEARCH_TRADE_NAME), ResultList{2});
    EXPECT_EQ(Search(store, "X\x81", SEARCH_TRADE_NAME), ResultList{3});
}

// A name cut inside a character ends in a lone lead byte; it must not pair
// with the next field's first byte and shift every later boundary.
TEST(RecordQuery, LoneLeadByteAtAFieldEndStaysInItsField) {
    RecordStore store;
    DrugFields record = Names("abc\xB0");
    record.pinyinInitials = "ZX";
    AppendAll(store, {record});
    EXPECT_EQ(Search(store, "ZX", SEARCH_TRADE_NAME | SEARCH_PINYIN), ResultList{1});
    EXPECT_EQ(Search(store, "X", SEARCH_TRADE_NAME | SEARCH_PINYIN), ResultList{1});
}

TEST(RecordQuery, NamesOrderCaseSensitivelyWithEmptyKeysFirst) {
    RecordStore store;
    AppendAll(store, {Names("1", "aspirin"), Names("2", "Zantac"), Names("3", "")});
    EXPECT_EQ(Search(store, "", 0xFF, SORT_BY_ENGLISH_NAME), (ResultList{3, 2, 1}));
}

TEST(RecordQuery, ExchangeSortMovesEqualKeys) {
    RecordStore store;
    AppendAll(store, {Names("B"), Names("B"), Names("A")});
    EXPECT_EQ(Search(store, "", 0xFF, SORT_BY_TRADE_NAME), (ResultList{3, 2, 1}));
}

// The exchange procedure as written: compare the names of entries i and j
// and exchange the two when the first is greater.
ResultList ExchangeSorted(RecordStore& store, ResultList results) {
    for (std::size_t i = 0; i + 1 < results.size(); ++i) {
        for (std::size_t j = i + 1; j < results.size(); ++j) {
            std::string a;
            std::string b;
            store.GoToRecord(results[i]);
            store.ExchangeTradeName(a, true);
            store.GoToRecord(results[j]);
            store.ExchangeTradeName(b, true);
            if (cp936::CompareNames(a, b) > 0) {
                std::swap(results[i], results[j]);
            }
        }
    }
    return results;
}

TEST(RecordQuery, OrderEqualsTheExchangeProcedureOnNames) {
    std::mt19937 random(2026);
    const std::vector<std::string> names = {"",       "A",        "a",         "AB",
                                            "B",      "\xB0\xA2", "\xB0\xA2x", "\xB2\xBC",
                                            "ab\xB0", "ab",       "\x81\x30",  "\xFF"};
    for (int round = 0; round < 50; ++round) {
        RecordStore store;
        std::vector<DrugFields> records;
        const int count = 2 + static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            records.push_back(Names(names[random() % names.size()]));
        }
        AppendAll(store, records);
        ResultList found;
        for (std::uint32_t n = 1; n <= store.GetCount(); ++n) {
            found.push_back(n);
        }
        const ResultList expected = ExchangeSorted(store, found);
        const std::uint32_t lastRead = store.GetCurrent();
        EXPECT_EQ(Search(store, "", 0xFF, SORT_BY_TRADE_NAME), expected) << "round " << round;
        // The store is left on the record the procedure read last.
        EXPECT_EQ(store.GetCurrent(), lastRead);
    }
}

TEST(RecordQuery, LeavesTheCurrentNumberWhenNothingIsOrdered) {
    RecordStore store;
    AppendAll(store, {Names(ASPIRIN_CN), Names(IBUPROFEN_CN), Names("c")});
    ASSERT_TRUE(store.GoToRecord(2));
    EXPECT_EQ(Search(store, "", 0xFF, 2), (ResultList{1, 2, 3}));
    EXPECT_EQ(store.GetCurrent(), 2u);
}

}  // namespace
}  // namespace quorbex
