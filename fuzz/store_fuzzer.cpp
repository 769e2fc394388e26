// The record store against a model kept alongside. The input begins with a
// dictionary file, as it lies on disk, whose length its last two bytes give
// (little-endian); the bytes between are operations: queries with patterns,
// masks and sort keys, reads, appends (up to past the most a dictionary
// holds), modifications, deletions, and saves that are loaded back. Every
// query's hits and order, every read, every reload and the final save must
// match the model, and zvk must agree with the store on whether a file opens.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <memory>

#include "cli/check.h"
#include "fuzz/dictionary_model.h"
#include "fuzz/fuzz_check.h"
#include "store/cp936.h"
#include "store/record_store.h"
#include "tests/support/memory_file.h"

namespace quorbex::fuzz {
namespace {

using Records = std::vector<DrugFields>;

// Operations of one input, and records its queries scan in all: longer runs
// rarely reach new states, and a query of a full dictionary is slow under
// the sanitizers. Queries past the budget are not run.
constexpr int MOST_OPERATIONS = 64;
constexpr std::size_t QUERY_SCAN_BUDGET = 4000;

// Beyond this many hits the exchange procedure is too slow to replay on
// every query; the order is then checked for being sorted only.
constexpr std::size_t MOST_HITS_REPLAYED = 400;

std::string AsText(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// Loads file bytes into a new store; checks the verdict against the model
// and zvk's, and the records against the model's.
std::unique_ptr<RecordStore> Load(const std::string& fileBytes, const Records* expected) {
    auto store = std::make_unique<RecordStore>();
    testing::MemoryFile file(std::vector<std::uint8_t>(fileBytes.begin(), fileBytes.end()));
    const bool loaded = store->LoadFromFile(file);
    const std::optional<Records> opened = OpenedRecords(fileBytes);
    FUZZ_CHECK(loaded == opened.has_value());
    FUZZ_CHECK(loaded == !zvk::NotADictionaryReason(fileBytes).has_value());
    if (!loaded) {
        FUZZ_CHECK(store->GetCount() == 0);
        return nullptr;
    }
    FUZZ_CHECK(store->GetCount() == opened->size());
    if (expected != nullptr) {
        FUZZ_CHECK(*opened == *expected);
    }
    return store;
}

void CheckHolds(RecordStore& store, const Records& model) {
    std::uint32_t count = 0;
    FUZZ_CHECK(store.ReadRecordCount(count) && count == model.size());
    FUZZ_CHECK(store.GetCount() == model.size());
    for (std::uint32_t number = 1; number <= model.size(); ++number) {
        FUZZ_CHECK(store.GoToRecord(number));
        DrugFields fields;
        ExchangeFields(store, fields, true);
        FUZZ_CHECK(fields == model[number - 1]);
    }
}

// What a field holds after text was written into it: the text cut to the
// field's limit, read back up to its first NUL.
DrugFields AsStored(const DrugFields& written) {
    DrugFields stored;
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        const std::string& text = written[layout.field];
        const std::string cut = text.substr(0, layout.limit);
        stored[layout.field] = cut.substr(0, cut.find('\0'));
    }
    return stored;
}

DrugFields ConsumeFields(FuzzedDataProvider& data) {
    DrugFields fields;
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        fields[layout.field] = data.ConsumeRandomLengthString(layout.limit + 4);
    }
    return fields;
}

// The search text of one record, folded, with its character starts: each
// field is folded and split into characters on its own, an unselected field
// stands as a line feed.
bool Matches(const DrugFields& record, const std::string& pattern, std::uint8_t mask) {
    static constexpr std::array<std::pair<Field, int>, 7> ORDER{{
        {Field::TradeName, SEARCH_TRADE_NAME},
        {Field::PinyinInitials, SEARCH_PINYIN},
        {Field::OtherNames, SEARCH_OTHER_NAMES},
        {Field::EnglishName, SEARCH_ENGLISH_NAME},
        {Field::Function, SEARCH_FUNCTION},
        {Field::Usage, SEARCH_USAGE},
        {Field::Cautions, SEARCH_CAUTIONS},
    }};
    std::string text;
    std::vector<std::size_t> starts;
    for (const auto& [field, bit] : ORDER) {
        const bool selected = (mask & SEARCH_ALL) != 0 || (mask & bit) != 0;
        std::string part = selected ? record[field] : std::string("\n");
        cp936::UpperCaseInPlace(part);
        for (std::size_t i = 0; i < part.size();) {
            starts.push_back(text.size() + i);
            i += cp936::IsLeadByte(static_cast<std::uint8_t>(part[i])) && i + 1 < part.size() ? 2
                                                                                              : 1;
        }
        text += part;
    }
    if (pattern.empty()) {
        return true;
    }
    // Compared byte by byte: libFuzzer would take every memcmp of the
    // model's as a hint for its mutations.
    return std::any_of(starts.begin(), starts.end(), [&](std::size_t start) {
        if (start + pattern.size() > text.size()) {
            return false;
        }
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            if (text[start + i] != pattern[i]) {
                return false;
            }
        }
        return true;
    });
}

void CheckQuery(RecordStore& store, const Records& model, FuzzedDataProvider& data,
                std::size_t& budget) {
    const std::string pattern = data.ConsumeRandomLengthString(24);
    const int mask = data.ConsumeIntegral<int>();
    const int sortKey = data.ConsumeIntegralInRange(-1, 3);
    if (model.size() > budget) {
        return;
    }
    budget -= model.size();
    const std::uint32_t current = store.GetCurrent();
    ResultList results;
    const bool found = store.Query(pattern, results, mask, sortKey);
    FUZZ_CHECK(found == !results.empty());
    if (model.empty()) {
        FUZZ_CHECK(results.empty());
        return;
    }

    std::string folded = pattern;
    cp936::UpperCaseInPlace(folded);
    folded.resize(std::min(folded.size(), QUERY_PATTERN_MAX));
    ResultList hits;
    for (std::uint32_t number = 1; number <= model.size(); ++number) {
        if (Matches(model[number - 1], folded, static_cast<std::uint8_t>(mask))) {
            hits.push_back(number);
        }
    }
    if ((sortKey != SORT_BY_TRADE_NAME && sortKey != SORT_BY_ENGLISH_NAME) || hits.size() < 2) {
        FUZZ_CHECK(results == hits);
        FUZZ_CHECK(store.GetCurrent() == current);
        return;
    }
    const Field key = sortKey == SORT_BY_TRADE_NAME ? Field::TradeName : Field::EnglishName;
    const auto keyOf = [&](std::uint32_t number) -> const std::string& {
        return model[number - 1][key];
    };
    if (hits.size() <= MOST_HITS_REPLAYED) {
        // The exchange procedure itself, ties and all. Its last comparison
        // reads the record of the last entry last, and leaves it current.
        std::uint32_t lastRead = 0;
        for (std::size_t i = 0; i + 1 < hits.size(); ++i) {
            lastRead = hits.back();
            for (std::size_t j = i + 1; j < hits.size(); ++j) {
                if (cp936::CompareNames(keyOf(hits[i]), keyOf(hits[j])) > 0) {
                    std::swap(hits[i], hits[j]);
                }
            }
        }
        FUZZ_CHECK(results == hits);
        FUZZ_CHECK(store.GetCurrent() == lastRead);
        return;
    }
    for (std::size_t i = 0; i + 1 < results.size(); ++i) {
        FUZZ_CHECK(cp936::CompareNames(keyOf(results[i]), keyOf(results[i + 1])) <= 0);
    }
    ResultList sorted = results;
    std::sort(sorted.begin(), sorted.end());
    FUZZ_CHECK(sorted == hits);
}

// kMaxValue is the name FuzzedDataProvider::ConsumeEnum looks for.
enum class Operation {
    Query,
    Read,
    Append,
    Modify,
    Delete,
    SaveAndReload,
    kMaxValue = SaveAndReload
};

}  // namespace
}  // namespace quorbex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace quorbex;
    using namespace quorbex::fuzz;
    FuzzedDataProvider data(bytes, size);
    const std::size_t fileLength =
        std::min<std::size_t>(data.ConsumeIntegral<std::uint16_t>(), data.remaining_bytes());
    const std::string fileBytes = data.ConsumeBytesAsString(fileLength);

    std::unique_ptr<RecordStore> store = Load(fileBytes, nullptr);
    if (!store) {
        return 0;
    }
    Records model = *OpenedRecords(fileBytes);

    std::size_t queryBudget = QUERY_SCAN_BUDGET;
    for (int operations = 0; operations < MOST_OPERATIONS && data.remaining_bytes() > 0;
         ++operations) {
        switch (data.ConsumeEnum<Operation>()) {
            case Operation::Query:
                CheckQuery(*store, model, data, queryBudget);
                break;
            case Operation::Read: {
                const auto number = data.ConsumeIntegralInRange<std::uint32_t>(0, model.size() + 1);
                const bool exists = number >= 1 && number <= model.size();
                FUZZ_CHECK(store->GoToRecord(number) == exists);
                if (exists) {
                    DrugFields fields;
                    ExchangeFields(*store, fields, true);
                    FUZZ_CHECK(fields == model[number - 1]);
                }
                break;
            }
            case Operation::Append: {
                DrugFields fields = ConsumeFields(data);
                const DrugFields stored = AsStored(fields);
                // Now and then enough to reach the most a dictionary holds.
                const int times = data.ConsumeBool() ? data.ConsumeIntegralInRange(1, 2001) : 1;
                for (int i = 0; i < times; ++i) {
                    ExchangeFields(*store, fields, false);
                    const bool room = model.size() < DICT_MAX_RECORDS;
                    FUZZ_CHECK(store->AppendRecord() == room);
                    if (room) {
                        model.push_back(stored);
                    }
                }
                break;
            }
            case Operation::Modify: {
                const auto number = data.ConsumeIntegralInRange<std::uint32_t>(1, model.size() + 1);
                DrugFields fields = ConsumeFields(data);
                if (store->GoToRecord(number)) {
                    ExchangeFields(*store, fields, false);
                    FUZZ_CHECK(store->WriteCurrentRecord());
                    model[number - 1] = AsStored(fields);
                } else {
                    FUZZ_CHECK(number > model.size());
                }
                break;
            }
            case Operation::Delete: {
                const auto number = data.ConsumeIntegralInRange<std::uint32_t>(1, model.size() + 1);
                if (store->GoToRecord(number)) {
                    FUZZ_CHECK(store->DeleteCurrentRecord());
                    model.erase(model.begin() + (number - 1));
                } else {
                    FUZZ_CHECK(number > model.size());
                }
                break;
            }
            case Operation::SaveAndReload: {
                testing::MemoryFile saved;
                FUZZ_CHECK(store->SaveToFile(&saved));
                store = Load(AsText(saved.bytes), &model);
                FUZZ_CHECK(store != nullptr);
                break;
            }
        }
        FUZZ_CHECK(store->GetCount() == model.size());
    }

    CheckHolds(*store, model);
    testing::MemoryFile saved;
    FUZZ_CHECK(store->SaveToFile(&saved));
    FUZZ_CHECK(Load(AsText(saved.bytes), &model) != nullptr);
    return 0;
}
