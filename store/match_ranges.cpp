#include "store/match_ranges.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "store/cp936.h"

namespace quorbex {

namespace {

// The fields in the order in which the query joins them; bit k of the mask
// selects the k-th.
constexpr std::array<Field, 7> SEARCH_ORDER = {
    Field::TradeName, Field::PinyinInitials, Field::OtherNames, Field::EnglishName,
    Field::Function,  Field::Usage,          Field::Cautions,
};

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
    const auto bits = static_cast<std::uint8_t>(mask);
    const unsigned selected = (bits & SEARCH_ALL) != 0 ? 0x7F : bits & 0x7F;

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
    std::stable_sort(ranges.begin(), ranges.end(), [](const MatchRange& a, const MatchRange& b) {
        const auto order = [](Field field) {
            return std::find(SEARCH_ORDER.begin(), SEARCH_ORDER.end(), field) -
                   SEARCH_ORDER.begin();
        };
        return order(a.field) != order(b.field) ? order(a.field) < order(b.field)
                                                : a.begin < b.begin;
    });
    return ranges;
}

}  // namespace quorbex
