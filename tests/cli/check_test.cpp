// check: a sound dictionary passes; each kind of damage is named.
#include <functional>

#include "tests/cli/zvk_test_support.h"

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
        {"empty file",
         [](std::string& plain) { plain.clear(); },
         {"0 bytes long, too short to be a dictionary"}},
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

TEST_F(ZvkCheck, FailsWhenTheFileCannotBeRead) {
    const Outcome outcome = Zvk({"check", m_folder / "missing.zvk"});
    EXPECT_EQ(outcome.status, EXIT_ERROR);
    EXPECT_EQ(outcome.err,
              "zvk: " + m_folder / "missing.zvk" + ": cannot open: No such file or directory\n");
}

}  // namespace
}  // namespace quorbex::zvk::testing
