// The record store against a model kept alongside. The input begins with a
// dictionary file, as it lies on disk, whose length its last two bytes give
// (little-endian); the bytes between are operations: queries with patterns,
// masks and sort keys, reads, appends, modifications, deletions, and saves
// that are loaded back. Every query's hits and order, every read, every
// reload and the final save must match the model, and zvk must agree with the
// store on whether a file opens.
//
// Inputs stay small, so that a run tries many: a count far beyond the records
// its file holds would make every step cost time per counted record (the
// first append grows the image to them all) and reach no new code. Such a
// file is only judged as zvk judges it; tests/store loads, fills and saves
// dictionaries up to the most they hold.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <memory>

#include "cli/check.h"
#include "fuzz/dictionary_model.h"
#include "fuzz/fuzz_check.h"
#include "store/cp936.h"
#include "store/pinyin.h"
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

// Records a header may count beyond those its file holds.
constexpr std::uint32_t MOST_COUNTED_PAST_THE_END = 64;

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

// The fields in the order the search text joins them, with their mask bits.
constexpr std::array<std::pair<Field, int>, 7> SEARCH_ORDER{{
    {Field::TradeName, SEARCH_TRADE_NAME},
    {Field::PinyinInitials, SEARCH_PINYIN},
    {Field::OtherNames, SEARCH_OTHER_NAMES},
    {Field::EnglishName, SEARCH_ENGLISH_NAME},
    {Field::Function, SEARCH_FUNCTION},
    {Field::Usage, SEARCH_USAGE},
    {Field::Cautions, SEARCH_CAUTIONS},
}};

// One field folded on its own, with the starts of its characters.
struct FoldedField {
    std::string text;
    std::vector<std::size_t> starts;
};

// What queries need of a record, worked out once when it changes: each
// field folded and split into characters, and the pinyin key of its name.
struct QueryKeys {
    std::array<FoldedField, SEARCH_ORDER.size()> fields;
    std::vector<std::uint64_t> pinyin;
};

QueryKeys KeysOf(const DrugFields& record) {
    QueryKeys keys;
    for (std::size_t k = 0; k < SEARCH_ORDER.size(); ++k) {
        FoldedField& folded = keys.fields[k];
        folded.text = record[SEARCH_ORDER[k].first];
        cp936::UpperCaseInPlace(folded.text);
        for (std::size_t i = 0; i < folded.text.size();) {
            folded.starts.push_back(i);
            i += cp936::IsLeadByte(static_cast<std::uint8_t>(folded.text[i])) &&
                         i + 1 < folded.text.size()
                     ? 2
                     : 1;
        }
    }
    keys.pinyin = pinyin::OrderKey(record.tradeName);
    return keys;
}

// The records the store should hold, each with its query keys.
class Model {
public:
    explicit Model(Records records) : m_records(std::move(records)) {
        for (const DrugFields& record : m_records) {
            m_keys.push_back(KeysOf(record));
        }
    }

    const Records& All() const { return m_records; }
    std::size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    // By record number, from 1.
    const DrugFields& Record(std::uint32_t number) const { return m_records[number - 1]; }
    const QueryKeys& Keys(std::uint32_t number) const { return m_keys[number - 1]; }

    void Append(const DrugFields& record) {
        m_records.push_back(record);
        m_keys.push_back(KeysOf(record));
    }
    void Replace(std::uint32_t number, const DrugFields& record) {
        m_records[number - 1] = record;
        m_keys[number - 1] = KeysOf(record);
    }
    void Erase(std::uint32_t number) {
        m_records.erase(m_records.begin() + (number - 1));
        m_keys.erase(m_keys.begin() + (number - 1));
    }

private:
    Records m_records;
    std::vector<QueryKeys> m_keys;
};

// Whether the folded pattern occurs at a character start of the record's
// search text for mask, where an unselected field stands as a line feed.
bool Matches(const QueryKeys& keys, const std::string& pattern, std::uint8_t mask) {
    if (pattern.empty()) {
        return true;
    }
    // Kept between calls: no allocation per record.
    static std::string text;
    static std::vector<std::size_t> starts;
    text.clear();
    starts.clear();
    for (std::size_t k = 0; k < SEARCH_ORDER.size(); ++k) {
        const bool selected = (mask & SEARCH_ALL) != 0 || (mask & SEARCH_ORDER[k].second) != 0;
        if (!selected) {
            starts.push_back(text.size());
            text += '\n';
            continue;
        }
        for (const std::size_t start : keys.fields[k].starts) {
            starts.push_back(text.size() + start);
        }
        text += keys.fields[k].text;
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

void CheckQuery(RecordStore& store, const Model& model, FuzzedDataProvider& data,
                std::size_t& budget) {
    const std::string pattern = data.ConsumeRandomLengthString(24);
    const int mask = data.ConsumeIntegral<int>();
    const int sortKey = data.ConsumeIntegralInRange(-1, 4);
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
        if (Matches(model.Keys(number), folded, static_cast<std::uint8_t>(mask))) {
            hits.push_back(number);
        }
    }
    if (sortKey == SORT_BY_PINYIN) {
        // A stable sort on the pinyin key, which leaves the current record be.
        std::stable_sort(hits.begin(), hits.end(), [&](std::uint32_t a, std::uint32_t b) {
            return model.Keys(a).pinyin < model.Keys(b).pinyin;
        });
    }
    if ((sortKey != SORT_BY_TRADE_NAME && sortKey != SORT_BY_ENGLISH_NAME) || hits.size() < 2) {
        // Any other key keeps the order in which the records were found.
        FUZZ_CHECK(results == hits);
        FUZZ_CHECK(store.GetCurrent() == current);
        return;
    }
    const Field key = sortKey == SORT_BY_TRADE_NAME ? Field::TradeName : Field::EnglishName;
    const auto keyOf = [&](std::uint32_t number) -> const std::string& {
        return model.Record(number)[key];
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
    const std::optional<std::uint32_t> count = OpenedCount(fileBytes);
    const std::size_t held = fileBytes.size() > DICT_HEADER_SIZE
                                 ? (fileBytes.size() - DICT_HEADER_SIZE) / DICT_RECORD_SIZE
                                 : 0;
    if (count && *count > held + MOST_COUNTED_PAST_THE_END) {
        FUZZ_CHECK(!zvk::NotADictionaryReason(fileBytes));
        return 0;
    }

    std::unique_ptr<RecordStore> store = Load(fileBytes, nullptr);
    if (!store) {
        return 0;
    }
    Model model(*OpenedRecords(fileBytes));

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
                    FUZZ_CHECK(fields == model.Record(number));
                }
                break;
            }
            case Operation::Append: {
                DrugFields fields = ConsumeFields(data);
                const DrugFields stored = AsStored(fields);
                ExchangeFields(*store, fields, false);
                const bool room = model.size() < DICT_MAX_RECORDS;
                FUZZ_CHECK(store->AppendRecord() == room);
                if (room) {
                    model.Append(stored);
                }
                break;
            }
            case Operation::Modify: {
                const auto number = data.ConsumeIntegralInRange<std::uint32_t>(1, model.size() + 1);
                DrugFields fields = ConsumeFields(data);
                if (store->GoToRecord(number)) {
                    ExchangeFields(*store, fields, false);
                    FUZZ_CHECK(store->WriteCurrentRecord());
                    model.Replace(number, AsStored(fields));
                } else {
                    FUZZ_CHECK(number > model.size());
                }
                break;
            }
            case Operation::Delete: {
                const auto number = data.ConsumeIntegralInRange<std::uint32_t>(1, model.size() + 1);
                if (store->GoToRecord(number)) {
                    FUZZ_CHECK(store->DeleteCurrentRecord());
                    model.Erase(number);
                } else {
                    FUZZ_CHECK(number > model.size());
                }
                break;
            }
            case Operation::SaveAndReload: {
                testing::MemoryFile saved;
                FUZZ_CHECK(store->SaveToFile(&saved));
                store = Load(AsText(saved.bytes), &model.All());
                FUZZ_CHECK(store != nullptr);
                break;
            }
        }
        FUZZ_CHECK(store->GetCount() == model.size());
    }

    CheckHolds(*store, model.All());
    testing::MemoryFile saved;
    FUZZ_CHECK(store->SaveToFile(&saved));
    FUZZ_CHECK(Load(AsText(saved.bytes), &model.All()) != nullptr);
    return 0;
}
