// How far a typed query is from the start of a name: the restricted
// Damerau-Levenshtein distance (insertions, deletions, substitutions and
// exchanges of two neighbouring letters, each costing 1, no letter edited
// twice), against a name that may be spelled more than one way.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorbex {

// The longest query the distance takes, in bytes.
inline constexpr std::size_t EDIT_QUERY_MAX = 64;
// The most spellings one unit of a name may have.
inline constexpr std::size_t EDIT_SPELLINGS_MAX = 8;

struct EditDistances {
    int prefix;  // to the closest start of the name (a prefix of one of its spellings)
    int whole;   // to the closest whole spelling
};

// The distances from query to a name made of units, each spelled one of
// several ways, one after the other: units.Count() units, and
// units.Spellings(k, visit) calls visit(std::string_view) for each spelling
// of unit k (at most EDIT_SPELLINGS_MAX, none empty). Distances above limit
// are given as limit + 1, and the work stops once no start of the name can
// come within the limit. A query longer than EDIT_QUERY_MAX bytes, or a limit
// below 0, gives limit + 1 for both.
template <typename Units>
EditDistances DistancesToName(std::string_view query, const Units& units, int limit) {
    const int over = limit + 1;
    if (limit < 0 || query.size() > EDIT_QUERY_MAX) {
        return {over, over};
    }
    using Row = std::array<std::uint8_t, EDIT_QUERY_MAX + 1>;
    const std::size_t m = query.size();
    const auto cap = [over](int value) { return static_cast<std::uint8_t>(std::min(value, over)); };
    const auto rowMin = [m](const Row& row) {
        return *std::min_element(row.begin(), row.begin() + m + 1);
    };

    // What a unit leaves for the next: the row after it (the least over its
    // spellings), and what an exchange of two letters over its end reads:
    // for each spelling, the row before its last letter and that letter. One
    // bank for the unit read, one for the unit being read.
    struct Bank {
        Row join;
        std::array<Row, EDIT_SPELLINGS_MAX> before;
        std::array<char, EDIT_SPELLINGS_MAX> last;
        std::size_t count = 0;
    };
    std::array<Bank, 2> banks;
    Bank* done = &banks[0];
    Bank* reading = &banks[1];
    // The row of the name's start: the query's first i bytes inserted.
    for (std::size_t i = 0; i <= m; ++i) {
        done->join[i] = cap(static_cast<int>(i));
    }
    int prefix = done->join[m];

    // The row after letter, from the row before it; an exchange of letter
    // with the previous letter previous[k] reaches back to twoBack[k].
    const auto step = [&](const Row& from, char letter, const Row* twoBack, const char* previous,
                          std::size_t count, Row& to) {
        to[0] = cap(from[0] + 1);
        for (std::size_t i = 1; i <= m; ++i) {
            int best = std::min(
                {from[i] + 1, to[i - 1] + 1, from[i - 1] + (query[i - 1] == letter ? 0 : 1)});
            if (i >= 2 && query[i - 2] == letter) {
                for (std::size_t k = 0; k < count; ++k) {
                    if (query[i - 1] == previous[k]) {
                        best = std::min(best, twoBack[k][i - 2] + 1);
                    }
                }
            }
            to[i] = cap(best);
        }
    };

    for (std::size_t unit = 0; unit < units.Count(); ++unit) {
        std::fill_n(reading->join.begin(), m + 1, static_cast<std::uint8_t>(over));
        reading->count = 0;
        units.Spellings(unit, [&](std::string_view spelling) {
            if (reading->count == EDIT_SPELLINGS_MAX || spelling.empty()) {
                return;
            }
            // The row after letter k is rows[k % 3]; the unit's start is the
            // join of the unit before.
            std::array<Row, 3> rows;
            const auto after = [&](std::size_t k) -> const Row& { return rows[k % 3]; };
            for (std::size_t k = 0; k < spelling.size(); ++k) {
                Row& to = rows[k % 3];
                if (k == 0) {
                    step(done->join, spelling[0], done->before.data(), done->last.data(),
                         done->count, to);
                } else {
                    step(after(k - 1), spelling[k], k == 1 ? &done->join : &after(k - 2),
                         &spelling[k - 1], 1, to);
                }
                prefix = std::min<int>(prefix, to[m]);
            }
            const std::size_t length = spelling.size();
            const Row& last = after(length - 1);
            for (std::size_t i = 0; i <= m; ++i) {
                reading->join[i] = std::min(reading->join[i], last[i]);
            }
            const Row& beforeLast = length == 1 ? done->join : after(length - 2);
            std::copy_n(beforeLast.begin(), m + 1, reading->before[reading->count].begin());
            reading->last[reading->count] = spelling.back();
            ++reading->count;
        });
        if (reading->count == 0) {
            continue;
        }
        std::swap(done, reading);
        // Every later row is at least the least of the join and one more than
        // the least of the rows an exchange reaches back to.
        int reachable = rowMin(done->join);
        for (std::size_t k = 0; k < done->count; ++k) {
            reachable = std::min(reachable, rowMin(done->before[k]) + 1);
        }
        if (reachable > limit) {
            return {std::min(prefix, over), over};
        }
    }
    return {std::min(prefix, over), std::min<int>(done->join[m], over)};
}

// The distances from query to text, each byte of text a unit of one
// spelling.
EditDistances DistancesToText(std::string_view query, std::string_view text, int limit);

// A quick test before the distance: the bytes that stand among the first
// depth bytes of some spelling of a name, bit b % 32 set for byte b. A query
// within limit edits of a start of the name has one of its first limit + 1
// bytes among the name's first limit + 1 (the edits before the first letter
// kept, or the first two exchanged, are at most limit), so where
// HeadBytesOfText(query, limit + 1) and HeadBytes(name, depth) share no bit, for
// any depth above limit, the query is farther than limit from the name.
template <typename Units>
std::uint32_t HeadBytes(const Units& units, std::size_t depth) {
    std::uint32_t bytes = 0;
    // Bit d set: some spelling of the units so far is d bytes long, d < depth.
    std::uint32_t depths = 1;
    for (std::size_t unit = 0; unit < units.Count() && depths != 0; ++unit) {
        std::uint32_t next = 0;
        units.Spellings(unit, [&](std::string_view spelling) {
            for (std::uint32_t rest = depths; rest != 0; rest &= rest - 1) {
                const auto d = static_cast<std::size_t>(__builtin_ctz(rest));
                for (std::size_t k = 0; k < spelling.size() && d + k < depth; ++k) {
                    bytes |= 1U << (static_cast<std::uint8_t>(spelling[k]) % 32);
                }
                if (d + spelling.size() < depth) {
                    next |= 1U << (d + spelling.size());
                }
            }
        });
        depths = next;
    }
    return bytes;
}
std::uint32_t HeadBytesOfText(std::string_view text, std::size_t depth);

}  // namespace quorbex
