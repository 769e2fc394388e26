// The quick search: the matching that the search box runs at every keystroke
// and that `zvk find` runs once, forgiving of the ways people type a drug's
// name. The store's Query keeps its own exact rules; this is another search.
//
// A query and the records are read folded (store/quick_fold.h): full-width
// ASCII as ASCII, letters in either case, any run of white space as one
// space; the query without spaces at its ends. A query matches a record's
//   - trade name (mask bit 0x01), English name (0x08) and other names
//     (0x04, each name of the list, separated by 、 , ; or /, full-width
//     ones too): as the whole name, its start, or anywhere in it, from the
//     start of a character;
//   - pinyin (0x02): the pinyin initials field, from its start or further
//     on; and the trade name's pinyin: from any of its characters on, each
//     character giving the start (at least the first letter) of one of its
//     readings without tones, in turn, until the query ends ("amoxilin",
//     "amxl", "moxi", "xilin" for 阿莫西林), a character with several readings
//     any of them, ü typed v or u, spaces and apostrophes in the query left
//     out; ASCII letters and digits of the trade name stand for themselves;
//   - function (0x10), usage (0x20), cautions (0x40): anywhere in them.
// 0x80 selects every field. A record's rank is its best match:
//   1. a name is the query; 2. a name starts with it; 3. the pinyin initials
//   start with it, or the trade name's pinyin from its first character;
//   4. a name holds it further on, the initials further on, or the trade
//   name's pinyin from a later character; 5. function, usage or cautions hold
//   it.
// When nothing matches, suggestions: the records whose English name or
// trade-name pinyin starts within an edit distance of the query (restricted
// Damerau-Levenshtein: 1 for 3 to 5 letters, 2 for 6 or more; none for
// shorter queries), the English name compared with the query when it is
// ASCII, the pinyin with the query's spelling (its letters and digits, and
// each Chinese character's customary reading).
//
// The program calls RecordStore::QuickFind at every change of the search
// box's text, with the window's search mask and sort key: with Found the
// hits' numbers are the result list; with NotFound the list is empty and the
// suggestions are offered; Blank lists every record, as an empty box does;
// TooLong says that no field is that long. FindQuickMatchRanges
// (store/match_ranges.h) marks the record shown.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/mem_file.h"

namespace quorbex {

// The longest query, in bytes of its folded GBK: as wide as the widest field
// (function, usage and cautions hold 200 bytes), so that any query that can
// match is taken.
inline constexpr std::size_t QUICK_QUERY_MAX = 200;
inline constexpr std::size_t QUICK_SUGGESTIONS_MAX = 3;

enum class QuickRank : std::uint8_t {
    ExactName,
    NamePrefix,
    PinyinPrefix,
    NameContains,
    OtherField,
};

struct QuickHit {
    std::uint32_t number;  // 1-based record number
    QuickRank rank;

    bool operator==(const QuickHit&) const = default;
};

enum class QuickStatus {
    Found,     // hits holds at least one record
    NotFound,  // no record matches; suggestions may name some
    Blank,     // the query is empty or only white space: nothing to match
    TooLong,   // the folded query is longer than QUICK_QUERY_MAX bytes
};

struct QuickResult {
    QuickStatus status = QuickStatus::NotFound;
    // Best rank first; within a rank in the caller's sort order, equal keys
    // in record order.
    std::vector<QuickHit> hits;
    // With NotFound: up to QUICK_SUGGESTIONS_MAX record numbers, the closest
    // first, equally close ones in the sort order.
    std::vector<std::uint32_t> suggestions;
};

// What the suggestions are chosen from: a record and how far the query is
// from the start of its English name or pinyin, and from the whole of it.
struct QuickCandidate {
    std::uint32_t number;
    int prefixDistance;
    int wholeDistance;
};

// The folded fields of every record, made when first needed and kept
// current as records are appended, modified and deleted; the function,
// usage and cautions only once a query searches them.
class QuickMatcher {
public:
    explicit QuickMatcher(const MemFile& image);

    QuickMatcher(const QuickMatcher&) = delete;
    QuickMatcher& operator=(const QuickMatcher&) = delete;

    // The image now holds other records: the folded fields are made anew
    // when next needed.
    void Reset();
    // Record Size() + 1 of the image has been added.
    void Append();
    // Record number of the image has been rewritten.
    void Replace(std::uint32_t number);
    // Record number has gone, and the later ones moved down.
    void Erase(std::uint32_t number);

    // The records 1 to count that query (GBK) matches under mask, in record
    // order, with their ranks; or why none can.
    QuickStatus Find(std::string_view query, int mask, std::uint32_t count,
                     std::vector<QuickHit>& hits);
    // The records whose English name or pinyin starts within the edit limit
    // of query, in record order.
    std::vector<QuickCandidate> Candidates(std::string_view query, std::uint32_t count);

    // Bytes of memory held: in all, and for the trade names' pinyin, which
    // keeps only the first letters of its spellings per record (the readings
    // are tables of the program, a name's spellings read from them).
    std::size_t MemoryBytes() const;
    std::size_t PinyinBytes() const;

private:
    struct Entry {
        // Trade name, pinyin initials, English name and other names, folded,
        // each ended by a NUL; then, once made, function, usage and cautions.
        std::string names;
        std::string texts;
        // What tells most records from a query before any matching: the
        // first two letters that a match of the trade name's pinyin can
        // begin with (hashed to 256 bits), and HeadBytes of its pinyin and
        // English name to depth 3, beyond the largest edit allowance.
        std::bitset<256> pinyinStarts;
        std::uint32_t pinyinHead = 0;
        std::uint32_t englishHead = 0;
    };

    void EnsureBuilt(std::uint32_t count, bool withTexts);
    Entry Make(std::uint32_t number, bool withTexts) const;
    void MakeTexts(std::uint32_t number, Entry& entry) const;

    const MemFile& m_image;
    std::vector<Entry> m_entries;
    bool m_built = false;
    bool m_textsBuilt = false;
};

}  // namespace quorbex
