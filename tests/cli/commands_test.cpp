// list, search, show and export on small dictionaries, their refusals of
// files that are not dictionaries, and the usage errors of every command.
#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "tests/cli/zvk_test_support.h"

namespace quorbex::zvk::testing {
namespace {

class ZvkCommands : public ::testing::Test {
protected:
    void SetUp() override {
        // Trade names in GBK byte order: "" < 阿 (B0A2) < 奥 (B0C2) < 布 (B2BC).
        // English names order by bytes: upper-case before lower-case.
        WriteDictionary(m_path, {
                                    Drug({"布洛芬", "BLF", "Ibuprofen", "", "退热止痛", "", ""}),
                                    Drug({"阿司匹林", "ASPL", "aspirin", "", "", "", ""}),
                                    Drug({"奥美拉唑", "AMLZ", "Zantac", "奥-美", "", "", ""}),
                                    Drug({"", "", "Omeprazole", "", "", "", ""}),
                                });
    }

    TempFolder m_folder;
    const std::string m_path = m_folder / "drugs.zvk";
};

std::string Listing(const std::vector<int>& numbers) {
    static const std::map<int, std::string> lines{
        {1, "1\t布洛芬\tIbuprofen\n"},
        {2, "2\t阿司匹林\taspirin\n"},
        {3, "3\t奥美拉唑\tZantac\n"},
        {4, "4\t\tOmeprazole\n"},
    };
    std::string text;
    for (const int number : numbers) {
        text += lines.at(number);
    }
    return text;
}

TEST_F(ZvkCommands, ListOrdersByTheChosenName) {
    const struct {
        std::vector<std::string> sort;
        std::vector<int> order;
    } cases[] = {
        {{}, {4, 2, 3, 1}},
        {{"--sort", "trade"}, {4, 2, 3, 1}},
        {{"--sort=english"}, {1, 4, 3, 2}},
        {{"--sort", "none"}, {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"list", m_path};
        args.insert(args.end(), c.sort.begin(), c.sort.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        const Outcome outcome = Zvk(args);
        EXPECT_EQ(outcome.status, EXIT_OK);
        EXPECT_EQ(outcome.out, Listing(c.order));
        EXPECT_EQ(outcome.err, "");
    }
}

TEST_F(ZvkCommands, SearchHonoursTheFieldMaskAndAnswersWithItsExitStatus) {
    const struct {
        std::vector<std::string> args;  // after FILE
        std::vector<int> hits;          // none: exit status 1 and no output
    } cases[] = {
        {{"ASPIRIN"}, {2}},
        {{"a"}, {4, 2, 3}},
        {{"a", "--sort", "english"}, {4, 3, 2}},
        {{"a", "--sort", "none"}, {2, 3, 4}},
        {{"司匹"}, {2}},
        {{"", "--sort", "none"}, {1, 2, 3, 4}},
        {{"止痛"}, {}},
        {{"止痛", "--fields", "0x10"}, {1}},
        {{"止痛", "--fields", "16"}, {1}},
        {{"止痛", "--fields", "0X80"}, {1}},
        {{"止痛", "--fields", "0x6F"}, {}},
        {{"blf", "--fields", "0x01"}, {}},
        {{"blf", "--fields", "0x02"}, {1}},
        {{"BLF", "--fields", "0"}, {}},
        {{"--", "-美"}, {3}},
        {{"nothing like it"}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"search", m_path};
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        const Outcome outcome = Zvk(args);
        EXPECT_EQ(outcome.status, c.hits.empty() ? EXIT_NOT_FOUND : EXIT_OK);
        EXPECT_EQ(outcome.out, Listing(c.hits));
        EXPECT_EQ(outcome.err, "");
    }
}

TEST_F(ZvkCommands, SearchRefusesAPatternThatGbkCannotHold) {
    const Outcome outcome = Zvk({"search", m_path, "阿😀"});
    EXPECT_EQ(outcome.status, EXIT_ERROR);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("\"😀\" (U+1F600), which GBK cannot represent"), std::string::npos)
        << outcome.err;
}

TEST(ZvkShow, RendersTheRecordAsTheRecordViewDoesWithUnixLineBreaks) {
    TempFolder folder;
    const std::string path = folder / "show.zvk";
    WriteDictionary(path, {
                              Drug({"阿司匹林", "ASPL", "Aspirin", "乙酰水杨酸", "解热镇痛",
                                    "一次0.3g\r\n饭后服", "出血者禁用"}),
                              // Without a trade name the other names are not shown.
                              Drug({"", "PY", "Omeprazole", "渥米", "", "20mg", ""}),
                              Drug({"", "ONLY", "", "", "", "", ""}),
                          });
    const struct {
        const char* number;
        const char* text;
    } cases[] = {
        {"1",
         "[品名]阿司匹林(乙酰水杨酸)\n[英文]Aspirin\n\n[功能]\n解热镇痛\n\n[用法]\n一次0.3g\n"
         "饭后服\n\n[注意事项]\n出血者禁用\n"},
        {"2", "\n[英文]Omeprazole\n\n[用法]\n20mg\n"},
        {"3", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        const Outcome outcome = Zvk({"show", path, c.number});
        EXPECT_EQ(outcome.status, EXIT_OK);
        EXPECT_EQ(outcome.out, c.text);
        EXPECT_EQ(outcome.err, "");
    }
}

// A record's control characters reach a terminal as escapes, and a pipe as
// they are; show keeps the tabs and line breaks of its texts.
TEST(ZvkTerminal, ControlCharactersOfRecordsAreEscapedOnlyOnATerminal) {
    TempFolder folder;
    const std::string path = folder / "shared.zvk";
    WriteDictionary(path, {
                              Drug({"阿\x1b[2J司", "", "Red\x1b[31m\x07", "", "",
                                    "a\tb\r\nc\rd\x7f\x1b]0;title\x07", ""}),
                              Drug({"x\ty\nz", "", "plain", "", "", "", ""}),
                          });
    const struct {
        std::vector<std::string> args;
        bool onTerminal;
        std::string out;
    } cases[] = {
        {{"list", path, "--sort", "none"},
         false,
         "1\t阿\x1b[2J司\tRed\x1b[31m\x07\n2\tx\ty\nz\tplain\n"},
        {{"list", path, "--sort", "none"},
         true,
         "1\t阿\\033[2J司\tRed\\033[31m\\a\n2\tx\\ty\\nz\tplain\n"},
        {{"search", path, "red"}, true, "1\t阿\\033[2J司\tRed\\033[31m\\a\n"},
        {{"show", path, "1"},
         false,
         "[品名]阿\x1b[2J司\n[英文]Red\x1b[31m\x07\n\n[用法]\na\tb\nc\rd\x7f\x1b]0;title\x07\n"},
        {{"show", path, "1"},
         true,
         "[品名]阿\\033[2J司\n[英文]Red\\033[31m\\a\n\n[用法]\na\tb\nc\\rd\\177\\033]0;"
         "title\\a\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + (c.onTerminal ? " on a terminal" : " to a pipe"));
        const Outcome outcome = Zvk(c.args, c.onTerminal);
        EXPECT_EQ(outcome.status, EXIT_OK) << outcome.err;
        EXPECT_EQ(outcome.out, c.out);
    }
}

TEST_F(ZvkCommands, ShowRefusesARecordNumberOutsideTheDictionary) {
    const struct {
        const char* number;
        const char* message;
    } cases[] = {
        {"0", "no record 0; its records are numbered 1 to 4"},
        {"5", "no record 5; its records are numbered 1 to 4"},
        {"4294967297", "no record 4294967297"},
        {"123456789012345678901234567890", "no record 123456789012345678901234567890"},
        {"2x", "NUMBER must be a record number"},
        {"", "NUMBER must be a record number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        const Outcome outcome = Zvk({"show", m_path, c.number});
        EXPECT_EQ(outcome.status, EXIT_ERROR);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    }
}

TEST_F(ZvkCommands, ExportWritesEveryRecordInFileOrder) {
    const Outcome csv = Zvk({"export", m_path, "--format", "csv"});
    EXPECT_EQ(csv.status, EXIT_OK);
    EXPECT_EQ(csv.out,
              "\"TradeName\",\"PinyinInitials\",\"EnglishName\",\"OtherNames\",\"Function\","
              "\"Usage\",\"Cautions\"\r\n"
              "\"布洛芬\",\"BLF\",\"Ibuprofen\",\"\",\"退热止痛\",\"\",\"\"\r\n"
              "\"阿司匹林\",\"ASPL\",\"aspirin\",\"\",\"\",\"\",\"\"\r\n"
              "\"奥美拉唑\",\"AMLZ\",\"Zantac\",\"奥-美\",\"\",\"\",\"\"\r\n"
              "\"\",\"\",\"Omeprazole\",\"\",\"\",\"\",\"\"\r\n");

    const Outcome json = Zvk({"export", m_path, "--format=json"});
    EXPECT_EQ(json.status, EXIT_OK);
    const auto parsed = nlohmann::ordered_json::parse(json.out);
    ASSERT_EQ(parsed.size(), 4U);
    EXPECT_EQ(parsed[2], nlohmann::ordered_json::parse(R"({
        "TradeName": "奥美拉唑", "PinyinInitials": "AMLZ", "EnglishName": "Zantac",
        "OtherNames": "奥-美", "Function": "", "Usage": "", "Cautions": ""})"));
    EXPECT_EQ(parsed[3]["EnglishName"], "Omeprazole");
    // Keys keep the fields' file order.
    EXPECT_EQ(parsed[0].begin().key(), "TradeName");
    EXPECT_EQ((--parsed[0].end()).key(), "Cautions");
}

TEST(ZvkExport, WritesAnEmptyDictionaryAsAHeaderOrAnEmptyArray) {
    TempFolder folder;
    const std::string path = folder / "empty.zvk";
    WriteDictionary(path, {});
    EXPECT_EQ(Zvk({"export", path, "--format", "json"}).out, "[]\n");
    EXPECT_EQ(Zvk({"export", path, "--format", "csv"}).out,
              "\"TradeName\",\"PinyinInitials\",\"EnglishName\",\"OtherNames\",\"Function\","
              "\"Usage\",\"Cautions\"\r\n");
    const Outcome list = Zvk({"list", path});
    EXPECT_EQ(list.status, EXIT_OK);
    EXPECT_EQ(list.out, "");
    EXPECT_EQ(Zvk({"search", path, ""}).status, EXIT_NOT_FOUND);
}

TEST(ZvkExport, NamesFieldsWhoseBytesAreNotGbkAndWritesThemOnlyWhenLossy) {
    TempFolder folder;
    const std::string path = folder / "damaged.zvk";
    std::vector<DrugFields> records{
        Drug({"布洛芬", "BLF", "Ibuprofen", "", "", "", ""}),
        // 0x7F is no trail byte; a record cut inside its last character.
        DrugFields{"\x81\x7F", "", "x", "", "", "", Gbk("注意") + "\xB0"},
    };
    // More faulty fields than are named.
    for (int i = 0; i < 21; ++i) {
        records.push_back(DrugFields{"\xFF", "", "", "", "", "", ""});
    }
    WriteDictionary(path, records);

    for (const char* format : {"csv", "json"}) {
        SCOPED_TRACE(format);
        const Outcome strict = Zvk({"export", path, "--format", format});
        EXPECT_EQ(strict.status, EXIT_ERROR);
        EXPECT_EQ(strict.out, "");
        const std::string where = "zvk: " + path + ": ";
        const std::string why = ": bytes that are not GBK text, which would be written as U+FFFD\n";
        std::string expected =
            where + "record 2, field TradeName" + why + where + "record 2, field Cautions" + why;
        for (int record = 3; record <= 20; ++record) {
            expected += where + "record " + std::to_string(record) + ", field TradeName" + why;
        }
        expected += where + "3 more fields not shown\n" +
                    "zvk: nothing exported; give --lossy to export with U+FFFD in their place\n";
        EXPECT_EQ(strict.err, expected);

        const Outcome lossy = Zvk({"export", path, "--format", format, "--lossy"});
        EXPECT_EQ(lossy.status, EXIT_OK);
        EXPECT_EQ(lossy.err, "");
        EXPECT_NE(lossy.out.find("注意\xEF\xBF\xBD"), std::string::npos) << lossy.out;
    }
}

TEST(ZvkRefusals, EveryCommandRefusesAFileThatIsNotADictionary) {
    TempFolder folder;
    const std::string sound = folder / "sound.zvk";
    WriteDictionary(sound, {Drug({"布洛芬", "BLF", "Ibuprofen", "", "", "", ""})});
    const std::string plain = Scramble(ReadBytes(sound));

    std::string wrongMagic = plain;
    wrongMagic[DICT_MAGIC_OFFSET] ^= 0x01;
    WriteBytes(folder / "magic.zvk", Scramble(wrongMagic));
    // The scrambled header, unscrambled: the magic is then wrong as well.
    WriteBytes(folder / "unscrambled.zvk", plain);
    std::string tooMany = plain;
    tooMany[DICT_COUNT_OFFSET] = static_cast<char>(2001 & 0xFF);
    tooMany[DICT_COUNT_OFFSET + 1] = static_cast<char>(2001 >> 8);
    WriteBytes(folder / "count.zvk", Scramble(tooMany));
    WriteBytes(folder / "short.zvk", ReadBytes(sound).substr(0, 10));
    std::filesystem::create_directory(folder / "folder.zvk");
    // Reading a FIFO or a device would block or never end.
    ASSERT_EQ(::mkfifo((folder / "fifo.zvk").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder / "device.zvk");

    const struct {
        std::string file;
        const char* reason;
        bool read;  // check reads it and finds a fault, rather than failing to read it
    } files[] = {
        {"magic.zvk", "not a dictionary: its magic is 0xEDFA1429, a dictionary's is 0xEDFA1428",
         true},
        {"unscrambled.zvk",
         "not a dictionary: its magic is 0x2B3CD2EE, a dictionary's is 0xEDFA1428", true},
        {"count.zvk", "its record count 2001 is above the most a dictionary holds, 2000", true},
        {"short.zvk", "10 bytes long, too short to be a dictionary", true},
        {"folder.zvk", "a folder, not a regular file; zvk reads only regular files", false},
        {"fifo.zvk", "a named pipe (FIFO), not a regular file; zvk reads only regular files",
         false},
        {"device.zvk", "a device, not a regular file; zvk reads only regular files", false},
        {"missing.zvk", "cannot open: No such file or directory", false},
    };
    for (const auto& f : files) {
        const std::string path = folder / f.file;
        const std::vector<std::vector<std::string>> commands{
            {"list", path},
            {"search", path, ""},
            {"show", path, "1"},
            {"export", path, "--format", "csv"},
            {"export", path, "--format", "json"},
            {"check", path},
        };
        for (const auto& args : commands) {
            SCOPED_TRACE(::testing::PrintToString(args));
            const Outcome outcome = Zvk(args);
            const bool checkFinds = args[0] == "check" && f.read;
            EXPECT_EQ(outcome.status, checkFinds ? EXIT_NOT_FOUND : EXIT_ERROR);
            EXPECT_EQ(outcome.out, "");
            // check may name further faults after the first.
            EXPECT_TRUE(outcome.err.starts_with("zvk: " + path + ": " + f.reason + "\n"))
                << outcome.err;
        }
    }
    const Outcome unnamed = Zvk({"list", ""});
    EXPECT_EQ(unnamed.status, EXIT_ERROR);
    EXPECT_EQ(unnamed.err, "zvk: a file name is needed, not \"\"\n");
}

TEST(ZvkUsage, HelpExplainsEveryCommand) {
    const Outcome main = Zvk({"--help"});
    EXPECT_EQ(main.status, EXIT_OK);
    EXPECT_TRUE(main.out.starts_with("Usage: zvk COMMAND")) << main.out;
    for (const char* command : {"list", "search", "find", "show", "export", "import", "check"}) {
        SCOPED_TRACE(command);
        EXPECT_NE(main.out.find(std::string("\n  ") + command + " "), std::string::npos);
        // Help wins over whatever else is wrong on the line.
        const Outcome help = Zvk({command, "--bogus", "-h"});
        EXPECT_EQ(help.status, EXIT_OK);
        EXPECT_TRUE(help.out.starts_with(std::string("Usage: zvk ") + command + " ")) << help.out;
        EXPECT_EQ(help.err, "");
    }
}

TEST(ZvkUsage, VersionIsTheProjectsOwn) {
    const Outcome version = Zvk({"--version"});
    EXPECT_EQ(version.status, EXIT_OK);
    EXPECT_EQ(version.out, "zvk " QUORBEX_VERSION "\n");
    EXPECT_EQ(version.err, "");
}

TEST(ZvkUsage, RefusesCommandLinesThatDoNotFit) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "no command given"},
        {{"frobnicate", "a.zvk"}, "unknown command \"frobnicate\""},
        {{"list"}, "missing arguments: expected FILE"},
        {{"list", "a.zvk", "b.zvk"}, "too many arguments: expected FILE"},
        {{"search", "a.zvk"}, "missing arguments: expected FILE PATTERN"},
        {{"list", "a.zvk", "--bogus"}, "unknown option --bogus"},
        {{"list", "a.zvk", "--sort"}, "--sort needs a value"},
        {{"list", "a.zvk", "--sort", "size"}, "--sort takes trade, english, pinyin or none"},
        {{"list", "a.zvk", "--sort", "none", "--sort", "trade"}, "--sort is given more than once"},
        {{"search", "a.zvk", "x", "--fields", "0x100"}, "--fields takes a mask from 0 to 0xFF"},
        {{"search", "a.zvk", "x", "--fields", "ten"}, "--fields takes a mask"},
        {{"search", "a.zvk", "x", "--fields", "0x"}, "--fields takes a mask"},
        {{"search", "a.zvk", "x", "--fields", "-1"}, "--fields takes a mask"},
        {{"show", "a.zvk", "1", "--sort", "trade"}, "unknown option --sort"},
        {{"export", "a.zvk"}, "export needs --format csv or --format json"},
        {{"export", "a.zvk", "--format", "xml"}, "--format takes csv or json"},
        {{"import", "a.csv"}, "import needs -o FILE"},
        {{"import", "a.csv", "-o", "a.zvk", "--force=yes"}, "--force takes no value"},
        {{"import", "a.csv", "-o", ""}, "-o needs a file name, not \"\""},
        {{"import", "a.csv", "--output="}, "-o needs a file name, not \"\""},
        {{"import", "a.csv", "-o", "a.zvk", "--output", "b.zvk"},
         "--output is given more than once"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const Outcome outcome = Zvk(c.args);
        EXPECT_EQ(outcome.status, EXIT_ERROR);
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(outcome.err.starts_with(std::string("zvk: ") + c.message)) << outcome.err;
        EXPECT_NE(outcome.err.find("--help\" for usage."), std::string::npos) << outcome.err;
    }
}

}  // namespace
}  // namespace quorbex::zvk::testing
