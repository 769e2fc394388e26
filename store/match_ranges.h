// Where a query's pattern matches a record: the byte ranges of the record's
// fields that an occurrence covers, by the query's own rules (the fields
// joined in search order, an unselected one standing as a line feed, the
// pattern and each field upper-cased on their own, an occurrence starting at
// a character of a field). For a pattern without a line feed, a record has a
// range exactly when the query with that pattern and mask finds it; a line
// feed may match where an unselected field stands, which marks nothing.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "store/dictionary_format.h"
#include "store/drug_fields.h"

namespace quorbex {

struct MatchRange {
    Field field;
    std::size_t begin;  // bytes of the field's text, begin < end, whole characters
    std::size_t end;

    bool operator==(const MatchRange&) const = default;
};

// The ranges of every occurrence of pattern (GBK, cut as the query cuts it)
// in the fields that mask selects, in search order and increasing position,
// ranges that touch or overlap within a field merged. None for an empty
// pattern, which matches without marking anything.
std::vector<MatchRange> FindMatchRanges(const DrugFields& fields, std::string_view pattern,
                                        int mask);

// Where the quick search's query (store/quick_match.h) matches a record, for
// marking: every occurrence in the fields that mask selects (within one name
// of the other names), and for a match of the trade name's pinyin the
// characters that it spells (the match that
// starts at the earliest character); in search order and increasing
// position, ranges of a field that touch or overlap merged. None for a
// query that is blank or too long.
std::vector<MatchRange> FindQuickMatchRanges(const DrugFields& fields, std::string_view query,
                                             int mask);

}  // namespace quorbex
