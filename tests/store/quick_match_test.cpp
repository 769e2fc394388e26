// The quick search against a small dictionary: how each way of typing a name
// finds it, the ranks and orders, suggestions, bad input, marking, and the
// matcher kept current as records change.
#include "store/quick_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/match_ranges.h"
#include "store/quick_fold.h"
#include "store/record_store.h"
#include "tests/support/dictionary_builder.h"
#include "tests/support/gbk_text.h"

namespace quorbex {
namespace {

using testing::AppendAll;
using testing::Gbk;
using testing::GbkRecord;

// Record numbers 1 to 9. 2 comes before 1 by trade name (胶 before 克) and in
// pinyin (jiao before ke), after it by English name.
std::vector<DrugFields> Fixture() {
    return {
        GbkRecord("阿莫西林克拉维酸钾片", "AMXLKLWSJP", "Amoclav"),
        GbkRecord("阿莫西林胶囊", "AMXLJN", "Amoxicillin", "阿莫仙、再林"),
        GbkRecord("维生素Ｂ１２片", "WSSB12P", "Vitamin  B12"),
        GbkRecord("丹参片", "DSP", "Salvia"),
        GbkRecord("重组人胰岛素", "ZZRYDS", "Insulin"),
        GbkRecord("氯雷他定片", "LLTDP", "Loratadine"),
        GbkRecord("布洛芬缓释胶囊", "BLFHSJN", "Ibuprofen", "芬必得", "用于缓解头痛、牙痛"),
        GbkRecord("阿司匹林", "ASPL", "Ａｓｐｉｒｉｎ"),
        GbkRecord("ＡＢＣ药", "", "", "Tylenol; Panadol"),
    };
}

class QuickMatch : public ::testing::Test {
protected:
    QuickMatch() { AppendAll(store, Fixture()); }

    QuickResult Find(const char* query, int mask = 0x0F, int sortKey = SORT_BY_TRADE_NAME) {
        return store.QuickFind(Gbk(query), mask, sortKey);
    }

    RecordStore store;
};

using Hits = std::vector<QuickHit>;
constexpr QuickRank EXACT = QuickRank::ExactName;
constexpr QuickRank PREFIX = QuickRank::NamePrefix;
constexpr QuickRank PINYIN = QuickRank::PinyinPrefix;
constexpr QuickRank WITHIN = QuickRank::NameContains;
constexpr QuickRank OTHER = QuickRank::OtherField;

TEST_F(QuickMatch, FindsANameHoweverItIsTyped) {
    struct Case {
        const char* query;
        int mask;
        Hits hits;
    };
    const Case cases[] = {
        // Case and width: full-width letters in the query and in the records.
        {"amoxicillin", 0x0F, {{2, EXACT}}},
        {"ＡＭＯＸＩＣＩＬＬＩＮ", 0x0F, {{2, EXACT}}},
        {"aspirin", 0x0F, {{8, EXACT}}},
        {"ＡｓＰｉ", 0x0F, {{8, PREFIX}}},
        {"b12", 0x0F, {{3, WITHIN}}},
        {"ｂ１２", 0x0F, {{3, WITHIN}}},
        {"abc", 0x0F, {{9, PREFIX}}},
        // White space: the ends cut, a run read as one space.
        {"  vitamin　 b12 ", 0x0F, {{3, EXACT}}},
        // Chinese: a whole name, its start, a name of the other names.
        {"阿司匹林", 0x0F, {{8, EXACT}}},
        {"阿莫", 0x0F, {{2, PREFIX}, {1, PREFIX}}},
        {"再林", 0x0F, {{2, EXACT}}},
        {"panadol", 0x0F, {{9, EXACT}}},
        // A match never runs from one of the other names into the next.
        {"仙、再", 0x0F, {}},
        {"西林", 0x0F, {{2, WITHIN}, {1, WITHIN}}},
        // Pinyin: initials, full, mixed, from any syllable, with spaces.
        {"amx", 0x0F, {{2, PINYIN}, {1, PINYIN}}},
        {"amxljn", 0x0F, {{2, PINYIN}}},
        {"amoxilin", 0x0F, {{2, PINYIN}, {1, PINYIN}}},
        {"amoxl", 0x0F, {{2, PINYIN}, {1, PINYIN}}},
        {"a mo xi'lin", 0x0F, {{2, PINYIN}, {1, PINYIN}}},
        {"moxi", 0x0F, {{2, WITHIN}, {1, WITHIN}}},
        {"xilin", 0x0F, {{2, WITHIN}, {1, WITHIN}}},
        {"jiaonang", 0x0F, {{2, WITHIN}, {7, WITHIN}}},
        {"weishengsub12", 0x0F, {{3, PINYIN}}},
        {"wssb", 0x0F, {{3, PINYIN}}},
        // Polyphones: 参 reads cān and shēn, 重 zhòng and chóng.
        {"danshen", 0x0F, {{4, PINYIN}}},
        {"dancan", 0x0F, {{4, PINYIN}}},
        {"chongzu", 0x0F, {{5, PINYIN}}},
        {"zhongzu", 0x0F, {{5, PINYIN}}},
        // ü typed v or u.
        {"lvleitading", 0x0F, {{6, PINYIN}}},
        {"luleitading", 0x0F, {{6, PINYIN}}},
        {"LVLTD", 0x0F, {{6, PINYIN}}},
        // Ranks: a name's start before the pinyin before a name within.
        {"amox", 0x0F, {{2, PREFIX}, {1, PINYIN}}},
        {"lin", 0x0F, {{2, WITHIN}, {1, WITHIN}, {8, WITHIN}, {5, WITHIN}}},
        // The other fields only when the mask selects them, ranked last.
        {"头痛", 0x0F, {}},
        {"头痛", 0x1F, {{7, OTHER}}},
        {"头痛", 0x80, {{7, OTHER}}},
        {"ibu", 0x80, {{7, PREFIX}}},
        // Each field by its own bit: pinyin only with 0x02.
        {"amoxilin", 0x01, {}},
        {"amoxilin", 0x02, {{2, PINYIN}, {1, PINYIN}}},
        {"amoxicillin", 0x07, {}},
        {"再林", 0x0B, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        const QuickResult result = Find(c.query, c.mask);
        EXPECT_EQ(result.hits, c.hits);
        EXPECT_EQ(result.status, c.hits.empty() ? QuickStatus::NotFound : QuickStatus::Found);
    }
}

TEST_F(QuickMatch, OrdersEachRankByTheSortKey) {
    const auto numbers = [this](const char* query, int sortKey) {
        std::vector<std::uint32_t> found;
        for (const QuickHit& hit : Find(query, 0x0F, sortKey).hits) {
            found.push_back(hit.number);
        }
        return found;
    };
    using Numbers = std::vector<std::uint32_t>;
    EXPECT_EQ(numbers("xilin", SORT_BY_TRADE_NAME), (Numbers{2, 1}));
    EXPECT_EQ(numbers("xilin", SORT_BY_ENGLISH_NAME), (Numbers{1, 2}));
    EXPECT_EQ(numbers("xilin", 2), (Numbers{1, 2}));
    EXPECT_EQ(numbers("xilin", SORT_BY_PINYIN), (Numbers{2, 1}));
    // The rank decides before the key: 2's English name starts with amox.
    EXPECT_EQ(numbers("amox", SORT_BY_ENGLISH_NAME), (Numbers{2, 1}));
}

TEST_F(QuickMatch, SuggestsTheClosestNamesWhenNothingMatches) {
    struct Case {
        const char* query;
        std::vector<std::uint32_t> suggestions;
    };
    const Case cases[] = {
        // One letter short in the English name, two in the pinyin.
        {"amoxicilin", {2, 1}},
        {"ibuprofin", {7}},
        // Two letters exchanged.
        {"ibpurofen", {7}},
        {"lroatadine", {6}},
        // A typo in the pinyin; a Chinese character of the same reading.
        {"danshan", {4}},
        {"阿莫西琳", {2, 1}},
        // Too far from every name, or too short to tell.
        {"zzzzzz", {}},
        {"qx", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        const QuickResult result = Find(c.query);
        EXPECT_EQ(result.status, QuickStatus::NotFound);
        EXPECT_TRUE(result.hits.empty());
        EXPECT_EQ(result.suggestions, c.suggestions);
    }
    EXPECT_TRUE(Find("amox").suggestions.empty());
}

TEST(QuickSuggestions, AreAtMostThreeTheEquallyCloseInTheSortOrder) {
    RecordStore store;
    AppendAll(store, {testing::Names("E", "Zorvax"), testing::Names("D", "Zorvex"),
                      testing::Names("C", "Zorvix"), testing::Names("B", "Zorvox"),
                      testing::Names("A", "Zorvux")});
    using Numbers = std::vector<std::uint32_t>;
    EXPECT_EQ(store.QuickFind("zorvyx", 0x0F, SORT_BY_TRADE_NAME).suggestions, (Numbers{5, 4, 3}));
    EXPECT_EQ(store.QuickFind("zorvyx", 0x0F, 2).suggestions, (Numbers{1, 2, 3}));
    // Whatever the mask searches.
    EXPECT_EQ(store.QuickFind("zorvyx", 0, 2).suggestions, (Numbers{1, 2, 3}));
    // The closer first: zorvu is a start of Zorvux.
    EXPECT_EQ(store.QuickFind("zorvuy", 0x0F, 2).suggestions, (Numbers{5, 1, 2}));
}

TEST_F(QuickMatch, AnswersBadInputClearly) {
    EXPECT_EQ(Find("").status, QuickStatus::Blank);
    EXPECT_EQ(Find("   ").status, QuickStatus::Blank);
    EXPECT_EQ(Find("　 \t\r\n").status, QuickStatus::Blank);
    // A lone lead byte is no character.
    EXPECT_EQ(store.QuickFind("\xB0", 0x0F, 0).status, QuickStatus::Blank);
    EXPECT_EQ(store.QuickFind("ibu\xB0", 0x0F, 0).hits, (Hits{{7, PREFIX}}));

    // The longest query is QUICK_QUERY_MAX bytes once folded and cut.
    const std::string longest(QUICK_QUERY_MAX, 'a');
    EXPECT_EQ(store.QuickFind(longest, 0xFF, 0).status, QuickStatus::NotFound);
    EXPECT_EQ(store.QuickFind(longest + "a", 0xFF, 0).status, QuickStatus::TooLong);
    EXPECT_EQ(store.QuickFind("   " + longest + "   ", 0xFF, 0).status, QuickStatus::NotFound);
    // Full-width letters take one byte each once folded.
    std::string wide;
    for (std::size_t i = 0; i < QUICK_QUERY_MAX; ++i) {
        wide += Gbk("ａ");
    }
    EXPECT_EQ(store.QuickFind(wide, 0xFF, 0).status, QuickStatus::NotFound);
    const QuickResult pasted = store.QuickFind(std::string(10000, 'x'), 0xFF, 0);
    EXPECT_EQ(pasted.status, QuickStatus::TooLong);
    EXPECT_TRUE(pasted.hits.empty());
    EXPECT_TRUE(pasted.suggestions.empty());

    // Bytes that are no GBK text match as bytes, without harm.
    EXPECT_EQ(store.QuickFind(std::string("\x80\xFF\x81\x20", 4), 0xFF, 0).status,
              QuickStatus::NotFound);

    RecordStore empty;
    EXPECT_EQ(empty.QuickFind("amx", 0x0F, 0).status, QuickStatus::NotFound);
    EXPECT_EQ(empty.QuickFind(" ", 0x0F, 0).status, QuickStatus::Blank);
}

TEST_F(QuickMatch, LeavesTheCurrentRecordAlone) {
    ASSERT_TRUE(store.GoToRecord(4));
    const RecordBytes before = store.GetRecordBuffer();
    Find("amox", 0xFF);
    Find("amoxicilin", 0xFF);
    EXPECT_EQ(store.GetCurrent(), 4u);
    EXPECT_EQ(store.GetRecordBuffer(), before);
}

// The matcher made once and kept current answers as one made anew from the
// same records.
TEST_F(QuickMatch, KeepsCurrentAsRecordsAreAppendedModifiedAndDeleted) {
    const char* queries[] = {"amx", "amikaxing", "jiaonang", "头痛", "ibu", "xilin", "amoxicilin"};
    const auto agree = [&] {
        RecordStore fresh;
        std::vector<DrugFields> records;
        for (std::uint32_t number = 1; number <= store.GetCount(); ++number) {
            records.push_back(testing::RecordFields(store, number));
        }
        AppendAll(fresh, records);
        for (const char* query : queries) {
            for (const int mask : {0x0F, 0xFF}) {
                SCOPED_TRACE(std::string(query) + " " + std::to_string(mask));
                const QuickResult kept = store.QuickFind(Gbk(query), mask, 0);
                const QuickResult made = fresh.QuickFind(Gbk(query), mask, 0);
                EXPECT_EQ(kept.hits, made.hits);
                EXPECT_EQ(kept.suggestions, made.suggestions);
            }
        }
    };
    // Made now, the texts with the first mask that searches them.
    ASSERT_EQ(Find("amikaxing").status, QuickStatus::NotFound);
    Find("头痛", 0xFF);

    AppendAll(store, {GbkRecord("阿米卡星注射液", "AMKXZSY", "Amikacin", "", "头痛")});
    EXPECT_EQ(Find("amikaxing").hits, (Hits{{10, PINYIN}}));
    agree();

    ASSERT_TRUE(store.GoToRecord(2));
    std::string name = Gbk("头孢氨苄胶囊");
    store.ExchangeTradeName(name, false);
    ASSERT_TRUE(store.WriteCurrentRecord());
    EXPECT_EQ(Find("jiaonang").hits, (Hits{{7, WITHIN}, {2, WITHIN}}));
    EXPECT_EQ(Find("xilin").hits, (Hits{{1, WITHIN}}));
    agree();

    ASSERT_TRUE(store.GoToRecord(1));
    ASSERT_TRUE(store.DeleteCurrentRecord());
    EXPECT_EQ(Find("amikaxing").hits, (Hits{{9, PINYIN}}));
    agree();

    ASSERT_TRUE(store.InsertRecord(1));
    agree();
}

TEST(QuickFold, ReadsWidthCaseAndSpacesAlikeAndKeepsWhereEachByteCameFrom) {
    struct Case {
        const char* text;
        const char* folded;
        std::vector<std::size_t> origins;
    };
    const Case cases[] = {
        {"Ａｂ１", "AB1", {0, 2, 4, 6}},
        // Greek letters have case; Chinese characters stay.
        {"α阿", "Α阿", {0, 0, 2, 2, 4}},
        {"a \t　\r\nb", "A B", {0, 1, 7, 8}},
        {"", "", {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::size_t> origins;
        EXPECT_EQ(quickfold::Fold(Gbk(c.text), &origins), Gbk(c.folded));
        EXPECT_EQ(origins, c.origins);
    }
    // A lead byte at the end stands alone; a pair that is no character is
    // kept as it is, its second byte never read as a letter or a space.
    EXPECT_EQ(quickfold::Fold("a\xB0"), "A\xB0");
    EXPECT_EQ(quickfold::Fold("\x81"
                              "a\x81 "),
              "\x81"
              "a\x81 ");
    EXPECT_EQ(quickfold::WholeCharacters("a\xB0"), 1u);
    EXPECT_EQ(quickfold::WholeCharacters("\xB0\xA2"), 2u);
}

TEST(QuickMatchRanges, MarkTheMatchAndThePinyinsCharacters) {
    const DrugFields amoxicillin =
        GbkRecord("阿莫西林胶囊", "AMXLJN", "Amoxicillin", "阿莫仙、再林");
    const DrugFields vitamin = GbkRecord("维生素Ｂ１２片", "WSSB12P", "Vitamin  B12");
    struct Case {
        const DrugFields& fields;
        const char* query;
        int mask;
        std::vector<MatchRange> ranges;
    };
    const Case cases[] = {
        // Text and pinyin: 阿莫西 spelled a, mo, x; the English name's start.
        {amoxicillin, "amox", 0x0F, {{Field::TradeName, 0, 6}, {Field::EnglishName, 0, 4}}},
        {amoxicillin, "xilin", 0x0F, {{Field::TradeName, 4, 8}}},
        {amoxicillin, "xilin", 0x01, {}},
        {amoxicillin, "amx", 0x0F, {{Field::TradeName, 0, 6}, {Field::PinyinInitials, 0, 3}}},
        // Every occurrence, merged where they meet.
        {amoxicillin, "林", 0x0F, {{Field::TradeName, 6, 8}, {Field::OtherNames, 10, 12}}},
        {amoxicillin,
         "l",
         0x0F,
         {{Field::TradeName, 6, 8}, {Field::PinyinInitials, 3, 4}, {Field::EnglishName, 7, 9}}},
        // Full-width characters marked whole; a run of spaces as one.
        {vitamin,
         "b12",
         0x0F,
         {{Field::TradeName, 6, 12}, {Field::PinyinInitials, 3, 6}, {Field::EnglishName, 9, 12}}},
        {vitamin, "vitamin b", 0x08, {{Field::EnglishName, 0, 10}}},
        {vitamin, " ", 0x0F, {}},
        {amoxicillin, "仙、再", 0x0F, {}},
        {amoxicillin, "再林", 0x04, {{Field::OtherNames, 8, 12}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_EQ(FindQuickMatchRanges(c.fields, Gbk(c.query), c.mask), c.ranges);
    }
}

}  // namespace
}  // namespace quorbex
