#include "store/match_ranges.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "store/cp936.h"
#include "store/pinyin_match.h"
#include "store/quick_fold.h"
#include "store/quick_query.h"

namespace quorbex {

namespace {

struct Piece {
    Field field;
    std::size_t start;  // in the joined text
    std::size_t size;
    bool selected;
};

// Where the character that holds byte at of text ends.
std::size_t CharacterEnd(std::string_view text, std::size_t at) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t width =
            cp936::IsLeadByte(static_cast<std::uint8_t>(text[i])) && i + 1 < text.size() ? 2 : 1;
        if (at < i + width) {
            return i + width;
        }
        i += width;
    }
    return text.size();
}

// Puts ranges in search order and increasing position, merging those of a
// field that touch or overlap.
void Coalesce(std::vector<MatchRange>& ranges) {
    const auto order = [](Field field) {
        return std::find(SEARCH_ORDER.begin(), SEARCH_ORDER.end(), field) - SEARCH_ORDER.begin();
    };
    std::sort(ranges.begin(), ranges.end(), [&order](const MatchRange& a, const MatchRange& b) {
        return order(a.field) != order(b.field) ? order(a.field) < order(b.field)
                                                : a.begin < b.begin;
    });
    std::vector<MatchRange> merged;
    for (const MatchRange& range : ranges) {
        if (!merged.empty() && merged.back().field == range.field &&
            range.begin <= merged.back().end) {
            merged.back().end = std::max(merged.back().end, range.end);
        } else {
            merged.push_back(range);
        }
    }
    ranges = std::move(merged);
}

}  // namespace

std::vector<MatchRange> FindMatchRanges(const DrugFields& fields, std::string_view pattern,
                                        int mask) {
    std::string folded(pattern);
    cp936::UpperCaseInPlace(folded);
    if (folded.size() > QUERY_PATTERN_MAX) {
        folded.resize(QUERY_PATTERN_MAX);
    }
    if (folded.empty()) {
        return {};
    }
    const auto selected = static_cast<unsigned>(SelectedFields(mask));

    // The search text and the character starts in it, each field on its own.
    std::string text;
    std::vector<bool> starts;
    std::vector<Piece> pieces;
    for (std::size_t k = 0; k < SEARCH_ORDER.size(); ++k) {
        const bool chosen = (selected >> k & 1) != 0;
        std::string part = chosen ? fields[SEARCH_ORDER[k]] : std::string("\n");
        cp936::UpperCaseInPlace(part);
        pieces.push_back({SEARCH_ORDER[k], text.size(), part.size(), chosen});
        for (std::size_t i = 0; i < part.size();) {
            starts.push_back(true);
            if (cp936::IsLeadByte(static_cast<std::uint8_t>(part[i])) && i + 1 < part.size()) {
                starts.push_back(false);
                i += 2;
            } else {
                ++i;
            }
        }
        text += part;
    }

    std::vector<MatchRange> ranges;
    for (std::size_t at = 0; at + folded.size() <= text.size(); ++at) {
        if (!starts[at] || std::memcmp(text.data() + at, folded.data(), folded.size()) != 0) {
            continue;
        }
        const std::size_t end = at + folded.size();
        for (const Piece& piece : pieces) {
            const std::size_t from = std::max(at, piece.start);
            const std::size_t to = std::min(end, piece.start + piece.size);
            if (!piece.selected || from >= to) {
                continue;
            }
            const std::string& value = fields[piece.field];
            const MatchRange range{piece.field, from - piece.start,
                                   CharacterEnd(value, to - piece.start - 1)};
            auto same = std::find_if(ranges.begin(), ranges.end(), [&](const MatchRange& r) {
                return r.field == range.field && r.begin <= range.end && range.begin <= r.end;
            });
            if (same != ranges.end()) {
                same->begin = std::min(same->begin, range.begin);
                same->end = std::max(same->end, range.end);
            } else {
                ranges.push_back(range);
            }
        }
    }
    Coalesce(ranges);
    return ranges;
}

std::vector<MatchRange> FindQuickMatchRanges(const DrugFields& fields, std::string_view query,
                                             int mask) {
    const QuickQuery prepared = PrepareQuickQuery(query);
    if (prepared.status != QuickStatus::Found) {
        return {};
    }
    const std::string_view q = prepared.folded;
    const int selected = SelectedFields(mask);
    const bool pinyin = (selected & SEARCH_PINYIN) != 0 && prepared.pinyin.has_value();
    std::vector<MatchRange> ranges;
    for (std::size_t k = 0; k < SEARCH_ORDER.size(); ++k) {
        const Field field = SEARCH_ORDER[k];
        const bool searched = (selected >> k & 1) != 0;
        const bool spelled = pinyin && field == Field::TradeName;
        if (!searched && !spelled) {
            continue;
        }
        std::vector<std::size_t> origins;
        const std::string folded = quickfold::Fold(fields[field], &origins);
        const auto add = [&](std::size_t begin, std::size_t end) {
            ranges.push_back({field, origins[begin], origins[end]});
        };
        // Every occurrence in a part of the folded field: all of it, or one
        // name of the other names, which a match never crosses.
        const auto markIn = [&](std::string_view part) {
            const auto offset = static_cast<std::size_t>(part.data() - folded.data());
            for (std::size_t at = quickfold::FindAtCharacter(part, q); at != std::string_view::npos;
                 at = quickfold::FindAtCharacter(part, q, CharacterEnd(part, at))) {
                add(offset + at, offset + at + q.size());
            }
        };
        if (searched && field == Field::OtherNames) {
            ForEachOtherName(folded, markIn);
        } else if (searched) {
            markIn(folded);
        }
        if (spelled) {
            const PinyinUnits units(folded);
            if (const auto span = FirstPinyinSpan(units, *prepared.pinyin)) {
                add(units.Begin(span->first), units.End(span->last));
            }
        }
    }
    Coalesce(ranges);
    return ranges;
}

}  // namespace quorbex
