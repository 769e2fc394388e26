// One dictionary held in memory as its plain (descrambled) image, with
// record-level access through a single current-record buffer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/dictionary_format.h"
#include "store/file.h"
#include "store/mem_file.h"
#include "store/record_bytes.h"
#include "store/quick_match.h"
#include "store/search_index.h"

namespace quorbex {

// 1-based record numbers in display order.
using ResultList = std::vector<std::uint32_t>;

class RecordStore {
public:
    RecordStore();
    virtual ~RecordStore() = default;

    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // Replaces the image by the file's descrambled bytes. True if the whole
    // file was read and is a dictionary: the right magic, at most
    // DICT_MAX_RECORDS records, and not a file of 7 to 13 bytes (too short
    // for its own magic).
    bool LoadFromFile(File& file);
    // Writes the whole image, scrambled; false if any part of it failed.
    bool SaveToFile(File* file);

    bool ReadRecordCount(std::uint32_t& count);
    bool WriteRecordCount(std::uint32_t count);
    bool ReadMagic(std::uint32_t& magic);
    bool WriteMagic(std::uint32_t magic);

    bool GoToRecord(std::uint32_t number);
    bool ReadCurrentRecord();
    bool WriteCurrentRecord();
    bool AppendRecord();
    bool DeleteCurrentRecord();
    // Puts the buffer in as record number (1 to the count + 1), moving that
    // record and every later one up by one: the reverse of deleting it.
    // False, with nothing changed, for another number or a full dictionary.
    bool InsertRecord(std::uint32_t number);

    // Records 1 to the count in file order, each read as GoToRecord reads it.
    std::vector<RecordBytes> GetRecords() const;
    // Makes records the dictionary's records, in their order, as if a file of
    // the image's header and these records had been loaded: the header's
    // reserved bytes stay, bytes after the last record go, and the current
    // record is the last. False, with nothing changed, for more than
    // DICT_MAX_RECORDS records or when memory runs out.
    bool ReplaceRecords(const std::vector<RecordBytes>& records);

    // The current-record buffer as bytes: what an undo keeps of a record and
    // writes back unchanged, padding included.
    const RecordBytes& GetRecordBuffer() const { return m_record; }
    void SetRecordBuffer(const RecordBytes& bytes) { m_record = bytes; }

    // With read set, text becomes the field's text; otherwise text is cut to
    // the field's limit in bytes and stored, and keeps the cut text.
    void ExchangeTradeName(std::string& text, bool read);
    void ExchangePinyinInitials(std::string& text, bool read);
    void ExchangeEnglishName(std::string& text, bool read);
    void ExchangeOtherNames(std::string& text, bool read);
    void ExchangeFunction(std::string& text, bool read);
    void ExchangeUsage(std::string& text, bool read);
    void ExchangeCautions(std::string& text, bool read);

    // Appends the numbers of the records whose selected fields hold pattern to
    // results and orders the list by sortKey. False when the dictionary is
    // empty (results untouched) or when results ends up empty.
    // SORT_BY_PINYIN orders by the Mandarin reading of the trade name.
    bool Query(const std::string& pattern, ResultList& results, int mask, int sortKey);

    // The quick search (store/quick_match.h) for query (GBK) under mask: the
    // hits best rank first, within a rank ordered by sortKey as Query orders
    // (equal keys in record order); with none, suggestions in the same
    // order among the equally close. Neither the current record nor the
    // buffer changes. Cheap enough to run at every keystroke: the folded
    // fields are made on the first call and kept current as records change.
    QuickResult QuickFind(std::string_view query, int mask, int sortKey);

    // The text of one field of record number (1 to the count) as it stands in
    // the image, the text that going to the record and reading the field
    // gives; empty for any other number. Valid until the image next changes.
    // Neither the current record nor the buffer changes.
    std::string_view PeekField(std::uint32_t number, Field field) const;

    std::uint32_t GetCount() const { return m_count; }
    std::uint32_t GetCurrent() const { return m_current; }
    const MemFile& GetImage() const { return m_image; }
    // Bytes of memory held by the query's search text and key ranks, kept
    // beside the image.
    std::size_t GetSearchCacheBytes() const { return m_index.MemoryBytes(); }
    // Bytes held by the quick search's folded fields, and of them by the
    // trade names' pinyin.
    std::size_t GetQuickMatchBytes() const { return m_quick.MemoryBytes(); }
    std::size_t GetQuickPinyinBytes() const { return m_quick.PinyinBytes(); }

private:
    void ExchangeField(Field field, std::string& text, bool read);
    // The search index, made anew first where the image changed as a whole.
    SearchIndex& Index();
    bool WriteBuffer();
    void OrderResults(ResultList& results, Field key);
    void OrderByPinyin(ResultList& results) const;
    std::vector<std::uint32_t> SortPositions(const ResultList& numbers, int sortKey);

    MemFile m_image;
    std::uint32_t m_current = 0;
    std::uint32_t m_count = 0;
    std::uint8_t m_key = DICT_XOR_KEY;
    RecordBytes m_record{};
    std::uint32_t m_magic = DICT_MAGIC;
    // Records 1 to m_count of the image, as the query reads them, while
    // m_indexCurrent. A load or a replacement of every record only marks it
    // out of date, and the first query that needs it makes it anew: a store
    // that is never searched (zvk's export, diff and merge) never pays for it.
    SearchIndex m_index{m_image};
    bool m_indexCurrent = true;
    QuickMatcher m_quick{m_image};
};

}  // namespace quorbex
