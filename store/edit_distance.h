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

    // The row of the name's start: the query's first i bytes inserted.
    Row join;
    for (std::size_t i = 0; i <= m; ++i) {
        join[i] = cap(static_cast<int>(i));
    }
    int prefix = join[m];

    // What an exchange of two letters over the end of a unit reads: for each
    // spelling of the unit before, the row before its last letter and that
    // letter.
    std::array<Row, EDIT_SPELLINGS_MAX> before{};
    std::array<char, EDIT_SPELLINGS_MAX> lastLetters{};
    std::size_t beforeCount = 0;

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
        Row nextJoin;
        nextJoin.fill(static_cast<std::uint8_t>(over));
        std::array<Row, EDIT_SPELLINGS_MAX> nextBefore;
        std::array<char, EDIT_SPELLINGS_MAX> nextLast;
        std::size_t nextCount = 0;
        units.Spellings(unit, [&](std::string_view spelling) {
            if (nextCount == EDIT_SPELLINGS_MAX || spelling.empty()) {
                return;
            }
            // rows[0] the join, then one row after each letter, kept three deep.
            std::array<Row, 3> rows;
            rows[0] = join;
            for (std::size_t k = 0; k < spelling.size(); ++k) {
                const Row& from = rows[k % 3];
                Row& to = rows[(k + 1) % 3];
                if (k == 0) {
                    step(from, spelling[0], before.data(), lastLetters.data(), beforeCount, to);
                } else {
                    step(from, spelling[k], &rows[(k + 2) % 3], &spelling[k - 1], 1, to);
                }
                prefix = std::min<int>(prefix, to[m]);
            }
            const Row& last = rows[spelling.size() % 3];
            for (std::size_t i = 0; i <= m; ++i) {
                nextJoin[i] = std::min(nextJoin[i], last[i]);
            }
            nextBefore[nextCount] = rows[(spelling.size() - 1) % 3];
            nextLast[nextCount] = spelling.back();
            ++nextCount;
        });
        if (nextCount == 0) {
            continue;
        }
        join = nextJoin;
        before = nextBefore;
        lastLetters = nextLast;
        beforeCount = nextCount;
        // Every later row is at least the least of the join and one more than
        // the least of the rows an exchange reaches back to.
        int reachable = rowMin(join);
        for (std::size_t k = 0; k < beforeCount; ++k) {
            reachable = std::min(reachable, rowMin(before[k]) + 1);
        }
        if (reachable > limit) {
            return {std::min(prefix, over), over};
        }
    }
    return {std::min(prefix, over), std::min<int>(join[m], over)};
}

// The distances from query to text, each byte of text a unit of one
// spelling.
EditDistances DistancesToText(std::string_view query, std::string_view text, int limit);

}  // namespace quorbex
