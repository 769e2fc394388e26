// Damaged dictionary files, generated from fixed seeds: truncated, bit-flipped,
// random, with impossible counts, with bytes after the last record, or from a
// file that fails part-way. Each is loaded and every operation of the store is
// run on the result, checked against what the file's bytes call for. Under the
// address and undefined-behaviour sanitizers this also catches any access
// outside the image or the buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "store/cp936.h"
#include "store/dictionary_format.h"
#include "store/drug_fields.h"
#include "store/record_store.h"
#include "tests/support/memory_file.h"
#include "tests/support/plain_image.h"

namespace quorbex {
namespace {

using quorbex::testing::MemoryFile;
using Bytes = std::vector<std::uint8_t>;
using View = std::span<const std::uint8_t>;

constexpr int KEEP_FOUND_ORDER = 2;

Bytes Scrambled(Bytes bytes) {
    for (std::uint8_t& byte : bytes) {
        byte ^= DICT_XOR_KEY;
    }
    return bytes;
}

// The store's image as it is now; valid until the store next changes it.
View ImageView(const RecordStore& store) {
    const MemFile& image = store.GetImage();
    return View(image.Data(), image.GetLength());
}

Bytes ImageOf(const RecordStore& store) {
    const View image = ImageView(store);
    return Bytes(image.begin(), image.end());
}

std::uint32_t Get32(View bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint32_t byte = offset + i < bytes.size() ? bytes[offset + i] : 0;
        value |= byte << (8 * i);
    }
    return value;
}

void Put32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4 && offset + i < bytes.size(); ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A field of record n in the image; where the image ends before it, the
// store reads zero.
std::string FieldOf(View image, std::uint32_t n, Field field) {
    return testing::PlainField(testing::PlainRecord(image, n), field);
}

DrugFields FieldsOf(View image, std::uint32_t n) {
    return testing::PlainFields(testing::PlainRecord(image, n));
}

DrugFields BufferOf(RecordStore& store) {
    DrugFields fields;
    ExchangeFields(store, fields, true);
    return fields;
}

::testing::AssertionResult SameBytes(View actual, View expected) {
    if (actual.size() != expected.size()) {
        return ::testing::AssertionFailure()
               << actual.size() << " bytes where " << expected.size() << " were expected";
    }
    if (std::equal(actual.begin(), actual.end(), expected.begin())) {
        return ::testing::AssertionSuccess();
    }
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin());
    return ::testing::AssertionFailure()
           << "byte " << (a - actual.begin()) << " is " << int{*a} << ", expected " << int{*e};
}

std::uint32_t Below(std::mt19937& rng, std::uint32_t bound) {
    return static_cast<std::uint32_t>(rng() % bound);
}

// One character of the kinds a field may hold, or a stray byte. Never NUL.
void AppendCharacter(std::mt19937& rng, std::string& text) {
    auto add = [&text](unsigned byte) { text += static_cast<char>(byte); };
    switch (Below(rng, 10)) {
        case 0:
            add('a' + Below(rng, 26));
            break;
        case 1:
            add('A' + Below(rng, 26));
            break;
        case 2:
            add(0x20 + Below(rng, 0x20));  // space, digits, punctuation
            break;
        case 3:
        case 4:  // a Chinese character
            add(0xB0 + Below(rng, 0x28));
            add(0xA1 + Below(rng, 0x5E));
            break;
        case 5:  // a full-width Latin letter, either case
            add(0xA3);
            add((Below(rng, 2) != 0 ? 0xC1 : 0xE1) + Below(rng, 26));
            break;
        case 6:  // a lead byte with a trail in the ASCII range, letters included
            add(0x81 + Below(rng, 0x7E));
            add(0x40 + Below(rng, 0x3F));
            break;
        case 7:  // a lone lead byte
            add(0x81 + Below(rng, 0x7E));
            break;
        case 8:  // a Greek or Cyrillic letter
            add(0xA6 + Below(rng, 2));
            add(0xA1 + Below(rng, 0x50));
            break;
        default: {
            constexpr unsigned STRAY[] = {0x80, 0xFF, 0x0A, 0x7F, 0x01};
            add(STRAY[Below(rng, 5)]);
            break;
        }
    }
}

std::string RandomText(std::mt19937& rng, std::size_t most) {
    const std::size_t length = Below(rng, static_cast<std::uint32_t>(most + 1));
    std::string text;
    while (text.size() < length) {
        AppendCharacter(rng, text);
    }
    text.resize(length);
    return text;
}

// A record as a damaged or foreign writer may have left it: fields empty,
// filled to their width with no NUL, or holding text followed by garbage.
Bytes RandomRecord(std::mt19937& rng) {
    Bytes record(DICT_RECORD_SIZE, 0);
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        const std::size_t width = layout.limit + 1;
        std::string text;
        const std::uint32_t kind = Below(rng, 6);
        if (kind == 1) {
            while (text.size() < width) {
                AppendCharacter(rng, text);
            }
            text.resize(width);
        } else if (kind > 1) {
            text = RandomText(rng, layout.limit);
        }
        std::copy(text.begin(), text.end(), record.begin() + layout.offset);
        if (kind == 5) {
            for (std::size_t i = text.size() + 1; i < width; ++i) {
                record[layout.offset + i] = static_cast<std::uint8_t>(rng());
            }
        }
    }
    record[RECORD_SPARE_OFFSET] = static_cast<std::uint8_t>(rng());
    return record;
}

// A plain image: header with random reserved bytes, count and magic, then
// the given number of records.
Bytes PlainDictionary(std::mt19937& rng, std::uint32_t records, std::uint32_t count) {
    Bytes plain(DICT_HEADER_SIZE);
    for (std::uint8_t& byte : plain) {
        byte = static_cast<std::uint8_t>(rng());
    }
    Put32(plain, DICT_COUNT_OFFSET, count);
    Put32(plain, DICT_MAGIC_OFFSET, DICT_MAGIC);
    for (std::uint32_t i = 0; i < records; ++i) {
        const Bytes record = RandomRecord(rng);
        plain.insert(plain.end(), record.begin(), record.end());
    }
    return plain;
}

Bytes Dictionary(std::mt19937& rng, std::uint32_t count) {
    return Scrambled(PlainDictionary(rng, count, count));
}

// What loading a file into a store whose image was image must give. The old
// image is cut or zero-extended to the header's length and overwritten from
// its start with the file's bytes, as far as they could be read. Whether it
// is a dictionary is read from that image, so a file too short for its header
// is judged partly by the old image's bytes. A file that fails to read is no
// dictionary, whatever its bytes.
struct ExpectedLoad {
    Bytes image;
    bool loads;
    std::uint32_t count;
};

ExpectedLoad ExpectLoad(Bytes image, const MemoryFile& file) {
    std::size_t readable = file.bytes.size();
    bool readFails = false;
    if (file.failReadFromCall != 0) {
        // Reads go on while they yield whole chunks; the failing one is reached
        // only if every read before it did.
        const std::size_t before = (file.failReadFromCall - 1) * DICT_COPY_CHUNK;
        readFails = readable >= before;
        readable = std::min(readable, before);
    }
    const Bytes copied = Scrambled(Bytes(file.bytes.begin(), file.bytes.begin() + readable));
    image.resize(std::max<std::size_t>(DICT_HEADER_SIZE, copied.size()), 0);
    std::copy(copied.begin(), copied.end(), image.begin());
    const std::uint32_t count = Get32(image, DICT_COUNT_OFFSET);
    const bool endsInsideTheMagic = copied.size() >= 7 && copied.size() <= 13;
    const bool loads = !readFails && Get32(image, DICT_MAGIC_OFFSET) == DICT_MAGIC &&
                       count <= DICT_MAX_RECORDS && !endsInsideTheMagic;
    return {image, loads, loads ? count : 0};
}

// Loads file into store, checks the outcome, and answers what the load answered.
bool CheckLoad(RecordStore& store, MemoryFile& file) {
    const ExpectedLoad expected = ExpectLoad(ImageOf(store), file);
    const bool loaded = store.LoadFromFile(file);
    EXPECT_EQ(loaded, expected.loads);
    EXPECT_EQ(store.GetCount(), expected.count);
    EXPECT_EQ(store.GetCurrent(), expected.count);
    EXPECT_TRUE(SameBytes(ImageView(store), expected.image));
    return loaded;
}

void CheckGoTo(RecordStore& store, std::uint32_t n) {
    const std::uint32_t current = store.GetCurrent();
    const DrugFields buffer = BufferOf(store);
    const bool went = store.GoToRecord(n);
    EXPECT_EQ(went, n >= 1 && n <= store.GetCount()) << "record " << n;
    if (went) {
        EXPECT_EQ(store.GetCurrent(), n);
        EXPECT_EQ(BufferOf(store), FieldsOf(ImageView(store), n)) << "record " << n;
    } else {
        EXPECT_EQ(store.GetCurrent(), current);
        EXPECT_EQ(BufferOf(store), buffer);
    }
}

::testing::AssertionResult IncreasingWithin(const ResultList& results, std::uint32_t count) {
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (results[i] < 1 || results[i] > count || (i > 0 && results[i] <= results[i - 1])) {
            return ::testing::AssertionFailure()
                   << "entry " << i << " is " << results[i] << " with count " << count;
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult OrderedBy(const ResultList& results, View image, Field key) {
    for (std::size_t i = 0; i + 1 < results.size(); ++i) {
        const std::string a = FieldOf(image, results[i], key);
        const std::string b = FieldOf(image, results[i + 1], key);
        if (cp936::CompareNames(a, b) > 0) {
            return ::testing::AssertionFailure()
                   << "record " << results[i] << " comes before " << results[i + 1];
        }
    }
    return ::testing::AssertionSuccess();
}

// Runs the query in the order found and under both sort keys; image is the
// store's image. mustFind, when not 0, is a record that the pattern is known
// to match.
void CheckQuery(RecordStore& store, View image, const std::string& pattern, int mask,
                std::uint32_t mustFind) {
    SCOPED_TRACE("mask " + std::to_string(mask) + ", pattern of " + std::to_string(pattern.size()) +
                 " bytes");
    const std::uint32_t count = store.GetCount();
    const std::uint32_t current = store.GetCurrent();
    if (count == 0) {
        ResultList untouched{7};
        EXPECT_FALSE(store.Query(pattern, untouched, mask, SORT_BY_TRADE_NAME));
        EXPECT_EQ(untouched, ResultList{7});
        return;
    }

    ResultList found;
    const bool anyFound = store.Query(pattern, found, mask, KEEP_FOUND_ORDER);
    EXPECT_EQ(anyFound, !found.empty());
    EXPECT_EQ(store.GetCurrent(), current);
    EXPECT_TRUE(IncreasingWithin(found, count));
    if (pattern.empty()) {
        EXPECT_EQ(found.size(), count);
    }
    if (mustFind != 0) {
        EXPECT_TRUE(std::binary_search(found.begin(), found.end(), mustFind))
            << "record " << mustFind << " not found";
    }

    for (const auto& [sortKey, key] : {std::pair{SORT_BY_TRADE_NAME, Field::TradeName},
                                       std::pair{SORT_BY_ENGLISH_NAME, Field::EnglishName}}) {
        ResultList ordered;
        const bool anyOrdered = store.Query(pattern, ordered, mask, sortKey);
        EXPECT_EQ(anyOrdered, !ordered.empty());
        EXPECT_TRUE(OrderedBy(ordered, image, key)) << "sort key " << sortKey;
        std::sort(ordered.begin(), ordered.end());
        EXPECT_EQ(ordered, found) << "sort key " << sortKey;
    }
    EXPECT_EQ(store.GetCount(), count);
}

// Queries change neither the count nor the image.
void CheckQueries(RecordStore& store, std::mt19937& rng) {
    const Bytes image = ImageOf(store);
    const std::uint32_t count = store.GetCount();
    CheckQuery(store, image, "", static_cast<int>(rng()), 0);
    const std::uint32_t n = 1 + Below(rng, std::max<std::uint32_t>(count, 1));

    // A record's whole trade name begins its search text whenever the trade
    // name is searched, whatever else the mask holds, its wider bits included.
    const int withTradeName =
        Below(rng, 4) == 0 ? SEARCH_ALL : static_cast<int>(rng() | SEARCH_TRADE_NAME);
    CheckQuery(store, image, FieldOf(image, n, Field::TradeName), withTradeName, count > 0 ? n : 0);

    // Part of some field of some record, cut anywhere, even inside a character.
    const Field field = FIELD_LAYOUTS[Below(rng, 7)].field;
    const std::string text =
        FieldOf(image, 1 + Below(rng, std::max<std::uint32_t>(count, 1)), field);
    const std::size_t start = Below(rng, static_cast<std::uint32_t>(text.size() + 1));
    CheckQuery(store, image, text.substr(start, 1 + Below(rng, 25)),
               static_cast<int>(Below(rng, 256)), 0);

    CheckQuery(store, image, RandomText(rng, 25), static_cast<int>(Below(rng, 256)), 0);
    EXPECT_TRUE(SameBytes(ImageView(store), image));
}

void CheckAppend(RecordStore& store, std::mt19937& rng) {
    const Bytes before = ImageOf(store);
    const std::uint32_t count = store.GetCount();
    const std::uint32_t current = store.GetCurrent();
    DrugFields drug;
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        drug[layout.field] = RandomText(rng, layout.limit + 8);
    }
    ExchangeFields(store, drug, false);  // cuts each text to its field's limit

    const bool appended = store.AppendRecord();
    EXPECT_EQ(appended, count < DICT_MAX_RECORDS) << "count " << count;
    EXPECT_EQ(store.GetCurrent(), current);
    if (!appended) {
        EXPECT_EQ(store.GetCount(), count);
        EXPECT_TRUE(SameBytes(ImageView(store), before));
        return;
    }
    EXPECT_EQ(store.GetCount(), count + 1);
    std::uint32_t header = 0;
    EXPECT_TRUE(store.ReadRecordCount(header));
    EXPECT_EQ(header, count + 1);

    // Everything but the count and the new record stays; the new record holds
    // the texts, each followed by zeros to the end of its field.
    const View after = ImageView(store);
    Bytes expected = before;
    expected.resize(std::max<std::size_t>(before.size(), DictionaryLength(count + 1)), 0);
    Put32(expected, DICT_COUNT_OFFSET, count + 1);
    const std::size_t position = RecordOffset(count + 1);
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        const std::string& text = drug[layout.field];
        std::fill_n(expected.begin() + position + layout.offset, layout.limit + 1, 0);
        std::copy(text.begin(), text.end(), expected.begin() + position + layout.offset);
    }
    if (after.size() == expected.size()) {
        expected[position + RECORD_SPARE_OFFSET] = after[position + RECORD_SPARE_OFFSET];
    }
    EXPECT_TRUE(SameBytes(after, expected));
}

// Deletes record n (or, for an n the store refuses, its current record).
void CheckDelete(RecordStore& store, std::uint32_t n) {
    store.GoToRecord(n);
    const Bytes before = ImageOf(store);
    const std::uint32_t count = store.GetCount();
    const std::uint32_t current = store.GetCurrent();
    const bool deleted = store.DeleteCurrentRecord();
    EXPECT_EQ(deleted, count > 0 && current > 0);
    if (!deleted) {
        EXPECT_EQ(store.GetCount(), count);
        EXPECT_EQ(store.GetCurrent(), current);
        EXPECT_TRUE(SameBytes(ImageView(store), before));
        return;
    }
    const std::uint32_t remaining = count - 1;
    EXPECT_EQ(store.GetCount(), remaining);
    EXPECT_EQ(store.GetCurrent(), remaining > 0 ? 1U : 0U);
    std::uint32_t header = 0;
    EXPECT_TRUE(store.ReadRecordCount(header));
    EXPECT_EQ(header, remaining);

    // Moving the later records down writes up to the new last record's end;
    // the image then loses one record's length, but never into the records
    // that remain or the header.
    const View after = ImageView(store);
    const std::uint64_t floor = DictionaryLength(remaining);
    const std::uint64_t written =
        current < count ? std::max<std::uint64_t>(before.size(), floor) : before.size();
    const std::uint64_t shortened = written > DICT_RECORD_SIZE ? written - DICT_RECORD_SIZE : 0;
    EXPECT_EQ(after.size(), written > floor ? std::max(shortened, floor) : written);
    EXPECT_GE(after.size(), DICT_HEADER_SIZE);

    EXPECT_TRUE(std::equal(before.begin(), before.begin() + DICT_COUNT_OFFSET, after.begin()));
    EXPECT_TRUE(std::equal(before.begin() + DICT_MAGIC_OFFSET, before.begin() + DICT_HEADER_SIZE,
                           after.begin() + DICT_MAGIC_OFFSET));
    for (std::uint32_t k = 1; k <= remaining; ++k) {
        const std::uint32_t from = k < current ? k : k + 1;
        if (testing::PlainRecord(after, k) != testing::PlainRecord(before, from)) {
            ADD_FAILURE() << "record " << k << " does not hold former record " << from
                          << " after deleting " << current << " of " << count;
            break;
        }
    }
}

// Saves into an emptied file, checks every byte written, and loads the file
// back into a new store.
void CheckSave(RecordStore& store) {
    const Bytes image = ImageOf(store);
    MemoryFile file;
    EXPECT_TRUE(store.SaveToFile(&file));
    // An image shorter than the header leaves the rest of the header zero,
    // unscrambled, as the emptied file had it.
    Bytes expected = Scrambled(image);
    expected.resize(std::max<std::size_t>(DICT_HEADER_SIZE, image.size()), 0);
    EXPECT_TRUE(SameBytes(file.bytes, expected));
    EXPECT_TRUE(SameBytes(ImageView(store), image));

    // A store whose header agrees with its count (any store but one left by
    // a failed load) saves a dictionary that loads back with that count.
    RecordStore reloaded;
    const bool loaded = CheckLoad(reloaded, file);
    std::uint32_t magic = 0;
    std::uint32_t header = 0;
    EXPECT_TRUE(store.ReadMagic(magic));
    EXPECT_TRUE(store.ReadRecordCount(header));
    if (magic == DICT_MAGIC && header == store.GetCount()) {
        EXPECT_TRUE(loaded);
        EXPECT_EQ(reloaded.GetCount(), store.GetCount());
    }
}

// Every operation on whatever the store now holds.
void Exercise(RecordStore& store, std::mt19937& rng) {
    const std::uint32_t count = store.GetCount();
    for (const std::uint32_t n :
         {0U, 1U, count, count + 1, 1 + Below(rng, std::max<std::uint32_t>(count, 1)),
          DICT_MAX_RECORDS + 1, 0xFFFFFFFFU}) {
        CheckGoTo(store, n);
    }
    CheckQueries(store, rng);
    for (std::uint32_t i = Below(rng, 3); i > 0; --i) {
        CheckAppend(store, rng);
    }
    for (std::uint32_t i = Below(rng, 3); i > 0; --i) {
        CheckDelete(store, Below(rng, store.GetCount() + 2));
    }
    CheckQuery(store, ImageOf(store), "", 0xFF, 0);
    CheckSave(store);
}

void LoadAndExercise(RecordStore& store, const Bytes& file, std::mt19937& rng) {
    MemoryFile memory(file);
    CheckLoad(store, memory);
    Exercise(store, rng);
}

TEST(StoreRobustness, NewStore) {
    std::mt19937 rng(11);
    RecordStore store;
    Exercise(store, rng);
}

// Every length from an empty file through the header and the first record,
// then cuts inside the later records, loaded into one store that keeps its
// earlier image; a file shorter than the header also into a new store.
TEST(StoreRobustness, TruncatedFiles) {
    std::mt19937 rng(12);
    const Bytes file = Dictionary(rng, 3);
    RecordStore reused;
    for (std::size_t length = 0; length <= file.size();
         length += length <= DictionaryLength(1) ? 1 : 1 + Below(rng, 40)) {
        SCOPED_TRACE("file cut to " + std::to_string(length) + " bytes");
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        if (length < DICT_HEADER_SIZE) {
            RecordStore fresh;
            LoadAndExercise(fresh, cut, rng);
        }
        LoadAndExercise(reused, cut, rng);
        if (HasFailure()) {
            return;
        }
    }

    const Bytes larger = Dictionary(rng, 60);
    for (int i = 0; i < 200; ++i) {
        const std::size_t length = Below(rng, static_cast<std::uint32_t>(larger.size()));
        SCOPED_TRACE("60-record file cut to " + std::to_string(length) + " bytes");
        LoadAndExercise(reused, Bytes(larger.begin(), larger.begin() + length), rng);
        if (HasFailure()) {
            return;
        }
    }
}

// Flipped bits anywhere, half of them in the count and the magic.
TEST(StoreRobustness, FlippedBits) {
    std::mt19937 rng(13);
    const Bytes file = Dictionary(rng, 40);
    RecordStore reused;
    for (int i = 0; i < 400; ++i) {
        Bytes damaged = file;
        for (std::uint32_t flips = 1 + Below(rng, 4); flips > 0; --flips) {
            const std::size_t position = Below(rng, 2) == 0
                                             ? DICT_COUNT_OFFSET + Below(rng, 8)
                                             : Below(rng, static_cast<std::uint32_t>(file.size()));
            damaged[position] ^= static_cast<std::uint8_t>(1U << Below(rng, 8));
        }
        SCOPED_TRACE("flip case " + std::to_string(i));
        LoadAndExercise(reused, damaged, rng);
        if (HasFailure()) {
            return;
        }
    }
}

// Random bytes of every size class, half of them with the right magic and a
// random count planted where they reach.
TEST(StoreRobustness, RandomBytes) {
    std::mt19937 rng(14);
    RecordStore reused;
    for (int i = 0; i < 1000; ++i) {
        constexpr std::uint32_t LIMITS[] = {14, DICT_HEADER_SIZE,
                                            DICT_HEADER_SIZE + 3 * DICT_RECORD_SIZE, 6000};
        Bytes plain(Below(rng, LIMITS[Below(rng, 4)]));
        for (std::uint8_t& byte : plain) {
            byte = static_cast<std::uint8_t>(rng());
        }
        if (Below(rng, 2) == 0) {
            Put32(plain, DICT_MAGIC_OFFSET, DICT_MAGIC);
            Put32(plain, DICT_COUNT_OFFSET,
                  Below(rng, 3) == 0 ? static_cast<std::uint32_t>(rng()) : Below(rng, 8));
        }
        SCOPED_TRACE("random file " + std::to_string(i) + " of " + std::to_string(plain.size()) +
                     " bytes");
        RecordStore fresh;
        LoadAndExercise(i % 2 == 0 ? fresh : reused, Scrambled(plain), rng);
        if (HasFailure()) {
            return;
        }
    }
}

// Counts above the limit, counts the file's length does not cover, bytes
// after the last record, and dictionaries at and next to the limit.
TEST(StoreRobustness, CountsAndLengths) {
    std::mt19937 rng(15);
    RecordStore reused;
    auto run = [&](const Bytes& plain, const std::string& what) {
        SCOPED_TRACE(what);
        LoadAndExercise(reused, Scrambled(plain), rng);
        return !::testing::Test::HasFailure();
    };

    std::vector<std::uint32_t> huge = {
        DICT_MAX_RECORDS + 1, DICT_MAX_RECORDS + 2, 4096,       0xFFFF,    0x10000,
        0x7FFFFFFF,           0x80000000,           0xFFFFFFFE, 0xFFFFFFFF};
    for (int i = 0; i < 20; ++i) {
        huge.push_back(DICT_MAX_RECORDS + 1 + Below(rng, 0xFFFFFFFF - DICT_MAX_RECORDS));
    }
    for (const std::uint32_t count : huge) {
        if (!run(PlainDictionary(rng, Below(rng, 4), count), "count " + std::to_string(count))) {
            return;
        }
    }

    for (const std::uint32_t records : {0U, 1U, 2U, 5U}) {
        for (const std::uint32_t count :
             {records + 1, records + 7, records + 8 + Below(rng, 200), DICT_MAX_RECORDS}) {
            Bytes plain = PlainDictionary(rng, records, count);
            if (!run(plain, std::to_string(records) + " records, count " + std::to_string(count))) {
                return;
            }
            plain.resize(Below(rng, static_cast<std::uint32_t>(plain.size() + 1)));
            if (!run(plain, std::to_string(records) + " records cut to " +
                                std::to_string(plain.size()) + " bytes, count " +
                                std::to_string(count))) {
                return;
            }
        }
    }

    for (int i = 0; i < 60; ++i) {
        const std::uint32_t records = Below(rng, 6);
        Bytes plain = PlainDictionary(rng, records, records);
        for (std::uint32_t extra = 1 + Below(rng, 2000); extra > 0; --extra) {
            plain.push_back(static_cast<std::uint8_t>(rng()));
        }
        if (!run(plain, std::to_string(records) + " records and " +
                            std::to_string(plain.size() - DictionaryLength(records)) +
                            " bytes after them")) {
            return;
        }
    }

    for (const std::uint32_t count : {DICT_MAX_RECORDS - 1, DICT_MAX_RECORDS}) {
        SCOPED_TRACE("full dictionary of " + std::to_string(count) + " records");
        MemoryFile file(Dictionary(rng, count));
        RecordStore store;
        CheckLoad(store, file);
        CheckAppend(store, rng);
        CheckAppend(store, rng);
        EXPECT_EQ(store.GetCount(), DICT_MAX_RECORDS);
        Exercise(store, rng);
    }
}

// A file that fails to read part-way is refused, though the image keeps what
// was read; after it the store works on as after any refused file. A save
// whose file fails answers false and changes nothing in the store, and the
// file holds what was written before the failure.
TEST(StoreRobustness, FailingFiles) {
    std::mt19937 rng(16);
    RecordStore reused;
    for (int i = 0; i < 200; ++i) {
        const Bytes dictionary = Dictionary(rng, Below(rng, 6));
        MemoryFile file(Bytes(
            dictionary.begin(),
            dictionary.begin() + Below(rng, static_cast<std::uint32_t>(dictionary.size() + 1))));
        file.failReadFromCall = 1 + static_cast<int>(Below(rng, 5));
        SCOPED_TRACE("load of " + std::to_string(file.bytes.size()) + " bytes failing at read " +
                     std::to_string(file.failReadFromCall));
        RecordStore fresh;
        RecordStore& store = i % 2 == 0 ? fresh : reused;
        CheckLoad(store, file);
        Exercise(store, rng);
        if (HasFailure()) {
            return;
        }
    }

    for (int i = 0; i < 100; ++i) {
        MemoryFile source(Dictionary(rng, Below(rng, 6)));
        RecordStore store;
        ASSERT_TRUE(store.LoadFromFile(source));
        const Bytes image = ImageOf(store);
        const std::uint32_t count = store.GetCount();
        const std::uint32_t current = store.GetCurrent();

        // One write per chunk, the last one possibly empty.
        const std::uint32_t writes = static_cast<std::uint32_t>(image.size() / DICT_COPY_CHUNK) + 1;
        const std::uint32_t failure = Below(rng, writes + 3);
        MemoryFile file;
        std::size_t copied = image.size();
        if (failure < writes) {
            file.failWriteFromCall = static_cast<int>(failure) + 1;
            copied = std::min<std::size_t>(image.size(), failure * DICT_COPY_CHUNK);
        } else if (failure == writes) {
            file.failSetLength = true;
        } else if (failure == writes + 1) {
            file.failSeekFromCall = 1;  // before the copy
            copied = 0;
        } else {
            file.failSeekFromCall = 2;  // after it
        }
        SCOPED_TRACE("save of a " + std::to_string(image.size()) + "-byte image, failure case " +
                     std::to_string(failure));
        EXPECT_FALSE(store.SaveToFile(&file));
        EXPECT_EQ(store.GetCount(), count);
        EXPECT_EQ(store.GetCurrent(), current);
        EXPECT_TRUE(SameBytes(ImageView(store), image));
        Bytes expected;
        if (!file.failSetLength) {
            expected = Scrambled(image);
            expected.resize(copied);
            expected.resize(std::max<std::size_t>(DICT_HEADER_SIZE, copied), 0);
        }
        EXPECT_TRUE(SameBytes(file.bytes, expected));
        if (HasFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace quorbex
