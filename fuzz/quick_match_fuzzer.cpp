// The quick search on a few records taken from the input, with a query, a
// mask and a sort key from it. Whatever the bytes: the answer fits its
// status; hits are distinct records, best rank first; a record is a hit
// exactly when it has something to mark, and the marks lie on whole
// characters of their fields; suggestions come only when nothing matched.
// Then the input changes a record, appends one and deletes one, and the
// matcher kept current must answer as one made anew.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "store/cp936.h"
#include "store/drug_fields.h"
#include "store/match_ranges.h"
#include "store/quick_match.h"
#include "store/record_store.h"

namespace quorbex::fuzz {
namespace {

constexpr std::size_t MOST_RECORDS = 8;

DrugFields ConsumeRecord(FuzzedDataProvider& data) {
    DrugFields fields;
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        fields[layout.field] = data.ConsumeRandomLengthString(layout.limit);
    }
    return fields;
}

bool IsCharacterStart(const std::string& text, std::size_t at) {
    std::size_t i = 0;
    while (i < at) {
        i += cp936::IsLeadByte(static_cast<std::uint8_t>(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    return i == at;
}

void CheckAnswer(RecordStore& store, const std::string& query, int mask, int sortKey) {
    const QuickResult result = store.QuickFind(query, mask, sortKey);
    const std::uint32_t count = store.GetCount();
    switch (result.status) {
        case QuickStatus::Blank:
        case QuickStatus::TooLong:
            FUZZ_CHECK(result.hits.empty() && result.suggestions.empty());
            return;
        case QuickStatus::Found:
            FUZZ_CHECK(!result.hits.empty() && result.suggestions.empty());
            break;
        case QuickStatus::NotFound:
            FUZZ_CHECK(result.hits.empty());
            FUZZ_CHECK(result.suggestions.size() <= QUICK_SUGGESTIONS_MAX);
            break;
    }
    std::set<std::uint32_t> hits;
    for (std::size_t i = 0; i < result.hits.size(); ++i) {
        FUZZ_CHECK(result.hits[i].number >= 1 && result.hits[i].number <= count);
        FUZZ_CHECK(hits.insert(result.hits[i].number).second);
        FUZZ_CHECK(i == 0 || result.hits[i - 1].rank <= result.hits[i].rank);
    }
    const std::set<std::uint32_t> suggested(result.suggestions.begin(), result.suggestions.end());
    FUZZ_CHECK(suggested.size() == result.suggestions.size());
    for (const std::uint32_t number : suggested) {
        FUZZ_CHECK(number >= 1 && number <= count);
    }
    const std::vector<DrugFields> records = AllRecords(store);
    for (std::uint32_t number = 1; number <= count; ++number) {
        const DrugFields& fields = records[number - 1];
        const std::vector<MatchRange> ranges = FindQuickMatchRanges(fields, query, mask);
        FUZZ_CHECK(ranges.empty() != hits.contains(number));
        for (const MatchRange& range : ranges) {
            const std::string& text = fields[range.field];
            FUZZ_CHECK(range.begin < range.end && range.end <= text.size());
            FUZZ_CHECK(IsCharacterStart(text, range.begin) && IsCharacterStart(text, range.end));
        }
    }
}

void CheckAgainstFresh(RecordStore& store, const std::string& query, int mask, int sortKey) {
    RecordStore fresh;
    for (DrugFields record : AllRecords(store)) {
        ExchangeFields(fresh, record, false);
        FUZZ_CHECK(fresh.AppendRecord());
    }
    const QuickResult kept = store.QuickFind(query, mask, sortKey);
    const QuickResult made = fresh.QuickFind(query, mask, sortKey);
    FUZZ_CHECK(kept.status == made.status);
    FUZZ_CHECK(kept.hits == made.hits);
    FUZZ_CHECK(kept.suggestions == made.suggestions);
}

}  // namespace
}  // namespace quorbex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace quorbex;
    using namespace quorbex::fuzz;
    FuzzedDataProvider data(bytes, size);
    const int mask = data.ConsumeIntegral<std::uint8_t>();
    const int sortKey = data.ConsumeIntegralInRange(0, 3);
    RecordStore store;
    const std::size_t count = data.ConsumeIntegralInRange<std::size_t>(0, MOST_RECORDS);
    for (std::size_t i = 0; i < count; ++i) {
        DrugFields record = ConsumeRecord(data);
        ExchangeFields(store, record, false);
        FUZZ_CHECK(store.AppendRecord());
    }
    const std::string query = data.ConsumeRandomLengthString(2 * QUICK_QUERY_MAX + 8);
    CheckAnswer(store, query, mask, sortKey);

    // Changed, appended and deleted records, with the texts folded too.
    store.QuickFind(query, 0xFF, sortKey);
    if (store.GetCount() > 0) {
        store.GoToRecord(data.ConsumeIntegralInRange<std::uint32_t>(1, store.GetCount()));
        DrugFields changed = ConsumeRecord(data);
        ExchangeFields(store, changed, false);
        FUZZ_CHECK(store.WriteCurrentRecord());
    }
    DrugFields appended = ConsumeRecord(data);
    ExchangeFields(store, appended, false);
    FUZZ_CHECK(store.AppendRecord());
    store.GoToRecord(data.ConsumeIntegralInRange<std::uint32_t>(1, store.GetCount()));
    FUZZ_CHECK(store.DeleteCurrentRecord());
    CheckAgainstFresh(store, query, mask, sortKey);
    CheckAnswer(store, query, mask, sortKey);
    return 0;
}
