// The query's rules worked out plainly, without the store's search index:
// the search text of a record, folded and split into characters, where the
// folded pattern must occur at a character start; and the exchange procedure
// that orders the hits. The model that the tests and the fuzz targets hold
// the store's query to.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "store/cp936.h"
#include "store/dictionary_format.h"
#include "store/drug_fields.h"
#include "store/record_store.h"

namespace quorbex::testing {

// The fields in the order the search text joins them, with their mask bits.
inline constexpr std::array<std::pair<Field, int>, 7> SEARCH_TEXT_ORDER{{
    {Field::TradeName, SEARCH_TRADE_NAME},
    {Field::PinyinInitials, SEARCH_PINYIN},
    {Field::OtherNames, SEARCH_OTHER_NAMES},
    {Field::EnglishName, SEARCH_ENGLISH_NAME},
    {Field::Function, SEARCH_FUNCTION},
    {Field::Usage, SEARCH_USAGE},
    {Field::Cautions, SEARCH_CAUTIONS},
}};

// One field upper-cased on its own, with the starts of its characters.
struct FoldedField {
    std::string text;
    std::vector<std::size_t> starts;
};

// A record's fields folded, in search-text order.
using FoldedRecord = std::array<FoldedField, SEARCH_TEXT_ORDER.size()>;

inline FoldedRecord FoldRecord(const DrugFields& record) {
    FoldedRecord folded;
    for (std::size_t k = 0; k < SEARCH_TEXT_ORDER.size(); ++k) {
        FoldedField& field = folded[k];
        field.text = record[SEARCH_TEXT_ORDER[k].first];
        cp936::UpperCaseInPlace(field.text);
        for (std::size_t i = 0; i < field.text.size();) {
            field.starts.push_back(i);
            i += cp936::IsLeadByte(static_cast<std::uint8_t>(field.text[i])) &&
                         i + 1 < field.text.size()
                     ? 2
                     : 1;
        }
    }
    return folded;
}

// The pattern as the query takes it: upper-cased, cut to its longest.
inline std::string FoldPattern(const std::string& pattern) {
    std::string folded = pattern;
    cp936::UpperCaseInPlace(folded);
    folded.resize(std::min(folded.size(), QUERY_PATTERN_MAX));
    return folded;
}

// Whether the folded pattern occurs at a character start of the record's
// search text for mask, where a field the mask leaves out stands as a line
// feed. Compared byte by byte: a fuzzer would take every memcmp as a hint.
inline bool PlainMatches(const FoldedRecord& record, const std::string& folded, std::uint8_t mask) {
    if (folded.empty()) {
        return true;
    }
    // Kept between calls: no allocation per record.
    static thread_local std::string text;
    static thread_local std::vector<std::size_t> starts;
    text.clear();
    starts.clear();
    for (std::size_t k = 0; k < SEARCH_TEXT_ORDER.size(); ++k) {
        const bool selected = (mask & SEARCH_ALL) != 0 || (mask & SEARCH_TEXT_ORDER[k].second) != 0;
        if (!selected) {
            starts.push_back(text.size());
            text += '\n';
            continue;
        }
        for (const std::size_t start : record[k].starts) {
            starts.push_back(text.size() + start);
        }
        text += record[k].text;
    }
    return std::any_of(starts.begin(), starts.end(), [&](std::size_t start) {
        if (start + folded.size() > text.size()) {
            return false;
        }
        for (std::size_t i = 0; i < folded.size(); ++i) {
            if (text[start + i] != folded[i]) {
                return false;
            }
        }
        return true;
    });
}

// The exchange procedure: for each position, every later entry whose name
// orders before it changes places with it, names compared as the store
// compares them; keys holds each entry's name and moves with it. Answers the
// entry that the last comparison reads on its right, 0 with fewer than two.
inline std::uint32_t ExchangeSort(ResultList& results, std::vector<std::string>& keys) {
    std::uint32_t lastRead = 0;
    for (std::size_t i = 0; i + 1 < results.size(); ++i) {
        for (std::size_t j = i + 1; j < results.size(); ++j) {
            if (i + 2 == results.size()) {
                lastRead = results[j];
            }
            if (cp936::CompareNames(keys[i], keys[j]) > 0) {
                std::swap(keys[i], keys[j]);
                std::swap(results[i], results[j]);
            }
        }
    }
    return lastRead;
}

}  // namespace quorbex::testing
