// The edit distance from a query to the start of a name: a few cases, and
// agreement with the plain table over every spelling, for many small names.
#include "store/edit_distance.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quorbex {
namespace {

// Restricted Damerau-Levenshtein, the whole table: the distance to each
// prefix of text, the last one that to the whole.
std::vector<int> PrefixDistances(const std::string& query, const std::string& text) {
    const std::size_t m = query.size();
    const std::size_t n = text.size();
    std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1));
    for (std::size_t j = 0; j <= n; ++j) {
        for (std::size_t i = 0; i <= m; ++i) {
            if (i == 0 || j == 0) {
                d[j][i] = static_cast<int>(i + j);
                continue;
            }
            d[j][i] = std::min({d[j - 1][i] + 1, d[j][i - 1] + 1,
                                d[j - 1][i - 1] + (query[i - 1] == text[j - 1] ? 0 : 1)});
            if (i >= 2 && j >= 2 && query[i - 1] == text[j - 2] && query[i - 2] == text[j - 1]) {
                d[j][i] = std::min(d[j][i], d[j - 2][i - 2] + 1);
            }
        }
    }
    std::vector<int> distances;
    for (std::size_t j = 0; j <= n; ++j) {
        distances.push_back(d[j][m]);
    }
    return distances;
}

struct Lattice {
    std::vector<std::vector<std::string>> units;

    std::size_t Count() const { return units.size(); }
    template <typename Visit>
    void Spellings(std::size_t unit, Visit visit) const {
        for (const std::string& spelling : units[unit]) {
            visit(std::string_view(spelling));
        }
    }
};

// The best distances over every way of spelling the lattice, each spelling
// taken whole and cut at every unit's end or within its last unit.
EditDistances Reference(const std::string& query, const Lattice& lattice, int limit) {
    int prefix = static_cast<int>(query.size());
    int whole = limit + 1;
    std::vector<std::string> spellings{""};
    for (const auto& unit : lattice.units) {
        std::vector<std::string> longer;
        for (const std::string& start : spellings) {
            for (const std::string& spelling : unit) {
                longer.push_back(start + spelling);
            }
        }
        spellings = longer;
    }
    for (const std::string& spelling : spellings) {
        const std::vector<int> distances = PrefixDistances(query, spelling);
        prefix = std::min(prefix, *std::min_element(distances.begin(), distances.end()));
        whole = std::min(whole, distances.back());
    }
    return {std::min(prefix, limit + 1), std::min(whole, limit + 1)};
}

TEST(EditDistance, CountsEditsToTheClosestStartOfTheName) {
    struct Case {
        const char* query;
        const char* text;
        int limit;
        int prefix;
        int whole;
    };
    const Case cases[] = {
        {"amoxicilin", "amoxicillin", 2, 1, 1},
        {"amoxcilin", "amoxicillin", 2, 2, 2},
        {"ibpurofen", "ibuprofen", 2, 1, 1},
        {"ibupro", "ibuprofen", 2, 0, 3},
        {"", "abc", 2, 0, 3},
        {"abc", "", 2, 3, 3},
        {"xyz", "amoxicillin", 1, 2, 2},
        {"ab", "ba", 1, 1, 1},
        {"abc", "abd", 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.query) + " " + c.text);
        const EditDistances distances = DistancesToText(c.query, c.text, c.limit);
        EXPECT_EQ(distances.prefix, c.prefix);
        EXPECT_EQ(distances.whole, c.whole);
    }
    // A query too long to compare is over any limit.
    const std::string longQuery(EDIT_QUERY_MAX + 1, 'a');
    EXPECT_EQ(DistancesToText(longQuery, longQuery, 2).prefix, 3);
}

TEST(EditDistance, TakesTheClosestSpellingOfEachUnit) {
    // 参 spelled can or shen, 丹 dan: danshen is one of its spellings.
    const Lattice danshen{{{"dan"}, {"can", "cen", "shen"}, {"pian", "pan"}}};
    EXPECT_EQ(DistancesToName("danshen", danshen, 2).prefix, 0);
    EXPECT_EQ(DistancesToName("danshan", danshen, 2).prefix, 1);
    // An exchange of two letters over the end of a unit: dna.
    EXPECT_EQ(DistancesToName("dnashen", Lattice{{{"d"}, {"an"}, {"shen"}}}, 2).whole, 1);
    EXPECT_EQ(DistancesToName("adnshen", Lattice{{{"da"}, {"n"}, {"shen"}}}, 2).whole, 1);
}

TEST(EditDistance, AgreesWithTheWholeTableOverEverySpelling) {
    std::mt19937 rng(25);
    const auto randomText = [&rng](std::size_t most) {
        std::string text(rng() % (most + 1), 'a');
        for (char& c : text) {
            c = static_cast<char>('a' + rng() % 3);
        }
        return text;
    };
    for (int round = 0; round < 3000; ++round) {
        Lattice lattice;
        const std::size_t units = rng() % 4;
        for (std::size_t u = 0; u < units; ++u) {
            std::vector<std::string> spellings;
            const std::size_t count = 1 + rng() % 3;
            for (std::size_t k = 0; k < count; ++k) {
                std::string spelling = randomText(3);
                spellings.push_back(spelling.empty() ? "a" : spelling);
            }
            lattice.units.push_back(spellings);
        }
        const std::string query = randomText(6);
        const int limit = static_cast<int>(rng() % 4);
        const EditDistances expected = Reference(query, lattice, limit);
        const EditDistances found = DistancesToName(query, lattice, limit);
        ASSERT_EQ(found.prefix, expected.prefix) << query << " limit " << limit;
        ASSERT_EQ(found.whole, expected.whole) << query << " limit " << limit;
    }
}

}  // namespace
}  // namespace quorbex
