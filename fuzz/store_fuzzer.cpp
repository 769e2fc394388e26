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
#include "tests/support/plain_query.h"

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

// What queries need of a record, worked out once when it changes: each
// field folded and split into characters, and the pinyin key of its name.
struct QueryKeys {
    testing::FoldedRecord fields;
    std::vector<std::uint64_t> pinyin;
};

QueryKeys KeysOf(const DrugFields& record) {
    return {testing::FoldRecord(record), pinyin::OrderKey(record.tradeName)};
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

    const std::string folded = testing::FoldPattern(pattern);
    ResultList hits;
    for (std::uint32_t number = 1; number <= model.size(); ++number) {
        if (testing::PlainMatches(model.Keys(number).fields, folded,
                                  static_cast<std::uint8_t>(mask))) {
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
        std::vector<std::string> keys;
        for (const std::uint32_t number : hits) {
            keys.push_back(keyOf(number));
        }
        const std::uint32_t lastRead = testing::ExchangeSort(hits, keys);
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
