// What the query needs of every record, each part made when a query first
// needs it after the dictionary is loaded, then kept current as records are
// appended, modified and deleted: the upper-cased search text of the seven
// fields, and the ranks of the two sort keys.
//
// Search text: the records' folded fields, each record's seven in the order in
// which the query joins them (trade name, pinyin initials, other names,
// English name, function, usage, cautions), back to back in one buffer; each
// record starts at a multiple of 8 bytes, and a bit set beside the buffer marks
// the first byte of every character, each field having been split into
// characters on its own. A query reads the text in place. Made on the first
// search, so that listing a dictionary just opened in key order waits for no
// text it does not read.
//
// Ranks: for each sort key, the records in key order, and each record's rank,
// equal keys sharing one; a key that compares equal to the empty name has rank
// 0. Made on the first query that orders many records by the key (a query with
// few hits ranks those alone until then), then kept in order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "store/dictionary_format.h"
#include "store/mem_file.h"

namespace quorbex {

// The text of a field of record number in image as the store reads it: its
// bytes up to the first NUL, at most the field's width, none past the image's
// end (where the store reads zero).
std::string_view FieldInImage(const MemFile& image, std::uint32_t number, Field field);

class SearchIndex {
public:
    // The index describes records 1 to Size() of image as the store reads
    // them: a record that runs past the image's end reads as zero there.
    explicit SearchIndex(const MemFile& image);

    SearchIndex(const SearchIndex&) = delete;
    SearchIndex& operator=(const SearchIndex&) = delete;

    // Describes records 1 to count of the image, as it is now; the search
    // text and the ranks are made when first needed.
    void Build(std::uint32_t count);
    // Record Size() + 1 of the image has been added.
    void Append();
    // Record number (1 to Size()) of the image has been rewritten.
    void Replace(std::uint32_t number);
    // Record number (1 to Size()) has gone, and the later ones moved down.
    void Erase(std::uint32_t number);

    std::uint32_t Size() const { return m_count; }

    // Appends to hits the numbers, in increasing order, of the records whose
    // search text holds pattern at the start of a character. pattern is folded,
    // not empty and at most QUERY_PATTERN_MAX bytes; fields has bit k set for
    // the k-th field of the search order (bit 0 the trade name, bit 6 the
    // cautions), and an unselected field stands as a single line feed.
    void Find(std::string_view pattern, std::uint8_t fields, std::vector<std::uint32_t>& hits);

    // Ranks for the keys (TradeName or EnglishName) of the records
    // numbers[0, count) into ranks[0, count): ranks that order as the keys do,
    // equal keys having equal ranks, none above Size(). A number that is no
    // record has the empty key, and the empty key rank 0.
    void RankKeys(Field key, const std::uint32_t* numbers, std::size_t count, std::uint16_t* ranks);

    // Bytes of memory that the index holds (capacities, not sizes).
    std::size_t MemoryBytes() const;

private:
    // The rank of each record's key, record n at index n - 1. Valid until the
    // index next changes.
    const std::uint16_t* Ranks(Field key);

    // Where one record's text lies: from start, the end of each of its seven
    // fields in search order, counted from start.
    struct Entry {
        std::uint32_t start;
        std::array<std::uint16_t, 7> ends;
    };

    struct KeyOrder {
        bool built = false;
        bool stale = false;                // order is right, ranks need renumbering
        std::vector<std::uint16_t> order;  // record indices, by key
        std::vector<std::uint16_t> ranks;  // per record index
    };

    // A record's bytes with RECORD_SLACK readable bytes after them, for the
    // vector loops: in the image where it has them, else copied to scratch.
    static constexpr std::size_t RECORD_SLACK = 16;
    using RecordScratch = std::array<std::uint8_t, DICT_RECORD_SIZE + RECORD_SLACK>;
    const std::uint8_t* RecordBytes(std::uint32_t number, RecordScratch& scratch) const;
    void BuildText();
    static Entry Measure(const std::uint8_t* record);
    static std::size_t SlotSize(const Entry& entry);
    void ResizeSlot(std::size_t index, std::size_t oldSize, std::size_t newSize);
    void Fill(std::size_t index, const std::uint8_t* record);
    bool IsStart(std::size_t position) const {
        return (m_starts[position >> 3] >> (position & 7) & 1) != 0;
    }
    bool RangeHolds(std::size_t begin, std::size_t end, std::string_view pattern) const;
    void FindAcrossLineFeeds(std::string_view pattern, std::uint8_t fields,
                             std::vector<std::uint32_t>& hits) const;

    std::string_view Key(Field key, std::size_t index) const;
    KeyOrder& OrderOf(Field key) { return m_orders[key == Field::TradeName ? 0 : 1]; }
    static Field KeyField(std::size_t which) {
        return which == 0 ? Field::TradeName : Field::EnglishName;
    }
    void BuildOrder(Field key, KeyOrder& order);
    void Renumber(Field key, KeyOrder& order);
    void PlaceInOrder(Field key, KeyOrder& order, std::uint16_t index);

    const MemFile& m_image;
    std::uint32_t m_count = 0;
    bool m_textBuilt = false;  // m_records, m_text and m_starts describe the records
    std::vector<Entry> m_records;
    std::vector<char> m_text;            // m_textEnd bytes of text, then a tail of zeros
    std::vector<std::uint8_t> m_starts;  // one bit per byte of text, then a tail
    std::size_t m_textEnd = 0;
    std::array<KeyOrder, 2> m_orders;
};

}  // namespace quorbex
