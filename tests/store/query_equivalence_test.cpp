// The store's query, which runs on its search index, against a plain
// implementation of the query kept here: it reads every record from the
// image, builds and upper-cases the search text field by field, tries the
// pattern at every character start, and orders the hits with the exchange
// procedure comparing the names themselves. Generated dictionaries with heavy
// ties in both keys, changed between queries by appending, modifying,
// deleting and reloading; every mask, several sort keys, result lists that
// already hold numbers. The two must agree on the answer, the list, the
// current record and the buffer's bytes afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "store/cp936.h"
#include "store/dictionary_format.h"
#include "store/drug_fields.h"
#include "store/record_store.h"
#include "tests/support/memory_file.h"
#include "tests/support/plain_image.h"
#include "tests/support/plain_query.h"

namespace quorbex {
namespace {

using quorbex::testing::MemoryFile;
using Bytes = std::vector<std::uint8_t>;
using View = std::span<const std::uint8_t>;

std::uint32_t Below(std::mt19937& rng, std::uint32_t bound) {
    return static_cast<std::uint32_t>(rng() % bound);
}

View ImageView(const RecordStore& store) {
    return View(store.GetImage().Data(), store.GetImage().GetLength());
}

// ---------------------------------------------------------------------------
// The plain query.

struct PlainOutcome {
    bool answer = false;
    ResultList results;
    std::uint32_t current = 0;
    // The record whose bytes the buffer holds afterwards; 0 when the query
    // leaves the buffer alone.
    std::uint32_t buffer = 0;
};

// The query of the record store, step by step. The ordering takes each
// entry's key once, in list order, going to its record (which fails for a
// number that is no record, and leaves its key empty); then it runs the
// exchange procedure on those names; then it goes to the record of the entry
// that the procedure's last comparison reads last.
PlainOutcome PlainQuery(View image, std::uint32_t count, std::uint32_t current,
                        const std::string& pattern, ResultList results, int mask, int sortKey) {
    PlainOutcome outcome;
    outcome.current = current;
    if (count == 0) {
        outcome.results = results;
        return outcome;
    }
    const std::string folded = testing::FoldPattern(pattern);
    for (std::uint32_t n = 1; n <= count; ++n) {
        const testing::FoldedRecord record =
            testing::FoldRecord(testing::PlainFields(testing::PlainRecord(image, n)));
        if (testing::PlainMatches(record, folded, static_cast<std::uint8_t>(mask))) {
            results.push_back(n);
        }
    }
    outcome.buffer = count;  // the scan read every record in turn
    const std::size_t size = results.size();
    if (size >= 2 && (sortKey == SORT_BY_TRADE_NAME || sortKey == SORT_BY_ENGLISH_NAME)) {
        const Field key = sortKey == SORT_BY_TRADE_NAME ? Field::TradeName : Field::EnglishName;
        auto goTo = [&outcome, count](std::uint32_t n) {
            if (n >= 1 && n <= count) {
                outcome.current = n;
                outcome.buffer = n;
                return true;
            }
            return false;
        };
        std::vector<std::string> keys(size);
        for (std::size_t i = 0; i < size; ++i) {
            if (goTo(results[i])) {
                keys[i] = testing::PlainField(testing::PlainRecord(image, results[i]), key);
            }
        }
        goTo(testing::ExchangeSort(results, keys));
    }
    outcome.answer = !results.empty();
    outcome.results = results;
    return outcome;
}

// ---------------------------------------------------------------------------
// Generated dictionaries.

// Names from a small set, so that keys tie often; with the odd cases of the
// comparison: case, an empty name, a lone lead byte at the end, single bytes
// above 0x7F, a trail byte in the ASCII range.
std::string RandomName(std::mt19937& rng) {
    static const char* const NAMES[] = {
        "",
        "A",
        "a",
        "AB",
        "Ab",
        "B",
        "b",
        "Z",
        "aspirin",
        "Aspirin",
        "ASPIRIN",
        "\xB0\xA2",
        "\xB0\xA2"
        "x",
        "\xB2\xBC",
        "ab\xB0",
        "ab",
        "\x81\x30",
        "\xFF",
        "\x80",
        "\x81\x41",
        "A\x81",
        "\xA3\xE1",
        "\xA3\xC1",
        "12",
        "\xB0\xA2\xCB\xBE\xC6\xA5\xC1\xD6",
        "\xB0\xA2\xCB\xBE\xC6\xA5\xC1\xD6"
        "12",
    };
    return NAMES[Below(rng, sizeof NAMES / sizeof NAMES[0])];
}

// Text of the kinds that fields hold, and of the kinds that trip up a search.
std::string RandomText(std::mt19937& rng, std::size_t most) {
    const std::size_t length = Below(rng, static_cast<std::uint32_t>(most + 1));
    std::string text;
    auto add = [&text](unsigned byte) { text += static_cast<char>(byte); };
    while (text.size() < length) {
        switch (Below(rng, 10)) {
            case 0:
                add('a' + Below(rng, 6));
                break;
            case 1:
                add('A' + Below(rng, 6));
                break;
            case 2:
                add(Below(rng, 2) != 0 ? '\n' : ' ');
                break;
            case 3:
            case 4:
                add(0xB0 + Below(rng, 3));
                add(0xA1 + Below(rng, 3));
                break;
            case 5:
                add(0xA3);
                add((Below(rng, 2) != 0 ? 0xC1 : 0xE1) + Below(rng, 4));
                break;
            case 6:  // trail bytes that are ASCII letters
                add(0x81 + Below(rng, 3));
                add('A' + Below(rng, 4));
                break;
            case 7:  // a lone lead byte
                add(0xB0 + Below(rng, 3));
                break;
            case 8:  // Greek, either case
                add(0xA6);
                add((Below(rng, 2) != 0 ? 0xA1 : 0xC1) + Below(rng, 4));
                break;
            default:
                add(Below(rng, 2) != 0 ? 0x80 : 0xFF);
                break;
        }
    }
    text.resize(length);
    return text;
}

DrugFields RandomDrug(std::mt19937& rng) {
    DrugFields drug;
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        // Now and then past the field's limit, which the exchange cuts.
        drug[layout.field] = RandomText(rng, Below(rng, 3) == 0 ? layout.limit + 4 : 12);
    }
    if (Below(rng, 4) != 0) {
        drug.tradeName = RandomName(rng);
    }
    if (Below(rng, 4) != 0) {
        drug.englishName = RandomName(rng);
    }
    return drug;
}

// A pattern: empty, a piece of some record's text cut anywhere (inside a
// character too), in either case, or made up; now and then longer than the
// query takes, or holding a line feed.
std::string RandomPattern(std::mt19937& rng, View image, std::uint32_t count) {
    switch (Below(rng, 8)) {
        case 0:
            return "";
        case 1:
            return RandomText(rng, 30);
        case 2:
            return RandomText(rng, 3) + "\n" + RandomText(rng, 3);
        default:
            break;
    }
    if (count == 0) {
        return RandomText(rng, 4);
    }
    const Bytes record = testing::PlainRecord(image, 1 + Below(rng, count));
    std::string text;
    for (const auto& [field, bit] : testing::SEARCH_TEXT_ORDER) {
        text += testing::PlainField(record, field);
        if (Below(rng, 3) == 0) {
            text += '\n';  // as an unselected field would stand
        }
    }
    const std::size_t start = Below(rng, static_cast<std::uint32_t>(text.size() + 1));
    std::string pattern = text.substr(start, 1 + Below(rng, Below(rng, 4) == 0 ? 26 : 6));
    for (char& c : pattern) {
        if (c >= 'A' && c <= 'Z' && Below(rng, 2) == 0) {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return pattern;
}

int RandomMask(std::mt19937& rng) {
    switch (Below(rng, 6)) {
        case 0:
            return SEARCH_ALL | static_cast<int>(Below(rng, 128));
        case 1:
            return static_cast<int>(rng());  // wider than 8 bits, or negative
        default:
            return static_cast<int>(Below(rng, 128));
    }
}

int RandomSortKey(std::mt19937& rng) {
    constexpr int KEYS[] = {SORT_BY_TRADE_NAME,
                            SORT_BY_TRADE_NAME,
                            SORT_BY_ENGLISH_NAME,
                            SORT_BY_ENGLISH_NAME,
                            2,
                            -1,
                            7};
    return KEYS[Below(rng, sizeof KEYS / sizeof KEYS[0])];
}

// A result list that the query appends to: usually empty, as the document
// hands it over, sometimes holding numbers, records' and others.
ResultList RandomStartingList(std::mt19937& rng, std::uint32_t count) {
    ResultList list;
    if (Below(rng, 8) == 0) {
        for (std::uint32_t i = Below(rng, 4); i > 0; --i) {
            const std::uint32_t kinds[] = {0, count + 1, 0xFFFFFFFFU, 1 + Below(rng, count + 1)};
            list.push_back(kinds[Below(rng, 4)]);
        }
    }
    return list;
}

// ---------------------------------------------------------------------------
// The comparison.

DrugFields BufferOf(RecordStore& store) {
    DrugFields fields;
    ExchangeFields(store, fields, true);
    return fields;
}

// Runs one query on the store and on the plain implementation and compares
// everything the caller can see afterwards.
void CheckQuery(RecordStore& store, const std::string& pattern, int mask, int sortKey,
                const ResultList& starting, bool checkBufferBytes) {
    const View image = ImageView(store);
    const Bytes imageBefore(image.begin(), image.end());
    const std::uint32_t count = store.GetCount();
    const DrugFields bufferBefore = BufferOf(store);
    SCOPED_TRACE("pattern of " + std::to_string(pattern.size()) + " bytes, mask " +
                 std::to_string(mask) + ", sort key " + std::to_string(sortKey) + ", count " +
                 std::to_string(count) + ", " + std::to_string(starting.size()) +
                 " numbers before");

    const PlainOutcome expected =
        PlainQuery(image, count, store.GetCurrent(), pattern, starting, mask, sortKey);
    ResultList results = starting;
    const bool answer = store.Query(pattern, results, mask, sortKey);

    EXPECT_EQ(answer, expected.answer);
    ASSERT_EQ(results, expected.results);
    EXPECT_EQ(store.GetCurrent(), expected.current);
    EXPECT_EQ(store.GetCount(), count);
    EXPECT_TRUE(std::equal(imageBefore.begin(), imageBefore.end(), ImageView(store).begin(),
                           ImageView(store).end()))
        << "the query changed the image";
    const Bytes bufferRecord =
        expected.buffer == 0 ? Bytes() : testing::PlainRecord(imageBefore, expected.buffer);
    EXPECT_EQ(BufferOf(store),
              expected.buffer == 0 ? bufferBefore : testing::PlainFields(bufferRecord));

    // The buffer's every byte, as appending it writes them.
    if (checkBufferBytes && expected.buffer != 0 && count < DICT_MAX_RECORDS) {
        ASSERT_TRUE(store.AppendRecord());
        const Bytes appended = testing::PlainRecord(ImageView(store), count + 1);
        EXPECT_EQ(appended, bufferRecord) << "the buffer holds other bytes";
    }
}

// The same with a generated pattern, mask, sort key and starting list.
void CheckQuery(RecordStore& store, std::mt19937& rng, bool checkBufferBytes) {
    const std::string pattern = RandomPattern(rng, ImageView(store), store.GetCount());
    const int mask = RandomMask(rng);
    const int sortKey = RandomSortKey(rng);
    const ResultList starting = RandomStartingList(rng, store.GetCount());
    CheckQuery(store, pattern, mask, sortKey, starting, checkBufferBytes);
}

// Changes the store as the document does: appends, modifies, deletes, or
// saves and loads the dictionary again.
void Change(RecordStore& store, std::mt19937& rng) {
    const std::uint32_t count = store.GetCount();
    switch (Below(rng, 5)) {
        case 0:
        case 1: {
            DrugFields drug = RandomDrug(rng);
            ExchangeFields(store, drug, false);
            store.AppendRecord();
            break;
        }
        case 2:
            if (count > 0 && store.GoToRecord(1 + Below(rng, count))) {
                DrugFields drug = RandomDrug(rng);
                if (Below(rng, 2) == 0) {
                    drug = BufferOf(store);
                    drug.englishName = RandomName(rng);
                }
                ExchangeFields(store, drug, false);
                EXPECT_TRUE(store.WriteCurrentRecord());
            }
            break;
        case 3:
            if (count > 0 && store.GoToRecord(1 + Below(rng, count))) {
                EXPECT_TRUE(store.DeleteCurrentRecord());
            }
            break;
        default: {
            MemoryFile file;
            ASSERT_TRUE(store.SaveToFile(&file));
            EXPECT_TRUE(store.LoadFromFile(file));
            break;
        }
    }
}

TEST(QueryEquivalence, AgreesWithThePlainQueryAsTheDictionaryChanges) {
    std::mt19937 rng(1313);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        RecordStore store;
        for (std::uint32_t i = Below(rng, 3) == 0 ? 1 + Below(rng, 4) : Below(rng, 60); i > 0;
             --i) {
            DrugFields drug = RandomDrug(rng);
            ExchangeFields(store, drug, false);
            store.AppendRecord();
        }
        for (int step = 0; step < 40; ++step) {
            if (Below(rng, 3) == 0) {
                Change(store, rng);
            }
            if (Below(rng, 3) == 0) {
                store.GoToRecord(1 + Below(rng, store.GetCount() + 1));
            }
            CheckQuery(store, rng, step == 39);
            if (::testing::Test::HasFatalFailure()) {
                return;
            }
        }
    }
}

// Long lists of hits with few distinct keys: the ordering's ties at scale.
TEST(QueryEquivalence, OrdersLongListsWithHeavyTies) {
    std::mt19937 rng(1314);
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        RecordStore store;
        const std::uint32_t count = 200 + Below(rng, 400);
        const std::uint32_t names = 1 + Below(rng, round % 2 == 0 ? 4 : 60);
        for (std::uint32_t i = 0; i < count; ++i) {
            DrugFields drug = RandomDrug(rng);
            drug.tradeName = std::string(1, static_cast<char>('A' + Below(rng, names % 26 + 1))) +
                             std::to_string(Below(rng, names));
            ExchangeFields(store, drug, false);
            store.AppendRecord();
        }
        for (int step = 0; step < 12; ++step) {
            CheckQuery(store, rng, false);
            if (step % 4 == 3) {
                Change(store, rng);
            }
        }
    }
}

// A dictionary whose count is above the records its file holds, and whose
// records hold no NUL in some fields or bytes after it: the index reads them
// as the store does.
TEST(QueryEquivalence, ReadsRecordsPastTheImageAndUnterminatedFields) {
    std::mt19937 rng(1315);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::uint32_t count = 1 + Below(rng, 40);
        const std::uint32_t present = Below(rng, count + 1);
        Bytes plain(DICT_HEADER_SIZE, 0);
        for (int i = 0; i < 4; ++i) {
            plain[DICT_COUNT_OFFSET + i] = static_cast<std::uint8_t>(count >> (8 * i));
            plain[DICT_MAGIC_OFFSET + i] = static_cast<std::uint8_t>(DICT_MAGIC >> (8 * i));
        }
        for (std::uint32_t n = 0; n < present; ++n) {
            Bytes record(DICT_RECORD_SIZE, 0);
            for (const FieldLayout& layout : FIELD_LAYOUTS) {
                const std::size_t width = layout.limit + 1;
                std::string text = Below(rng, 4) == 0 ? RandomName(rng) : RandomText(rng, width);
                if (Below(rng, 5) == 0) {
                    while (text.size() < width) {  // no NUL within the field
                        text += RandomText(rng, width);
                    }
                }
                text.resize(std::min(text.size(), width));
                std::replace(text.begin(), text.end(), '\0', 'x');
                std::copy(text.begin(), text.end(), record.begin() + layout.offset);
                for (std::size_t i = text.size() + 1; i < width && Below(rng, 2) == 0; ++i) {
                    record[layout.offset + i] = static_cast<std::uint8_t>(rng());
                }
            }
            plain.insert(plain.end(), record.begin(), record.end());
        }
        // Cut anywhere in the last record, or keep it whole.
        plain.resize(plain.size() - (present > 0 ? Below(rng, DICT_RECORD_SIZE) : 0));
        for (std::uint8_t& byte : plain) {
            byte ^= DICT_XOR_KEY;
        }
        MemoryFile file(plain);
        RecordStore store;
        ASSERT_TRUE(store.LoadFromFile(file));
        for (int step = 0; step < 12; ++step) {
            CheckQuery(store, rng, step == 11);
            if (step % 5 == 4) {
                Change(store, rng);
            }
        }
    }
}

// A character with case at every place of a long field, after every kind of
// byte: the folding works 64 bytes at a time, and a character may straddle two.
TEST(QueryEquivalence, FoldsCharactersAtEveryPlaceOfALongField) {
    std::mt19937 rng(1316);
    RecordStore store;
    const std::string fillers[] = {"x", "\xB0\xA1", "\xB0"};
    for (std::size_t record = 0; record < 2 * 199; ++record) {
        // Each place twice: after plain letters, where a character starts
        // there, and after any bytes.
        const std::size_t at = record / 2;
        DrugFields drug;
        std::string text;
        while (text.size() < at) {
            text += record % 2 == 0 ? fillers[0] : fillers[Below(rng, 3)];
        }
        text.resize(at);
        drug.function = text + (at % 2 == 0 ? "\xA3\xE1" : "\xA6\xC1") + "y";
        drug.tradeName = RandomName(rng);
        ExchangeFields(store, drug, false);
        store.AppendRecord();
    }
    for (const char* pattern :
         {"\xA3\xE1", "\xA3\xC1", "\xA6\xC1", "\xA6\xA1", "\xA3\xC1Y", "X\xA3\xC1", "\xB0\xA3"}) {
        for (const int mask : {SEARCH_FUNCTION, SEARCH_ALL, 0x7F & ~SEARCH_FUNCTION}) {
            CheckQuery(store, pattern, mask, SORT_BY_TRADE_NAME, {}, false);
        }
    }
}

}  // namespace
}  // namespace quorbex
