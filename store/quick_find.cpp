// The store's quick search: the matcher's hits and suggestions, put in the
// caller's order.
#include <algorithm>
#include <numeric>
#include <tuple>
#include <utility>

#include "store/pinyin.h"
#include "store/record_store.h"

namespace quorbex {

// For each entry, a value that orders the entries as sortKey orders records,
// equal keys having equal values.
std::vector<std::uint32_t> RecordStore::SortPositions(const ResultList& numbers, int sortKey) {
    const std::size_t n = numbers.size();
    std::vector<std::uint32_t> positions(n, 0);
    if (n < 2) {
        return positions;
    }
    if (sortKey == SORT_BY_TRADE_NAME || sortKey == SORT_BY_ENGLISH_NAME) {
        std::vector<std::uint16_t> ranks(n);
        Index().RankKeys(sortKey == SORT_BY_TRADE_NAME ? Field::TradeName : Field::EnglishName,
                         numbers.data(), n, ranks.data());
        std::copy(ranks.begin(), ranks.end(), positions.begin());
    } else if (sortKey == SORT_BY_PINYIN) {
        std::vector<std::vector<std::uint64_t>> keys(n);
        for (std::size_t i = 0; i < n; ++i) {
            keys[i] = pinyin::OrderKey(PeekField(numbers[i], Field::TradeName));
        }
        std::vector<std::uint32_t> byKey(n);
        std::iota(byKey.begin(), byKey.end(), 0U);
        std::stable_sort(byKey.begin(), byKey.end(),
                         [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
        std::uint32_t rank = 0;
        for (std::size_t k = 0; k < n; ++k) {
            if (k > 0 && keys[byKey[k - 1]] != keys[byKey[k]]) {
                ++rank;
            }
            positions[byKey[k]] = rank;
        }
    }
    // Any other key keeps record order, which the entries are in.
    return positions;
}

namespace {

// The entries' numbers, and the entries' positions ordered by their keys:
// key(i) for entry i, with the entry's place in the sort order last.
template <typename Entry, typename Key>
std::vector<std::uint32_t> OrderOf(const std::vector<Entry>& entries,
                                   const std::vector<std::uint32_t>& positions, Key key) {
    std::vector<std::uint32_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0U);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return std::tuple(key(entries[a]), positions[a]) <
               std::tuple(key(entries[b]), positions[b]);
    });
    return order;
}

template <typename Entry>
ResultList NumbersOf(const std::vector<Entry>& entries) {
    ResultList numbers;
    numbers.reserve(entries.size());
    for (const Entry& entry : entries) {
        numbers.push_back(entry.number);
    }
    return numbers;
}

}  // namespace

QuickResult RecordStore::QuickFind(std::string_view query, int mask, int sortKey) {
    QuickResult result;
    result.status = m_quick.Find(query, mask, m_count, result.hits);
    if (result.status == QuickStatus::Found) {
        const std::vector<std::uint32_t> order =
            OrderOf(result.hits, SortPositions(NumbersOf(result.hits), sortKey),
                    [](const QuickHit& hit) { return hit.rank; });
        std::vector<QuickHit> ordered;
        ordered.reserve(order.size());
        for (const std::uint32_t i : order) {
            ordered.push_back(result.hits[i]);
        }
        result.hits = std::move(ordered);
    } else if (result.status == QuickStatus::NotFound) {
        const std::vector<QuickCandidate> candidates = m_quick.Candidates(query, m_count);
        const std::vector<std::uint32_t> order =
            OrderOf(candidates, SortPositions(NumbersOf(candidates), sortKey),
                    [](const QuickCandidate& candidate) {
                        return std::pair(candidate.prefixDistance, candidate.wholeDistance);
                    });
        for (std::size_t k = 0; k < order.size() && k < QUICK_SUGGESTIONS_MAX; ++k) {
            result.suggestions.push_back(candidates[order[k]].number);
        }
    }
    return result;
}

}  // namespace quorbex
