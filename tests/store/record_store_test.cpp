#include "store/record_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/dictionary_builder.h"
#include "tests/support/memory_file.h"

namespace quorbex {
namespace {

using testing::AppendAll;
using testing::ImageBytes;
using testing::LoadPlain;
using testing::MemoryFile;
using testing::Names;
using testing::PlainFile;
using testing::PlainHeader;
using testing::RecordFields;
using testing::Scrambled;

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (int value : values) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

TEST(RecordStoreFile, NewStoreSavesA128ByteFileThatLoadsAsEmpty) {
    RecordStore store;
    EXPECT_EQ(store.GetImage().GetLength(), 14u);
    MemoryFile file;
    ASSERT_TRUE(store.SaveToFile(&file));
    ASSERT_EQ(file.bytes.size(), 128u);
    // Six zero bytes, a zero count and the magic, scrambled; then plain zeros.
    const auto plainHead = Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x28, 0x14, 0xFA, 0xED});
    EXPECT_EQ(std::vector<std::uint8_t>(file.bytes.begin(), file.bytes.begin() + 14),
              Scrambled(plainHead));
    EXPECT_TRUE(std::all_of(file.bytes.begin() + 14, file.bytes.end(),
                            [](std::uint8_t b) { return b == 0; }));

    RecordStore loaded;
    file.position = 0;
    EXPECT_TRUE(loaded.LoadFromFile(file));
    EXPECT_EQ(loaded.GetCount(), 0u);
    EXPECT_EQ(loaded.GetImage().GetLength(), 128u);
}

TEST(RecordStoreFile, AppendedRecordLiesAfterTheHeaderWithItsFieldsTerminated) {
    RecordStore store;
    DrugFields fields;
    fields.tradeName = std::string(20, 'T');  // exactly its limit
    fields.pinyinInitials = "ASPL";
    fields.englishName = "Aspirin";
    fields.cautions = std::string(200, 'c');
    AppendAll(store, {fields});

    const auto image = ImageBytes(store);
    ASSERT_EQ(image.size(), 826u);
    EXPECT_TRUE(std::all_of(image.begin() + 14, image.begin() + 128,
                            [](std::uint8_t b) { return b == 0; }));
    const std::uint8_t* record = image.data() + 128;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record), 20), fields.tradeName);
    EXPECT_EQ(record[20], 0);  // the terminator of a full trade name
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record + 21)), "ASPL");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record + 32)), "Aspirin");
    EXPECT_EQ(record[496 + 200], 0);
    EXPECT_EQ(record[697], 0);  // spare

    MemoryFile file;
    ASSERT_TRUE(store.SaveToFile(&file));
    EXPECT_EQ(file.bytes, Scrambled(image));
    RecordStore loaded;
    ASSERT_TRUE(loaded.LoadFromFile(file));
    EXPECT_EQ(loaded.GetCount(), 1u);
    EXPECT_EQ(loaded.GetCurrent(), 1u);  // the last record's number, buffer not read
    EXPECT_EQ(RecordFields(loaded, 1), fields);
}

TEST(RecordStoreRecords, AppendStopsAtTheRecordLimit) {
    RecordStore store;
    AppendAll(store, std::vector<DrugFields>(DICT_MAX_RECORDS - 1, Names("x")));
    ASSERT_TRUE(store.GoToRecord(7));
    AppendAll(store, {Names("last")});
    EXPECT_EQ(store.GetCount(), DICT_MAX_RECORDS);
    EXPECT_EQ(store.GetCurrent(), 7u);  // appending does not move the current record
    EXPECT_EQ(store.GetImage().GetLength(), DictionaryLength(DICT_MAX_RECORDS));
    EXPECT_EQ(RecordFields(store, DICT_MAX_RECORDS).tradeName, "last");

    const auto before = ImageBytes(store);
    EXPECT_FALSE(store.AppendRecord());
    EXPECT_EQ(store.GetCount(), DICT_MAX_RECORDS);
    EXPECT_EQ(store.GetCurrent(), DICT_MAX_RECORDS);
    EXPECT_EQ(ImageBytes(store), before);
}

TEST(RecordStoreRecords, GoToRecordOutsideTheCountChangesNothing) {
    RecordStore store;
    AppendAll(store, {Names("one"), Names("two")});
    ASSERT_TRUE(store.GoToRecord(2));
    for (std::uint32_t number : {0u, 3u}) {
        EXPECT_FALSE(store.GoToRecord(number));
        EXPECT_EQ(store.GetCurrent(), 2u);
        std::string name;
        store.ExchangeTradeName(name, true);
        EXPECT_EQ(name, "two");
    }
}

TEST(RecordStoreRecords, WriteCurrentRecordNeedsACurrentRecord) {
    RecordStore store;
    const auto before = ImageBytes(store);
    EXPECT_FALSE(store.WriteCurrentRecord());
    EXPECT_EQ(ImageBytes(store), before);

    AppendAll(store, {Names("old")});
    ASSERT_TRUE(store.GoToRecord(1));
    std::string name = "new";
    store.ExchangeTradeName(name, false);
    EXPECT_TRUE(store.WriteCurrentRecord());
    EXPECT_EQ(RecordFields(store, 1).tradeName, "new");
}

TEST(RecordStoreRecords, DeleteMovesLaterRecordsDown) {
    RecordStore store;
    AppendAll(store, {Names("a"), Names("b"), Names("c")});
    ASSERT_TRUE(store.GoToRecord(2));
    ASSERT_TRUE(store.DeleteCurrentRecord());
    EXPECT_EQ(store.GetCount(), 2u);
    EXPECT_EQ(store.GetCurrent(), 1u);
    EXPECT_EQ(store.GetImage().GetLength(), 1524u);
    std::uint32_t headerCount = 0;
    store.ReadRecordCount(headerCount);
    EXPECT_EQ(headerCount, 2u);
    EXPECT_EQ(RecordFields(store, 1).tradeName, "a");
    EXPECT_EQ(RecordFields(store, 2).tradeName, "c");

    ASSERT_TRUE(store.GoToRecord(2));
    ASSERT_TRUE(store.DeleteCurrentRecord());
    ASSERT_TRUE(store.GoToRecord(1));
    ASSERT_TRUE(store.DeleteCurrentRecord());
    EXPECT_EQ(store.GetCount(), 0u);
    EXPECT_EQ(store.GetCurrent(), 0u);
    EXPECT_EQ(store.GetImage().GetLength(), 128u);
    store.ReadRecordCount(headerCount);
    EXPECT_EQ(headerCount, 0u);
}

// Deleting a record and inserting its bytes back at its number gives back
// the image byte for byte, padding after the fields included, and the query
// finds it again.
TEST(RecordStoreRecords, InsertPutsADeletedRecordBackWhereItWas) {
    for (std::uint32_t number = 1; number <= 3; ++number) {
        SCOPED_TRACE(number);
        RecordStore store;
        AppendAll(store, {Names("a", "Alpha"), Names("b", "Beta"), Names("c", "Gamma")});
        ASSERT_TRUE(store.GoToRecord(number));
        RecordBytes record = store.GetRecordBuffer();
        record[DICT_RECORD_SIZE - 1] = 0x5A;  // a stray byte in the last field's padding
        store.SetRecordBuffer(record);
        ASSERT_TRUE(store.WriteCurrentRecord());
        const std::vector<std::uint8_t> image = ImageBytes(store);

        ASSERT_TRUE(store.GoToRecord(number));
        ASSERT_TRUE(store.DeleteCurrentRecord());
        store.SetRecordBuffer(record);
        ASSERT_TRUE(store.InsertRecord(number));
        EXPECT_TRUE(ImageBytes(store) == image);
        EXPECT_EQ(store.GetCount(), 3u);
        EXPECT_EQ(store.GetCurrent(), number);
        ResultList results;
        ASSERT_TRUE(store.Query(std::string(1, "abc"[number - 1]), results, SEARCH_TRADE_NAME,
                                SORT_BY_TRADE_NAME));
        EXPECT_EQ(results, ResultList{number});
    }
}

TEST(RecordStoreRecords, InsertRefusesANumberPastTheEndAndAFullDictionary) {
    RecordStore store;
    AppendAll(store, {Names("a")});
    const std::vector<std::uint8_t> image = ImageBytes(store);
    EXPECT_FALSE(store.InsertRecord(0));
    EXPECT_FALSE(store.InsertRecord(3));
    EXPECT_TRUE(ImageBytes(store) == image);

    RecordStore full;
    AppendAll(full, std::vector<DrugFields>(DICT_MAX_RECORDS, Names("x")));
    EXPECT_FALSE(full.InsertRecord(1));
    EXPECT_EQ(full.GetCount(), DICT_MAX_RECORDS);
}

TEST(RecordStoreRecords, DeleteWithoutARecordChangesNothing) {
    RecordStore empty;
    EXPECT_FALSE(empty.DeleteCurrentRecord());
    EXPECT_EQ(empty.GetImage().GetLength(), 14u);

    RecordStore store;
    AppendAll(store, {Names("a")});  // current stays 0 after an append to a new store
    ASSERT_EQ(store.GetCurrent(), 0u);
    const auto before = ImageBytes(store);
    EXPECT_FALSE(store.DeleteCurrentRecord());
    EXPECT_EQ(store.GetCount(), 1u);
    EXPECT_EQ(ImageBytes(store), before);
}

// A file that ends inside its last record: deleting an earlier record must
// not cut into the records that stay, and a file shorter than its header
// must keep its magic.
TEST(RecordStoreRecords, DeleteNeverShortensIntoRemainingRecords) {
    RecordStore full;
    AppendAll(full, {Names("a"), Names("b"), Names("c")});
    auto plain = ImageBytes(full);
    plain.resize(DictionaryLength(2) + 100);  // record 3 holds only 100 bytes

    RecordStore store;
    ASSERT_TRUE(LoadPlain(store, plain));
    ASSERT_TRUE(store.GoToRecord(1));
    ASSERT_TRUE(store.DeleteCurrentRecord());
    EXPECT_EQ(store.GetImage().GetLength(), DictionaryLength(2));
    EXPECT_EQ(RecordFields(store, 1).tradeName, "b");
    EXPECT_EQ(RecordFields(store, 2).tradeName, "c");

    // A header claiming records the image does not hold keeps its length.
    RecordStore shortStore;
    ASSERT_TRUE(LoadPlain(shortStore, PlainHeader(3)));
    ASSERT_TRUE(shortStore.GoToRecord(3));
    ASSERT_TRUE(shortStore.DeleteCurrentRecord());
    EXPECT_EQ(shortStore.GetImage().GetLength(), 128u);
    std::uint32_t magic = 0;
    shortStore.ReadMagic(magic);
    EXPECT_EQ(magic, DICT_MAGIC);
}

TEST(RecordStoreRecords, DeleteTakesTrailingBytesFirst) {
    RecordStore full;
    AppendAll(full, {Names("a"), Names("b")});
    auto plain = ImageBytes(full);
    plain.resize(plain.size() + 1000, 0x55);  // bytes after the last counted record

    RecordStore store;
    ASSERT_TRUE(LoadPlain(store, plain));
    ASSERT_TRUE(store.GoToRecord(1));
    ASSERT_TRUE(store.DeleteCurrentRecord());
    EXPECT_EQ(store.GetImage().GetLength(), plain.size() - DICT_RECORD_SIZE);
    EXPECT_EQ(RecordFields(store, 1).tradeName, "b");
}

TEST(RecordStoreFields, WritingCutsToTheLimitAndReadingStopsAtTheFieldEnd) {
    RecordStore store;
    std::string name(25, 'N');
    store.ExchangeTradeName(name, false);
    EXPECT_EQ(name, std::string(20, 'N'));
    std::string read;
    store.ExchangeTradeName(read, true);
    EXPECT_EQ(read, name);

    // A cut inside a double-byte character keeps the lone lead byte.
    std::string pinyin = "ABCDEFGHI\xB0\xA2";
    store.ExchangePinyinInitials(pinyin, false);
    EXPECT_EQ(pinyin, "ABCDEFGHI\xB0");

    // A field whose bytes hold no NUL yields its whole width: 21 bytes.
    auto plain = PlainFile(1, DictionaryLength(1));
    std::fill(plain.begin() + 128, plain.begin() + 128 + 21, 'W');
    ASSERT_TRUE(LoadPlain(store, plain));
    EXPECT_EQ(RecordFields(store, 1).tradeName, std::string(21, 'W'));
}

TEST(RecordStoreLoad, RefusesFilesThatAreNotDictionaries) {
    auto plainMagicUnscrambled = PlainHeader(0);
    struct Case {
        const char* name;
        std::vector<std::uint8_t> fileBytes;
        bool loads;
        std::uint32_t count;
    };
    const Case cases[] = {
        {"wrong magic", Scrambled(PlainHeader(1, 0xEDFA1429)), false, 0},
        {"magic not scrambled", plainMagicUnscrambled, false, 0},
        {"count above the limit", Scrambled(PlainHeader(2001)), false, 0},
        {"huge count", Scrambled(PlainHeader(0xFFFFFFFF)), false, 0},
        {"count at the limit", Scrambled(PlainHeader(2000)), true, 2000},
        {"zero bytes", {}, true, 0},
        {"six bytes", Scrambled(Bytes({1, 2, 3, 4, 5, 6})), true, 0},
        {"seven bytes", Scrambled(Bytes({0, 0, 0, 0, 0, 0, 0})), false, 0},
        {"thirteen bytes", Scrambled(Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x28, 0x14, 0xFA})),
         false, 0},
        {"fourteen bytes", Scrambled(Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x28, 0x14, 0xFA, 0xED})),
         true, 0},
    };
    for (const Case& c : cases) {
        RecordStore store;
        MemoryFile file(c.fileBytes);
        EXPECT_EQ(store.LoadFromFile(file), c.loads) << c.name;
        EXPECT_EQ(store.GetCount(), c.count) << c.name;
        EXPECT_EQ(store.GetCurrent(), c.count) << c.name;
        EXPECT_EQ(store.GetImage().GetLength(), std::max<std::size_t>(128, c.fileBytes.size()))
            << c.name;
    }
}

TEST(RecordStoreLoad, RecordsBeyondTheFileEndReadAsBlank) {
    RecordStore full;
    AppendAll(full, {Names("first"), Names("second")});
    auto plain = ImageBytes(full);
    plain.resize(DictionaryLength(1) + 3);  // record 2 keeps "sec" only
    plain[6] = 5;                           // and the header claims five records

    RecordStore store;
    ASSERT_TRUE(LoadPlain(store, plain));
    EXPECT_EQ(store.GetCount(), 5u);
    EXPECT_EQ(RecordFields(store, 1).tradeName, "first");
    // Going past the image's end succeeds; what is missing reads as zero,
    // never as the previous record's bytes.
    EXPECT_EQ(RecordFields(store, 2).tradeName, "sec");
    ASSERT_TRUE(store.GoToRecord(1));
    EXPECT_TRUE(store.GoToRecord(5));
    EXPECT_EQ(RecordFields(store, 5), DrugFields{});
}

// A dictionary read only in part must not open: a save would drop the rest.
TEST(RecordStoreLoad, FailedReadRefusesTheFile) {
    RecordStore full;
    AppendAll(full, {Names("a"), Names("b")});
    for (int failingCall : {1, 2}) {
        MemoryFile file(Scrambled(ImageBytes(full)));
        file.failReadFromCall = failingCall;
        RecordStore store;
        EXPECT_FALSE(store.LoadFromFile(file)) << failingCall;
        EXPECT_EQ(store.GetCount(), 0u);
        EXPECT_EQ(store.GetCurrent(), 0u);
    }
}

TEST(RecordStoreSave, KeepsTrailingBytesAndAShortImage) {
    const auto plain = PlainFile(1, DictionaryLength(1) + 37, 0x77);
    RecordStore store;
    ASSERT_TRUE(LoadPlain(store, plain));
    MemoryFile saved;
    ASSERT_TRUE(store.SaveToFile(&saved));
    EXPECT_EQ(saved.bytes, Scrambled(plain));
}

TEST(RecordStoreSave, AnyFailureAnswersFalse) {
    RecordStore store;
    AppendAll(store, {Names("a"), Names("b")});  // 1524 bytes: two chunks
    EXPECT_FALSE(store.SaveToFile(nullptr));

    struct Case {
        const char* name;
        void (*breakFile)(MemoryFile&);
    };
    const Case cases[] = {
        {"first write", [](MemoryFile& f) { f.failWriteFromCall = 1; }},
        {"second write", [](MemoryFile& f) { f.failWriteFromCall = 2; }},
        {"set length", [](MemoryFile& f) { f.failSetLength = true; }},
        {"first seek", [](MemoryFile& f) { f.failSeekFromCall = 1; }},
        {"final seek", [](MemoryFile& f) { f.failSeekFromCall = 2; }},
    };
    for (const Case& c : cases) {
        MemoryFile file;
        c.breakFile(file);
        EXPECT_FALSE(store.SaveToFile(&file)) << c.name;
    }
    MemoryFile file;
    EXPECT_TRUE(store.SaveToFile(&file));
    EXPECT_EQ(file.bytes, Scrambled(ImageBytes(store)));
}

}  // namespace
}  // namespace quorbex
