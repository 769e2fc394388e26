#include "store/record_store.h"

#include <algorithm>
#include <cstring>

#include "store/prefault.h"

namespace quorbex {

namespace {

std::array<std::uint8_t, 4> LittleEndian(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::uint32_t FromLittleEndian(const std::array<std::uint8_t, 4>& bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

// The byte loop of every load and save, kept out of the fuzz targets'
// coverage: tracing its comparisons (libFuzzer's trace-cmp) cost more than
// the loop itself, on every byte of every file, and guides nothing.
#if defined(__clang__)
__attribute__((noinline, no_sanitize("coverage")))
#endif
void Scramble(std::uint8_t* bytes, std::size_t count, std::uint8_t key) {
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] ^= key;
    }
}

// A file of this many bytes reaches into the count or the magic without
// holding the whole magic, so its header would be half its own, half stale.
bool EndsInsideTheMagic(std::uint64_t fileLength) {
    return fileLength > DICT_COUNT_OFFSET && fileLength < DICT_MAGIC_OFFSET + 4;
}

// Signed image position of record number n: record 0 lies before the image.
std::int64_t RecordPosition(std::uint32_t number) {
    return std::int64_t{DICT_RECORD_SIZE} * number -
           (std::int64_t{DICT_RECORD_SIZE} - std::int64_t{DICT_HEADER_SIZE});
}

}  // namespace

RecordStore::RecordStore() {
    WriteMagic(m_magic);
    WriteRecordCount(m_count);
    m_current = m_count;
}

bool RecordStore::LoadFromFile(File& file) {
    if (!file.SeekToBegin()) {
        return false;
    }
    if (!m_image.Seek(0) || !m_image.SetLength(DICT_HEADER_SIZE)) {
        m_indexCurrent = false;
        m_quick.Reset();
        return false;
    }
    // One allocation for the whole file where its length is known.
    if (const auto length = file.Length(); length && *length <= MemFile::MAX_LENGTH) {
        m_image.Reserve(*length);
    }
    std::array<std::uint8_t, DICT_COPY_CHUNK> chunk;
    std::uint64_t copied = 0;
    // A file that could not be read whole is refused: opening part of it as
    // the dictionary would let the next save drop the rest.
    bool copyFailed = false;
    for (;;) {
        const auto got = file.Read(chunk.data(), chunk.size());
        if (!got) {
            copyFailed = true;
            break;
        }
        Scramble(chunk.data(), *got, m_key);
        if (!m_image.Write(chunk.data(), *got)) {
            copyFailed = true;
            break;
        }
        copied += *got;
        if (*got != chunk.size()) {
            break;
        }
    }

    std::uint32_t magic = 0;
    std::uint32_t count = 0;
    const bool isDictionary = !copyFailed && ReadMagic(magic) && magic == m_magic &&
                              ReadRecordCount(count) && count <= DICT_MAX_RECORDS &&
                              !EndsInsideTheMagic(copied);
    m_count = isDictionary ? count : 0;
    m_current = m_count;
    m_indexCurrent = false;
    m_quick.Reset();
    // Leaves the file where the caller found it; the load's answer does not depend on it.
    file.SeekToBegin();
    return isDictionary;
}

bool RecordStore::SaveToFile(File* file) {
    if (file == nullptr) {
        return false;
    }
    if (!file->SetLength(DICT_HEADER_SIZE) || !file->SeekToBegin() || !m_image.Seek(0)) {
        return false;
    }
    std::array<std::uint8_t, DICT_COPY_CHUNK> chunk;
    std::size_t got = 0;
    do {
        got = m_image.Read(chunk.data(), chunk.size());
        Scramble(chunk.data(), got, m_key);
        if (!file->Write(chunk.data(), got)) {
            return false;
        }
    } while (got == chunk.size());
    return file->SeekToBegin();
}

bool RecordStore::ReadRecordCount(std::uint32_t& count) {
    count = 0;
    std::array<std::uint8_t, 4> bytes{};
    if (!m_image.Seek(DICT_COUNT_OFFSET)) {
        return false;
    }
    m_image.Read(bytes.data(), bytes.size());
    count = FromLittleEndian(bytes);
    return true;
}

bool RecordStore::WriteRecordCount(std::uint32_t count) {
    const auto bytes = LittleEndian(count);
    return m_image.Seek(DICT_COUNT_OFFSET) && m_image.Write(bytes.data(), bytes.size());
}

bool RecordStore::ReadMagic(std::uint32_t& magic) {
    std::array<std::uint8_t, 4> bytes{};
    if (!m_image.Seek(DICT_MAGIC_OFFSET)) {
        return false;
    }
    m_image.Read(bytes.data(), bytes.size());
    magic = FromLittleEndian(bytes);
    return true;
}

bool RecordStore::WriteMagic(std::uint32_t magic) {
    const auto bytes = LittleEndian(magic);
    return m_image.Seek(DICT_MAGIC_OFFSET) && m_image.Write(bytes.data(), bytes.size());
}

bool RecordStore::GoToRecord(std::uint32_t number) {
    if (number < 1 || number > m_count) {
        return false;
    }
    m_current = number;
    ReadCurrentRecord();
    return true;
}

bool RecordStore::ReadCurrentRecord() {
    if (!m_image.Seek(RecordPosition(m_current))) {
        return false;
    }
    const std::size_t got = m_image.Read(m_record.data(), m_record.size());
    // Where the image ends inside the record, the rest of the record is blank
    // rather than the previous record's bytes.
    std::fill(m_record.begin() + static_cast<std::ptrdiff_t>(got), m_record.end(), 0);
    return true;
}

bool RecordStore::WriteCurrentRecord() {
    if (!WriteBuffer()) {
        return false;
    }
    if (m_current <= m_count) {
        if (m_indexCurrent) {
            m_index.Replace(m_current);
        }
        m_quick.Replace(m_current);
    }
    return true;
}

// WriteCurrentRecord without the search index, for the operations that bring
// the index up to date themselves.
bool RecordStore::WriteBuffer() {
    if (m_current == 0) {
        return false;
    }
    return m_image.Seek(RecordPosition(m_current)) &&
           m_image.Write(m_record.data(), m_record.size());
}

bool RecordStore::AppendRecord() {
    if (m_count >= DICT_MAX_RECORDS) {
        return false;
    }
    const std::uint32_t remembered = m_current;
    m_current = m_count + 1;
    const bool written = WriteBuffer() && WriteRecordCount(m_count + 1);
    m_current = remembered;
    if (!written) {
        return false;
    }
    ++m_count;
    if (m_indexCurrent) {
        m_index.Append();
    }
    m_quick.Append();
    return true;
}

bool RecordStore::DeleteCurrentRecord() {
    if (m_count == 0 || m_current == 0) {
        return false;
    }
    const std::uint32_t deleted = m_current;
    for (std::uint32_t k = m_current; k < m_count; ++k) {
        m_current = k + 1;
        ReadCurrentRecord();
        m_current = k;
        WriteBuffer();
    }
    --m_count;
    if (m_indexCurrent) {
        m_index.Erase(deleted);
    }
    m_quick.Erase(deleted);
    WriteRecordCount(m_count);
    m_current = m_count > 0 ? 1 : 0;

    // One record shorter, but never into a record that stays nor into the
    // header; an image that already ends before that keeps its length.
    const std::uint64_t length = m_image.GetLength();
    const std::uint64_t shortened = length > DICT_RECORD_SIZE ? length - DICT_RECORD_SIZE : 0;
    const std::uint64_t target = std::max(shortened, DictionaryLength(m_count));
    if (target < length) {
        m_image.SetLength(target);
    }
    return true;
}

bool RecordStore::InsertRecord(std::uint32_t number) {
    if (m_count >= DICT_MAX_RECORDS || number == 0 || number > m_count + 1) {
        return false;
    }
    const RecordBytes inserted = m_record;
    const std::uint32_t remembered = m_current;
    // The one write that grows the image comes first: when it fails, nothing
    // has moved yet.
    for (std::uint32_t k = m_count + 1; k > number; --k) {
        m_current = k - 1;
        ReadCurrentRecord();
        m_current = k;
        if (!WriteBuffer()) {
            m_current = remembered;
            m_record = inserted;
            return false;
        }
    }
    m_record = inserted;
    m_current = number;
    if (!WriteBuffer()) {
        // Only the write of a new last record can fail, before anything moved.
        m_current = remembered;
        return false;
    }
    ++m_count;
    WriteRecordCount(m_count);
    m_indexCurrent = false;
    m_quick.Reset();
    return true;
}

std::vector<RecordBytes> RecordStore::GetRecords() const {
    std::vector<RecordBytes> records;
    records.reserve(m_count);
    PrefaultForWriting(records.data(), m_count * sizeof(RecordBytes));
    const std::uint64_t length = m_image.GetLength();
    for (std::uint32_t number = 1; number <= m_count; ++number) {
        const std::uint64_t start = RecordOffset(number);
        const auto present = static_cast<std::size_t>(
            start < length ? std::min<std::uint64_t>(DICT_RECORD_SIZE, length - start) : 0);
        RecordBytes& record = records.emplace_back();
        std::memcpy(record.data(), m_image.Data() + start, present);
    }
    return records;
}

bool RecordStore::ReplaceRecords(const std::vector<RecordBytes>& records) {
    if (records.size() > DICT_MAX_RECORDS) {
        return false;
    }
    const auto count = static_cast<std::uint32_t>(records.size());
    // The whole new image is made aside: a failure leaves the old one whole.
    MemFile image;
    const auto header =
        static_cast<std::size_t>(std::min<std::uint64_t>(m_image.GetLength(), DICT_HEADER_SIZE));
    if (!image.Reserve(DictionaryLength(count)) || !image.Write(m_image.Data(), header) ||
        !image.SetLength(DICT_HEADER_SIZE) || !image.Seek(DICT_HEADER_SIZE)) {
        return false;
    }
    for (const RecordBytes& record : records) {
        if (!image.Write(record.data(), record.size())) {
            return false;
        }
    }
    m_image = std::move(image);
    m_count = count;
    WriteRecordCount(m_count);
    m_current = m_count;
    m_indexCurrent = false;
    m_quick.Reset();
    return true;
}

SearchIndex& RecordStore::Index() {
    if (!m_indexCurrent) {
        m_index.Build(m_count);
        m_indexCurrent = true;
    }
    return m_index;
}

void RecordStore::ExchangeField(Field field, std::string& text, bool read) {
    if (read) {
        text = FieldText(m_record, field);
    } else {
        StoreFieldText(m_record, field, text);
    }
}

std::string_view RecordStore::PeekField(std::uint32_t number, Field field) const {
    if (number < 1 || number > m_count) {
        return {};
    }
    return FieldInImage(m_image, number, field);
}

void RecordStore::ExchangeTradeName(std::string& text, bool read) {
    ExchangeField(Field::TradeName, text, read);
}
void RecordStore::ExchangePinyinInitials(std::string& text, bool read) {
    ExchangeField(Field::PinyinInitials, text, read);
}
void RecordStore::ExchangeEnglishName(std::string& text, bool read) {
    ExchangeField(Field::EnglishName, text, read);
}
void RecordStore::ExchangeOtherNames(std::string& text, bool read) {
    ExchangeField(Field::OtherNames, text, read);
}
void RecordStore::ExchangeFunction(std::string& text, bool read) {
    ExchangeField(Field::Function, text, read);
}
void RecordStore::ExchangeUsage(std::string& text, bool read) {
    ExchangeField(Field::Usage, text, read);
}
void RecordStore::ExchangeCautions(std::string& text, bool read) {
    ExchangeField(Field::Cautions, text, read);
}

}  // namespace quorbex
