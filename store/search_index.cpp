#include "store/search_index.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "store/cp936.h"
#include "store/prefault.h"
#include "store/vector_scan.h"

namespace quorbex {

namespace {

// Bytes kept after the last record's text, for the pair search's reads, and
// after the last record's start bits, for the folding's 8-byte writes.
constexpr std::size_t TEXT_TAIL = scan::BYTE_PAIR_OVERREAD;
constexpr std::size_t STARTS_TAIL = 16;

// Records start at multiples of 8 bytes, so that each one's start bits are
// whole bytes of the bit set and move with it.
constexpr std::size_t SLOT_ALIGNMENT = 8;

// The longest text of a record (the fields' full widths), rounded up to a slot.
constexpr std::size_t MAX_SLOT =
    (DICT_RECORD_SIZE - 1 + SLOT_ALIGNMENT - 1) / SLOT_ALIGNMENT * SLOT_ALIGNMENT;

// Grows v to size elements; when its storage must grow, it grows by a quarter
// more than needed, which keeps appending linear and the slack small.
template <typename T>
void GrowTo(std::vector<T>& v, std::size_t size) {
    if (size > v.capacity()) {
        v.reserve(size + size / 4);
    }
    v.resize(size);
}

// memmove and memset for buffers that may be empty (and their data null).
void MoveBytes(void* to, const void* from, std::size_t count) {
    if (count > 0) {
        std::memmove(to, from, count);
    }
}

void ZeroBytes(void* to, std::size_t count) {
    if (count > 0) {
        std::memset(to, 0, count);
    }
}

// A name's first eight characters packed so that comparing two packed names
// orders the names as far as those characters go (a name that ends first has
// zeros there, below every character), and whether it has more.
struct PackedName {
    std::uint64_t first;   // characters 0-3
    std::uint64_t second;  // characters 4-7
    bool longer;           // more than eight characters
    std::uint16_t index;

    bool SamePrefix(const PackedName& other) const {
        return first == other.first && second == other.second;
    }
    bool PrefixBefore(const PackedName& other) const {
        return first != other.first ? first < other.first : second < other.second;
    }
};

PackedName Pack(std::string_view name, std::size_t index) {
    std::array<std::uint16_t, 32> characters;  // keys hold at most 21 bytes
    const std::size_t count =
        cp936::NameCharacters(name.substr(0, characters.size()), characters.data());
    PackedName packed{0, 0, count > 8, static_cast<std::uint16_t>(index)};
    for (std::size_t i = 0; i < 8; ++i) {
        std::uint64_t& word = i < 4 ? packed.first : packed.second;
        word = word << 16 | (i < count ? characters[i] : 0);
    }
    return packed;
}

}  // namespace

SearchIndex::SearchIndex(const MemFile& image)
    : m_image(image), m_text(TEXT_TAIL, 0), m_starts(STARTS_TAIL, 0) {}

const std::uint8_t* SearchIndex::RecordBytes(std::uint32_t number, RecordScratch& scratch) const {
    static_assert(RECORD_SLACK >= cp936::FOLD_SLACK && RECORD_SLACK >= scan::ZERO_OVERREAD);
    const std::uint64_t offset = RecordOffset(number);
    const std::uint64_t length = m_image.GetLength();
    if (offset + scratch.size() <= length) {
        return m_image.Data() + offset;
    }
    // Where the image ends inside the record, the store reads zero beyond it.
    scratch.fill(0);
    if (offset < length) {
        std::memcpy(
            scratch.data(), m_image.Data() + offset,
            static_cast<std::size_t>(std::min<std::uint64_t>(length - offset, DICT_RECORD_SIZE)));
    }
    return scratch.data();
}

SearchIndex::Entry SearchIndex::Measure(const std::uint8_t* record) {
    Entry entry{0, {}};
    std::uint16_t end = 0;
    for (std::size_t k = 0; k < SEARCH_ORDER.size(); ++k) {
        const FieldLayout& layout = LayoutOf(SEARCH_ORDER[k]);
        end = static_cast<std::uint16_t>(end +
                                         scan::FindZero(record + layout.offset, layout.limit + 1));
        entry.ends[k] = end;
    }
    return entry;
}

std::size_t SearchIndex::SlotSize(const Entry& entry) {
    return (std::size_t{entry.ends.back()} + SLOT_ALIGNMENT - 1) / SLOT_ALIGNMENT * SLOT_ALIGNMENT;
}

// Folds the record's fields into its slot and marks their characters' starts,
// through local buffers that leave the folding its slack.
void SearchIndex::Fill(std::size_t index, const std::uint8_t* record) {
    const Entry& entry = m_records[index];
    const std::size_t slot = SlotSize(entry);
    std::array<std::string_view, 7> fields;
    std::size_t begin = 0;
    for (std::size_t k = 0; k < SEARCH_ORDER.size(); ++k) {
        fields[k] = std::string_view(
            reinterpret_cast<const char*>(record + LayoutOf(SEARCH_ORDER[k]).offset),
            entry.ends[k] - begin);
        begin = entry.ends[k];
    }
    alignas(16) std::array<char, MAX_SLOT + cp936::FOLD_SLACK> text;  // written before read
    std::array<std::uint8_t, MAX_SLOT / 8 + 16> starts{};
    cp936::UpperCaseJoinedMarkingStarts(fields.data(), fields.size(), text.data(), starts.data());
    // The slot's padding after the text is zero.
    std::memset(text.data() + begin, 0, slot - begin);
    MoveBytes(m_text.data() + entry.start, text.data(), slot);
    MoveBytes(m_starts.data() + entry.start / 8, starts.data(), slot / 8);
}

// Makes the slot of record index newSize bytes long in place of oldSize,
// moving the later records' text and start bits after it.
void SearchIndex::ResizeSlot(std::size_t index, std::size_t oldSize, std::size_t newSize) {
    if (oldSize == newSize) {
        return;
    }
    const std::size_t start = m_records[index].start;
    const std::size_t tailFrom = start + oldSize;
    const std::size_t tailLength = m_textEnd - tailFrom;
    const std::size_t newEnd = m_textEnd - oldSize + newSize;
    if (newSize > oldSize) {
        GrowTo(m_text, newEnd + TEXT_TAIL);
        GrowTo(m_starts, newEnd / 8 + STARTS_TAIL);
    }
    MoveBytes(m_text.data() + start + newSize, m_text.data() + tailFrom, tailLength);
    MoveBytes(m_starts.data() + (start + newSize) / 8, m_starts.data() + tailFrom / 8,
              tailLength / 8);
    if (newSize < oldSize) {
        m_text.resize(newEnd + TEXT_TAIL);
        m_starts.resize(newEnd / 8 + STARTS_TAIL);
    }
    ZeroBytes(m_text.data() + newEnd, TEXT_TAIL);
    for (std::size_t later = index + 1; later < m_records.size(); ++later) {
        m_records[later].start =
            static_cast<std::uint32_t>(m_records[later].start + newSize - oldSize);
    }
    m_textEnd = newEnd;
}

void SearchIndex::Build(std::uint32_t count) {
    m_count = count;
    m_textBuilt = false;
    std::vector<Entry>().swap(m_records);
    std::vector<char>().swap(m_text);
    std::vector<std::uint8_t>().swap(m_starts);
    m_textEnd = 0;
    m_orders = {};
}

void SearchIndex::BuildText() {
    RecordScratch scratch;
    std::vector<Entry> records(m_count);
    std::size_t end = 0;
    for (std::uint32_t i = 0; i < m_count; ++i) {
        records[i] = Measure(RecordBytes(i + 1, scratch));
        records[i].start = static_cast<std::uint32_t>(end);
        end += SlotSize(records[i]);
    }
    // Exactly the room needed: new buffers rather than the old ones' storage.
    std::vector<char> text;
    text.reserve(end + TEXT_TAIL);
    PrefaultForWriting(text.data(), text.capacity());
    text.resize(end + TEXT_TAIL);
    text.swap(m_text);
    std::vector<std::uint8_t>(end / 8 + STARTS_TAIL, 0).swap(m_starts);
    m_records.swap(records);
    m_textEnd = end;
    for (std::uint32_t i = 0; i < m_count; ++i) {
        Fill(i, RecordBytes(i + 1, scratch));
    }
    m_textBuilt = true;
}

void SearchIndex::Append() {
    const auto index = static_cast<std::uint16_t>(m_count);
    ++m_count;
    if (m_textBuilt) {
        RecordScratch scratch;
        const std::uint8_t* record = RecordBytes(index + 1U, scratch);
        Entry entry = Measure(record);
        entry.start = static_cast<std::uint32_t>(m_textEnd);
        GrowTo(m_records, m_records.size() + 1);
        m_records.back() = entry;
        ResizeSlot(index, 0, SlotSize(entry));
        Fill(index, record);
    }
    for (std::size_t which = 0; which < m_orders.size(); ++which) {
        KeyOrder& order = m_orders[which];
        if (order.built) {
            GrowTo(order.ranks, order.ranks.size() + 1);
            PlaceInOrder(KeyField(which), order, index);
        }
    }
}

void SearchIndex::Replace(std::uint32_t number) {
    const std::size_t index = number - 1;
    if (m_textBuilt) {
        RecordScratch scratch;
        const std::uint8_t* record = RecordBytes(number, scratch);
        Entry entry = Measure(record);
        entry.start = m_records[index].start;
        const std::size_t oldSize = SlotSize(m_records[index]);
        m_records[index] = entry;
        ResizeSlot(index, oldSize, SlotSize(entry));
        Fill(index, record);
    }
    for (std::size_t which = 0; which < m_orders.size(); ++which) {
        KeyOrder& order = m_orders[which];
        if (order.built) {
            order.order.erase(std::find(order.order.begin(), order.order.end(), index));
            PlaceInOrder(KeyField(which), order, static_cast<std::uint16_t>(index));
        }
    }
}

void SearchIndex::Erase(std::uint32_t number) {
    const std::size_t index = number - 1;
    --m_count;
    if (m_textBuilt) {
        ResizeSlot(index, SlotSize(m_records[index]), 0);
        m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
    }
    // Taking a record out keeps the others' ranks in order: nothing to renumber.
    for (KeyOrder& order : m_orders) {
        if (order.built) {
            order.order.erase(std::find(order.order.begin(), order.order.end(), index));
            for (std::uint16_t& other : order.order) {
                other = static_cast<std::uint16_t>(other > index ? other - 1 : other);
            }
            order.ranks.erase(order.ranks.begin() + static_cast<std::ptrdiff_t>(index));
        }
    }
}

// Whether pattern occurs in text[begin, end) at the start of a character: the
// pair search finds the places where the pattern's first and last bytes lie,
// and only those are checked further.
bool SearchIndex::RangeHolds(std::size_t begin, std::size_t end, std::string_view pattern) const {
    const std::size_t length = pattern.size();
    if (end - begin < length) {
        return false;
    }
    const char* text = m_text.data();
    const std::size_t candidates = end - length + 1;
    for (std::size_t at = begin;; ++at) {
        at = scan::FindBytePair(text, at, candidates, pattern.front(), pattern.back(), length - 1);
        if (at == candidates) {
            return false;
        }
        if (IsStart(at) &&
            (length <= 2 || std::memcmp(text + at + 1, pattern.data() + 1, length - 2) == 0)) {
            return true;
        }
    }
}

void SearchIndex::Find(std::string_view pattern, std::uint8_t fields,
                       std::vector<std::uint32_t>& hits) {
    if (!m_textBuilt) {
        BuildText();
    }
    if (pattern.find('\n') != std::string_view::npos) {
        FindAcrossLineFeeds(pattern, fields, hits);
        return;
    }
    // Without a line feed in the pattern, a match lies within one run of
    // selected fields that follow each other in the search order: between
    // two runs stands at least one unselected field's line feed.
    struct Run {
        std::size_t first;
        std::size_t last;
    };
    std::array<Run, 4> runs{};
    std::size_t runCount = 0;
    for (std::size_t k = 0; k < SEARCH_ORDER.size(); ++k) {
        if ((fields >> k & 1) == 0) {
            continue;
        }
        if (runCount > 0 && runs[runCount - 1].last + 1 == k) {
            runs[runCount - 1].last = k;
        } else {
            runs[runCount++] = {k, k};
        }
    }
    for (std::size_t index = 0; index < m_records.size(); ++index) {
        const Entry& entry = m_records[index];
        for (std::size_t r = 0; r < runCount; ++r) {
            const std::size_t begin =
                entry.start + (runs[r].first == 0 ? 0 : entry.ends[runs[r].first - 1]);
            const std::size_t end = entry.start + entry.ends[runs[r].last];
            if (RangeHolds(begin, end, pattern)) {
                hits.push_back(static_cast<std::uint32_t>(index + 1));
                break;
            }
        }
    }
}

// A pattern that holds a line feed may match across unselected fields: each
// record's search text is joined as the query defines it, in one reused
// buffer, and tried at every character start.
void SearchIndex::FindAcrossLineFeeds(std::string_view pattern, std::uint8_t fields,
                                      std::vector<std::uint32_t>& hits) const {
    std::string text;
    std::vector<std::size_t> starts;
    for (std::size_t index = 0; index < m_records.size(); ++index) {
        const Entry& entry = m_records[index];
        text.clear();
        starts.clear();
        std::size_t begin = entry.start;
        for (std::size_t k = 0; k < SEARCH_ORDER.size(); ++k) {
            const std::size_t end = entry.start + entry.ends[k];
            if ((fields >> k & 1) != 0) {
                for (std::size_t at = begin; at < end; ++at) {
                    if (IsStart(at)) {
                        starts.push_back(text.size() + (at - begin));
                    }
                }
                text.append(m_text.data() + begin, end - begin);
            } else {
                starts.push_back(text.size());
                text += '\n';
            }
            begin = end;
        }
        for (const std::size_t start : starts) {
            if (start + pattern.size() > text.size()) {
                break;
            }
            if (std::memcmp(text.data() + start, pattern.data(), pattern.size()) == 0) {
                hits.push_back(static_cast<std::uint32_t>(index + 1));
                break;
            }
        }
    }
}

std::string_view FieldInImage(const MemFile& image, std::uint32_t number, Field field) {
    const FieldLayout& layout = LayoutOf(field);
    const std::uint64_t start = RecordOffset(number) + layout.offset;
    const std::uint64_t length = image.GetLength();
    if (start >= length) {
        return {};
    }
    const auto* text = reinterpret_cast<const char*>(image.Data() + start);
    const auto available =
        static_cast<std::size_t>(std::min<std::uint64_t>(layout.limit + 1, length - start));
    return std::string_view(text, ::strnlen(text, available));
}

std::string_view SearchIndex::Key(Field key, std::size_t index) const {
    return FieldInImage(m_image, static_cast<std::uint32_t>(index + 1), key);
}

namespace {

// Ranks count names, the i-th given by nameAt(i): ranks[i] orders as the
// names do, equal names having equal ranks; the empty name, whether or not it
// is among them, has rank 0, and every other name the next rank after the
// greatest smaller one. order, when given, receives the indices by name.
template <typename NameAt>
void RankNames(std::size_t count, NameAt nameAt, std::uint16_t* ranks, std::uint16_t* order) {
    std::vector<PackedName> byName(count);
    for (std::size_t i = 0; i < count; ++i) {
        byName[i] = Pack(nameAt(i), i);
    }
    // Names that share their first eight characters are told apart in full.
    auto same = [&nameAt](const PackedName& a, const PackedName& b) {
        return a.SamePrefix(b) && (!(a.longer || b.longer) ||
                                   cp936::CompareNames(nameAt(a.index), nameAt(b.index)) == 0);
    };
    std::sort(byName.begin(), byName.end(), [&nameAt](const PackedName& a, const PackedName& b) {
        if (!a.SamePrefix(b)) {
            return a.PrefixBefore(b);
        }
        return (a.longer || b.longer) && cp936::CompareNames(nameAt(a.index), nameAt(b.index)) < 0;
    });
    const PackedName empty{0, 0, false, 0};
    std::uint16_t rank = 0;
    const PackedName* previous = &empty;
    for (std::size_t k = 0; k < count; ++k) {
        if (!same(*previous, byName[k])) {
            ++rank;
        }
        ranks[byName[k].index] = rank;
        if (order != nullptr) {
            order[k] = byName[k].index;
        }
        previous = &byName[k];
    }
}

}  // namespace

void SearchIndex::BuildOrder(Field key, KeyOrder& order) {
    const std::size_t count = m_count;
    std::vector<std::uint16_t>(count).swap(order.order);
    std::vector<std::uint16_t>(count).swap(order.ranks);
    RankNames(
        count, [this, key](std::size_t index) { return Key(key, index); }, order.ranks.data(),
        order.order.data());
    order.built = true;
    order.stale = false;
}

void SearchIndex::RankKeys(Field key, const std::uint32_t* numbers, std::size_t count,
                           std::uint16_t* ranks) {
    const std::uint32_t records = Size();
    auto isRecord = [records](std::uint32_t number) { return number >= 1 && number <= records; };
    // A few hits are ranked among themselves rather than every record.
    if (!OrderOf(key).built && count * 16 < records) {
        RankNames(
            count,
            [this, key, numbers, &isRecord](std::size_t i) {
                return isRecord(numbers[i]) ? Key(key, numbers[i] - 1) : std::string_view();
            },
            ranks, nullptr);
        return;
    }
    const std::uint16_t* recordRanks = Ranks(key);
    for (std::size_t i = 0; i < count; ++i) {
        ranks[i] = isRecord(numbers[i]) ? recordRanks[numbers[i] - 1] : 0;
    }
}

void SearchIndex::Renumber(Field key, KeyOrder& order) {
    std::uint16_t rank = 0;
    std::string_view previous;
    for (const std::uint16_t index : order.order) {
        const std::string_view name = Key(key, index);
        if (cp936::CompareNames(previous, name) != 0) {
            ++rank;
        }
        order.ranks[index] = rank;
        previous = name;
    }
    order.stale = false;
}

// Puts record index into the key order after every record whose key is not
// greater; its rank waits for the next renumbering.
void SearchIndex::PlaceInOrder(Field key, KeyOrder& order, std::uint16_t index) {
    if (order.order.size() == order.order.capacity()) {
        order.order.reserve(order.order.size() + order.order.size() / 4 + 1);
    }
    const std::string_view name = Key(key, index);
    const auto place = std::upper_bound(order.order.begin(), order.order.end(), name,
                                        [this, key](std::string_view a, std::uint16_t b) {
                                            return cp936::CompareNames(a, Key(key, b)) < 0;
                                        });
    order.order.insert(place, index);
    order.stale = true;
}

const std::uint16_t* SearchIndex::Ranks(Field key) {
    KeyOrder& order = OrderOf(key);
    if (!order.built) {
        BuildOrder(key, order);
    } else if (order.stale) {
        Renumber(key, order);
    }
    return order.ranks.data();
}

std::size_t SearchIndex::MemoryBytes() const {
    std::size_t bytes = sizeof(*this) + m_records.capacity() * sizeof(Entry) + m_text.capacity() +
                        m_starts.capacity();
    for (const KeyOrder& order : m_orders) {
        bytes += (order.order.capacity() + order.ranks.capacity()) * sizeof(std::uint16_t);
    }
    return bytes;
}

}  // namespace quorbex
