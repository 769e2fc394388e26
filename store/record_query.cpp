// The store's search: a substring test over chosen fields, then an exchange
// sort of the hits on one of the two names.
#include <algorithm>
#include <cstring>
#include <numeric>

#include "store/cp936.h"
#include "store/record_store.h"

namespace quorbex {

namespace {

// The fields in the order in which they are joined into the search text.
struct SearchedField {
    Field field;
    int bit;
};
constexpr std::array<SearchedField, 7> SEARCH_ORDER{{
    {Field::TradeName, SEARCH_TRADE_NAME},
    {Field::PinyinInitials, SEARCH_PINYIN},
    {Field::OtherNames, SEARCH_OTHER_NAMES},
    {Field::EnglishName, SEARCH_ENGLISH_NAME},
    {Field::Function, SEARCH_FUNCTION},
    {Field::Usage, SEARCH_USAGE},
    {Field::Cautions, SEARCH_CAUTIONS},
}};

// The upper-cased search text of one record, and where its characters start.
// Each field is split into characters on its own, so a lone lead byte at the
// end of a field never pairs with the first byte of the next one.
struct SearchText {
    std::string bytes;
    std::vector<std::size_t> starts;

    void Clear() {
        bytes.clear();
        starts.clear();
    }

    void AppendField(std::string text) {
        cp936::UpperCaseInPlace(text);
        const std::size_t base = bytes.size();
        for (std::size_t i = 0; i < text.size();) {
            starts.push_back(base + i);
            const bool pair =
                cp936::IsLeadByte(static_cast<std::uint8_t>(text[i])) && i + 1 < text.size();
            i += pair ? 2 : 1;
        }
        bytes += text;
    }

    bool Contains(const std::string& pattern) const {
        if (pattern.empty()) {
            return true;
        }
        for (const std::size_t start : starts) {
            if (start + pattern.size() > bytes.size()) {
                break;
            }
            if (std::memcmp(bytes.data() + start, pattern.data(), pattern.size()) == 0) {
                return true;
            }
        }
        return false;
    }
};

}  // namespace

bool RecordStore::Query(const std::string& pattern, ResultList& results, int mask, int sortKey) {
    const std::uint32_t remembered = m_current;
    std::string folded = pattern;
    if (m_count == 0) {
        return false;
    }
    cp936::UpperCaseInPlace(folded);
    if (folded.size() > QUERY_PATTERN_MAX) {
        folded.resize(QUERY_PATTERN_MAX);
    }

    const auto bits = static_cast<std::uint8_t>(mask);
    const bool all = (bits & SEARCH_ALL) != 0;
    SearchText text;
    for (std::uint32_t number = 1; number <= m_count; ++number) {
        m_current = number;
        if (!ReadCurrentRecord()) {
            break;
        }
        text.Clear();
        for (const SearchedField& searched : SEARCH_ORDER) {
            text.AppendField(all || (bits & searched.bit) != 0 ? FieldText(searched.field)
                                                               : std::string("\n"));
        }
        if (text.Contains(folded)) {
            results.push_back(number);
        }
    }
    m_current = remembered;

    if (results.empty()) {
        return false;
    }
    if (results.size() == 1) {
        return true;
    }
    if (sortKey == SORT_BY_TRADE_NAME) {
        OrderResults(results, Field::TradeName);
    } else if (sortKey == SORT_BY_ENGLISH_NAME) {
        OrderResults(results, Field::EnglishName);
    }
    // Any other key compares empty strings, which never exchanges anything.
    return true;
}

// The exchange sort: for each position i, every later entry j whose key is
// smaller than entry i's is exchanged with it. Each record's key is read once
// and replaced by its rank among the keys, so the procedure runs on integers
// and gives the same order, equal keys included, as comparing the names.
void RecordStore::OrderResults(ResultList& results, Field key) {
    const std::size_t n = results.size();
    std::vector<std::string> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (GoToRecord(results[i])) {
            keys[i] = FieldText(key);
        }
    }

    std::vector<std::size_t> byKey(n);
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(), [&keys](std::size_t a, std::size_t b) {
        return cp936::CompareNames(keys[a], keys[b]) < 0;
    });
    std::vector<std::uint32_t> ranks(n);
    std::uint32_t rank = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (k > 0 && cp936::CompareNames(keys[byKey[k - 1]], keys[byKey[k]]) != 0) {
            ++rank;
        }
        ranks[byKey[k]] = rank;
    }

    // The procedure's last comparison reads the record of the final entry
    // last; the store is left on that record, as comparing names would leave it.
    std::uint32_t lastRead = 0;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (i + 2 == n) {
            lastRead = results[n - 1];
        }
        for (std::size_t j = i + 1; j < n; ++j) {
            if (ranks[i] > ranks[j]) {
                std::swap(ranks[i], ranks[j]);
                std::swap(results[i], results[j]);
            }
        }
    }
    GoToRecord(lastRead);
}

}  // namespace quorbex
