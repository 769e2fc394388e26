// check: a sound dictionary passes; each kind of damage is named.
#include <algorithm>
#include <functional>

#include "tests/cli/zvk_test_support.h"
#include "tests/support/memory_file.h"

namespace quorbex::zvk::testing {
namespace {

// Fills a field of the plain image with text to its full width, leaving no NUL.
void Unterminate(std::string& plain, std::uint32_t record, Field field) {
    const FieldLayout& layout = LayoutOf(field);
    plain.replace(RecordOffset(record) + layout.offset, layout.limit + 1, layout.limit + 1, 'x');
}

void SetCount(std::string& plain, std::uint32_t count) {
    for (int i = 0; i < 4; ++i) {
        plain[DICT_COUNT_OFFSET + i] = static_cast<char>(count >> (8 * i));
    }
}

class ZvkCheck : public ::testing::Test {
protected:
    void SetUp() override {
        WriteDictionary(m_path, {
                                    Drug({"布洛芬", "BLF", "Ibuprofen", "", "", "", ""}),
                                    Drug({"阿司匹林", "ASPL", "Aspirin", "", "", "", ""}),
                                });
        m_plain = Scramble(ReadBytes(m_path));
    }

    TempFolder m_folder;
    const std::string m_path = m_folder / "drugs.zvk";
    std::string m_plain;
};

TEST_F(ZvkCheck, PassesASoundDictionary) {
    const Outcome outcome = Zvk({"check", m_path});
    EXPECT_EQ(outcome.status, EXIT_OK);
    EXPECT_EQ(outcome.out, m_path + ": a sound dictionary of 2 records\n");
    EXPECT_EQ(outcome.err, "");

    const std::string empty = m_folder / "empty.zvk";
    WriteDictionary(empty, {});
    EXPECT_EQ(Zvk({"check", empty}).out, empty + ": a sound dictionary of 0 records\n");
}

TEST_F(ZvkCheck, NamesEveryFaultOfADamagedFile) {
    const struct {
        const char* name;
        std::function<void(std::string&)> damage;  // on the plain image
        std::vector<std::string> problems;
    } cases[] = {
        {"wrong magic",
         [](std::string& plain) { plain[DICT_MAGIC_OFFSET + 3] = 0; },
         {"not a dictionary: its magic is 0x00FA1428, a dictionary's is 0xEDFA1428"}},
        {"count above the maximum",
         [](std::string& plain) { SetCount(plain, 2001); },
         {"its record count 2001 is above the most a dictionary holds, 2000",
          "1524 bytes long, but 2001 records need 1396826 bytes"}},
        {"count beyond the records",
         [](std::string& plain) { SetCount(plain, 3); },
         {"1524 bytes long, but 3 records need 2222 bytes"}},
        {"last record cut short",
         [](std::string& plain) { plain.resize(plain.size() - 1); },
         {"1523 bytes long, but 2 records need 1524 bytes"}},
        {"bytes after the last record",
         [](std::string& plain) { plain += "extra"; },
         {"1529 bytes long, but 2 records need 1524 bytes"}},
        {"unterminated last field, spare byte zero",
         [](std::string& plain) { Unterminate(plain, 2, Field::Cautions); },
         {"record 2, field Cautions: no terminating NUL within its 201 bytes"}},
        {"several faults",
         [](std::string& plain) {
             Unterminate(plain, 1, Field::TradeName);
             Unterminate(plain, 1, Field::Usage);
             Unterminate(plain, 2, Field::PinyinInitials);
             plain += "extra";
         },
         {"1529 bytes long, but 2 records need 1524 bytes",
          "record 1, field TradeName: no terminating NUL within its 21 bytes",
          "record 1, field Usage: no terminating NUL within its 201 bytes",
          "record 2, field PinyinInitials: no terminating NUL within its 11 bytes"}},
        {"only the header's first bytes",
         [](std::string& plain) { plain.resize(DICT_MAGIC_OFFSET + 3); },
         {"13 bytes long, too short to be a dictionary"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string plain = m_plain;
        c.damage(plain);
        WriteBytes(m_path, Scramble(plain));
        const Outcome outcome = Zvk({"check", m_path});
        EXPECT_EQ(outcome.status, EXIT_NOT_FOUND);
        EXPECT_EQ(outcome.out, "");
        std::string expected;
        for (const std::string& problem : c.problems) {
            expected += "zvk: " + m_path + ": " + problem + "\n";
        }
        EXPECT_EQ(outcome.err, expected);
    }
}

// The program opens a file exactly when the store loads it into a new
// dictionary; every command of zvk must come to the same verdict.
TEST_F(ZvkCheck, EveryCommandAgreesWithTheStoreOnWhichFilesOpen) {
    const std::string scrambled = ReadBytes(m_path);
    std::string tooMany = m_plain;
    tooMany[DICT_COUNT_OFFSET] = static_cast<char>(2001 & 0xFF);
    tooMany[DICT_COUNT_OFFSET + 1] = static_cast<char>(2001 >> 8);
    std::string wrongMagic = m_plain;
    wrongMagic[DICT_MAGIC_OFFSET] ^= 0x01;
    const struct {
        const char* name;
        std::string bytes;
        bool opens;
        std::uint32_t records;
    } files[] = {
        // Up to 6 bytes end before the count: the new dictionary's header stays.
        {"0 bytes", "", true, 0},
        {"1 byte", "x", true, 0},
        {"6 bytes", scrambled.substr(0, 6), true, 0},
        {"7 bytes", scrambled.substr(0, 7), false, 0},
        {"13 bytes", scrambled.substr(0, 13), false, 0},
        {"14 bytes", scrambled.substr(0, 14), true, 2},
        {"sound", scrambled, true, 2},
        {"wrong magic", Scramble(wrongMagic), false, 0},
        {"count above the maximum", Scramble(tooMany), false, 0},
    };
    const std::string path = m_folder / "file.zvk";
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        quorbex::testing::MemoryFile file(
            std::vector<std::uint8_t>(f.bytes.begin(), f.bytes.end()));
        RecordStore store;
        ASSERT_EQ(store.LoadFromFile(file), f.opens);
        ASSERT_EQ(store.GetCount(), f.records);

        WriteBytes(path, f.bytes);
        const int loaded = f.opens ? EXIT_OK : EXIT_ERROR;
        EXPECT_EQ(Zvk({"list", path, "--sort", "none"}).status, loaded);
        EXPECT_EQ(Zvk({"export", path, "--format", "json"}).status, loaded);
        EXPECT_EQ(Zvk({"search", path, ""}).status, !f.opens        ? EXIT_ERROR
                                                    : f.records > 0 ? EXIT_OK
                                                                    : EXIT_NOT_FOUND);
        const Outcome listed = Zvk({"list", path, "--sort", "none"});
        EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), f.records);

        // check passes no file that does not open, and fails no empty one for
        // its lack of a header.
        const Outcome checked = Zvk({"check", path});
        if (!f.opens) {
            EXPECT_EQ(checked.status, EXIT_NOT_FOUND);
        } else if (f.bytes.size() <= DICT_COUNT_OFFSET) {
            EXPECT_EQ(checked.status, EXIT_OK);
            EXPECT_EQ(checked.out, path + ": an empty dictionary without a header\n");
            EXPECT_EQ(checked.err, "zvk: " + path + ": warning: " + std::to_string(f.bytes.size()) +
                                       " bytes long, without a header; it opens as an empty "
                                       "dictionary\n");
        }
    }
}

TEST_F(ZvkCheck, FailsWhenTheFileCannotBeRead) {
    const Outcome outcome = Zvk({"check", m_folder / "missing.zvk"});
    EXPECT_EQ(outcome.status, EXIT_ERROR);
    EXPECT_EQ(outcome.err,
              "zvk: " + m_folder / "missing.zvk" + ": cannot open: No such file or directory\n");
}

}  // namespace
}  // namespace quorbex::zvk::testing
