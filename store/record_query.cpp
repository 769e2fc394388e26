// The store's search: a substring test over chosen fields, then an exchange
// sort of the hits on one of the two names. Both run on the search index, which
// holds every record's folded search text and the ranks of both keys.
#include <algorithm>
#include <cstring>

#include "store/cp936.h"
#include "store/pinyin.h"
#include "store/record_store.h"

namespace quorbex {

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
    const auto fields = static_cast<std::uint8_t>((bits & SEARCH_ALL) != 0 ? 0x7F : bits & 0x7F);
    if (folded.empty()) {
        // The empty pattern matches every text.
        results.reserve(results.size() + m_count);
        for (std::uint32_t number = 1; number <= m_count; ++number) {
            results.push_back(number);
        }
    } else {
        Index().Find(folded, fields, results);
    }
    // The scan reads every record into the buffer in turn and puts the
    // current number back: the buffer ends up holding the last record.
    m_current = m_count;
    ReadCurrentRecord();
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
    } else if (sortKey == SORT_BY_PINYIN) {
        OrderByPinyin(results);
    }
    // Any other key compares empty strings, which never exchanges anything.
    return true;
}

// The exchange sort: for each position i, every later entry j whose key is
// smaller than entry i's is exchanged with it. The procedure makes about n * n
// / 6 exchanges on a list in no order (715,000 for 2000 names), so the order
// it leaves is worked out instead of played through, on the keys' ranks (equal
// names have equal ranks, and ranks order as names do):
//
// 1. At step i, position i takes each later entry whose key is strictly
//    smaller than the one it holds, leaving the one it held in that entry's
//    place. So it ends with the first of the smallest keys from i on, and the
//    entries it held on the way, whose keys fall strictly, each move on to the
//    place of the next one taken.
// 2. So an entry with key k moves only when every entry from i up to it has a
//    greater key, and then to the place of the first later entry whose key is
//    below k: the entries with keys up to k, taken in list order, go through
//    the same procedure as they would on their own.
// 3. Among those, take the entries with key k (the largest there) and the
//    ones below it. Until the smaller keys are all placed, an entry with key k
//    moves only when it is the first of them all, and it takes the place of
//    the first smaller one. Reading the list from its first entry with key k,
//    those entries form a queue: each joins at the back when it is reached,
//    and each smaller entry passed sends the front one to the back. Once the
//    smaller keys are placed, they are placed in the queue's order.
//
// So the keys are placed in increasing order, each key's entries in the order
// of its queue, which takes a count of the smaller keys between its entries.
// The equivalence test in tests/store holds this against the procedure
// itself. An entry that is no record number of the store has the empty key,
// as a record whose key could not be read.
//
// The store is left as reading the keys leaves it: each entry's record read
// in list order, then the last entry's as the procedure's last comparison
// finds it.
void RecordStore::OrderResults(ResultList& results, Field key) {
    const std::size_t n = results.size();
    std::vector<std::uint16_t> ranks(n);
    Index().RankKeys(key, results.data(), n, ranks.data());
    const std::size_t rankCount = *std::max_element(ranks.begin(), ranks.end()) + 1U;
    std::uint32_t lastValid = 0;
    for (const std::uint32_t number : results) {
        if (number >= 1 && number <= m_count) {
            lastValid = number;
        }
    }

    // The positions of each rank's entries, in list order.
    std::vector<std::uint32_t> rankStart(rankCount + 1, 0);
    for (const std::uint16_t rank : ranks) {
        ++rankStart[rank + 1U];
    }
    for (std::size_t rank = 0; rank < rankCount; ++rank) {
        rankStart[rank + 1] += rankStart[rank];
    }
    std::vector<std::uint32_t> byRank(n);
    {
        std::vector<std::uint32_t> next(rankStart.begin(), rankStart.end() - 1);
        for (std::size_t i = 0; i < n; ++i) {
            byRank[next[ranks[i]]++] = static_cast<std::uint32_t>(i);
        }
    }

    // placed: a Fenwick tree over positions, counting the entries with
    // smaller ranks than the one being ordered.
    std::vector<std::uint32_t> placed(n + 1, 0);
    auto place = [&placed, n](std::size_t position) {
        for (std::size_t at = position + 1; at <= n; at += at & (~at + 1)) {
            ++placed[at];
        }
    };
    auto placedBefore = [&placed](std::size_t position) {
        std::uint32_t count = 0;
        for (std::size_t at = position; at > 0; at -= at & (~at + 1)) {
            count += placed[at];
        }
        return count;
    };

    std::vector<std::uint32_t> order;  // positions, in their final order
    order.reserve(n);
    std::vector<std::uint32_t> queue;
    std::uint32_t smaller = 0;  // entries with ranks below the current one
    for (std::size_t rank = 0; rank < rankCount; ++rank) {
        const std::uint32_t* entries = byRank.data() + rankStart[rank];
        const std::size_t count = rankStart[rank + 1] - rankStart[rank];
        if (count == 1 || smaller == 0) {
            // Nothing moves a lone entry among its equals, and without smaller
            // keys nothing moves at all.
            order.insert(order.end(), entries, entries + count);
        } else if (count > 1) {
            queue.clear();
            std::size_t front = 0;
            std::uint32_t before = placedBefore(entries[0]);
            for (std::size_t t = 0; t < count; ++t) {
                queue.push_back(entries[t]);
                const std::uint32_t upTo = t + 1 < count ? placedBefore(entries[t + 1]) : smaller;
                // Turning the whole queue round changes nothing.
                const std::size_t turns = (upTo - before) % (queue.size() - front);
                for (std::size_t k = 0; k < turns; ++k) {
                    queue.push_back(queue[front++]);
                }
                before = upTo;
            }
            order.insert(order.end(), queue.begin() + static_cast<std::ptrdiff_t>(front),
                         queue.end());
        }
        for (std::size_t t = 0; t < count; ++t) {
            place(entries[t]);
        }
        smaller += static_cast<std::uint32_t>(count);
    }

    // The last comparison reads the entry then at position n - 1: the last
    // placed, unless it is larger than the one before it and did not start
    // there, in which case it stood first and the other one last.
    const std::uint32_t last = order[n - 1];
    const std::uint32_t beforeLast = order[n - 2];
    const bool lastReadIsLast = ranks[last] == ranks[beforeLast] || last == n - 1;
    const std::uint32_t lastRead = results[lastReadIsLast ? last : beforeLast];

    const ResultList found = results;
    for (std::size_t i = 0; i < n; ++i) {
        results[i] = found[order[i]];
    }
    if (!GoToRecord(lastRead) && lastValid != 0) {
        GoToRecord(lastValid);
    }
}

// A stable sort on each trade name's pinyin key, taken once per entry.
void RecordStore::OrderByPinyin(ResultList& results) const {
    std::vector<std::pair<std::vector<std::uint64_t>, std::uint32_t>> keyed;
    keyed.reserve(results.size());
    for (const std::uint32_t number : results) {
        keyed.emplace_back(pinyin::OrderKey(PeekField(number, Field::TradeName)), number);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        results[i] = keyed[i].second;
    }
}

}  // namespace quorbex
