// The match ranges: where they lie in a few records, and that a record has
// one exactly when the query finds it.
#include "store/match_ranges.h"

#include <gtest/gtest.h>

#include <random>

#include "store/record_store.h"
#include "tests/support/dictionary_builder.h"
#include "tests/support/gbk_text.h"

namespace quorbex {
namespace {

using testing::AppendAll;
using testing::Gbk;

DrugFields Aspirin() {
    DrugFields fields;
    fields.tradeName = Gbk("阿司匹林");
    fields.pinyinInitials = "ASPL";
    fields.englishName = "Aspirin";
    fields.otherNames = Gbk("乙酰水杨酸");
    fields.function = Gbk("解热镇痛，抗血小板聚集");
    fields.usage = Gbk("口服，一次０.３ｇ，阿司匹林肠溶片");
    fields.cautions = "aspirin ASPIRIN";
    return fields;
}

TEST(MatchRanges, MarkWhatTheQueryMatchesInTheFieldsSearched) {
    struct Case {
        const char* pattern;
        int mask;
        std::vector<MatchRange> ranges;
    };
    const Case cases[] = {
        // The trade name's first two characters; the usage is not searched.
        {"阿司", 0x0F, {{Field::TradeName, 0, 4}}},
        {"阿司", 0x80, {{Field::TradeName, 0, 4}, {Field::Usage, 19, 23}}},
        // Either case, in every searched field, each occurrence.
        {"aspir", 0x0F, {{Field::EnglishName, 0, 5}}},
        {"ASPIR", 0x40, {{Field::Cautions, 0, 5}, {Field::Cautions, 8, 13}}},
        // Full-width letters fold to their upper case: ｇ matches Ｇ.
        {"Ｇ", 0x20, {{Field::Usage, 15, 17}}},
        // Across two neighbouring fields: trade name then pinyin.
        {"林AS", 0x03, {{Field::TradeName, 6, 8}, {Field::PinyinInitials, 0, 2}}},
        // An unselected field between them stands as a line feed.
        {"林AS", 0x01, {}},
        // Overlapping occurrences make one range.
        {"ASPIRIN ASPIRIN", 0x40, {{Field::Cautions, 0, 15}}},
        {"", 0xFF, {}},
        {"止痛", 0xFF, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(FindMatchRanges(Aspirin(), Gbk(c.pattern), c.mask), c.ranges);
    }
}

TEST(MatchRanges, StartOnlyAtCharactersAndCoverWholeOnes) {
    DrugFields fields;
    // B0 41 is one character: its trail byte is no "A" to match.
    fields.tradeName =
        "\xB0\x41"
        "A";
    EXPECT_EQ(FindMatchRanges(fields, "A", 0x01),
              (std::vector<MatchRange>{{Field::TradeName, 2, 3}}));
    // A pattern cut at 20 bytes may end in half a character: the range takes
    // the whole character.
    fields.otherNames = std::string(19, 'X') + Gbk("药");
    EXPECT_EQ(FindMatchRanges(fields, std::string(19, 'x') + Gbk("药片"), 0x04),
              (std::vector<MatchRange>{{Field::OtherNames, 0, 21}}));
}

// Random records over a small alphabet with case pairs, lead and trail bytes
// and line feeds, and patterns without line feeds (no one-line box holds
// one): the ranges are empty exactly when the query passes the record over.
TEST(MatchRanges, AgreeWithTheQueryOnEveryRecord) {
    const std::vector<std::string> alphabet = {"a",       "A",       "b",    Gbk("阿"), Gbk("司"),
                                               Gbk("ａ"), Gbk("Ａ"), "\xB0", "\n",      "\xA3"};
    std::mt19937 random(15);
    const auto text = [&](std::size_t most) {
        std::string value;
        const std::size_t length = random() % (most + 1);
        while (value.size() < length) {
            value += alphabet[random() % alphabet.size()];
        }
        return value;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<DrugFields> records(8);
        for (DrugFields& record : records) {
            for (const FieldLayout& layout : FIELD_LAYOUTS) {
                record[layout.field] = text(std::min<std::size_t>(layout.limit, 8));
            }
        }
        RecordStore store;
        AppendAll(store, records);
        for (int query = 0; query < 10; ++query) {
            std::string pattern = text(4);
            std::erase(pattern, '\n');
            const int mask = static_cast<int>(random() % 256);
            ResultList found;
            store.Query(pattern, found, mask, 2);
            for (std::uint32_t number = 1; number <= records.size(); ++number) {
                DrugFields stored;
                store.GoToRecord(number);
                ExchangeFields(store, stored, true);
                const bool marked = !FindMatchRanges(stored, pattern, mask).empty();
                const bool hit = std::find(found.begin(), found.end(), number) != found.end();
                ASSERT_EQ(marked, hit && !pattern.empty())
                    << "pattern " << pattern << " mask " << mask << " record " << number;
            }
        }
    }
}

}  // namespace
}  // namespace quorbex
