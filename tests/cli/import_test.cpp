// import: spreadsheets as they come, its refusals, each naming the row and
// the drug, its care for existing files, and the export -> import round trip.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "store/gbk_codec.h"

#include "tests/cli/zvk_test_support.h"

namespace quorbex::zvk::testing {
namespace {

const std::string HEADER =
    "TradeName,PinyinInitials,EnglishName,OtherNames,Function,Usage,Cautions\r\n";

std::string Repeat(std::string_view text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

// The CSV that export writes: every field quoted.
std::string ExportedCsv(const std::vector<std::vector<std::string>>& rows) {
    std::string csv =
        "\"TradeName\",\"PinyinInitials\",\"EnglishName\",\"OtherNames\","
        "\"Function\",\"Usage\",\"Cautions\"\r\n";
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < 7; ++i) {
            csv += (i > 0 ? ",\"" : "\"") + (i < row.size() ? row[i] : "") + "\"";
        }
        csv += "\r\n";
    }
    return csv;
}

class ZvkImport : public ::testing::Test {
protected:
    Outcome Import(const std::string& csv, std::vector<std::string> extra = {}) {
        WriteBytes(m_csv, csv);
        std::vector<std::string> args{"import", m_csv, "-o", m_dictionary};
        args.insert(args.end(), extra.begin(), extra.end());
        return Zvk(args);
    }

    TempFolder m_folder;
    const std::string m_csv = m_folder / "drugs.csv";
    const std::string m_dictionary = m_folder / "drugs.zvk";
};

TEST_F(ZvkImport, RefusesEveryFaultNamingItsRowAndDrugAndWritesNothing) {
    const std::string good = "布洛芬,BLF,Ibuprofen,,,,\r\n";
    const struct {
        std::string csv;
        std::string problem;
    } cases[] = {
        // Limits count GBK bytes: a Chinese character takes two.
        {HEADER + Repeat("阿", 11) + ",,,,,,\r\n",
         "row 2 (" + Repeat("阿", 11) + "): the trade name is 22 bytes in GBK, more than 20"},
        {HEADER + "x," + Repeat("A", 11) + ",,,,,\r\n",
         "row 2 (x): the pinyin initials are 11 bytes in GBK, more than 10"},
        // Without a trade name the English name names the drug.
        {HEADER + ",," + Repeat("e", 21) + ",,,,\r\n",
         "row 2 (" + Repeat("e", 21) + "): the English name is 21 bytes in GBK, more than 20"},
        {HEADER + "x,,," + Repeat("别", 20) + "a,,,\r\n",
         "row 2 (x): the other names are 41 bytes in GBK, more than 40"},
        {HEADER + "x,,,," + Repeat("功", 101) + ",,\r\n",
         "row 2 (x): the function is 202 bytes in GBK, more than 200"},
        {HEADER + "x,,,,," + Repeat("u", 201) + ",\r\n",
         "row 2 (x): the usage is 201 bytes in GBK, more than 200"},
        // A line break inside a field is stored as its two bytes.
        {HEADER + "x,,,,,,\"" + Repeat("禁", 99) + "\r\nx\"\r\n",
         "row 2 (x): the cautions are 201 bytes in GBK, more than 200"},
        {HEADER + good + "x,,,表情😀,,,\r\n",
         "row 3 (x): the other names hold \"😀\" (U+1F600), which GBK cannot represent"},
        // Bytes that are not UTF-8 make the text GBK, which they are not either.
        {HEADER + "x,,,,\xFF\xFE,,\r\n",
         "row 2 (x): the function holds bytes that are not GBK text"},
        {HEADER + "x,,,,,a" + std::string(1, '\0') + "b,\r\n",
         "row 2 (x): the usage holds a NUL character"},
        // A name is shown on one line, however it was written.
        {HEADER + "\"two\r\nlines\",,,,,,\r\n",
         "row 2 (two lines): the trade name holds a tab or a line break, which a name cannot hold"},
        {HEADER + "x,,\"Tab\tbed\",,,,\r\n",
         "row 2 (x): the English name holds a tab or a line break, which a name cannot hold"},
        {HEADER + Repeat("很长的名字", 6) + ",,,,,,\r\n",
         "row 2 (" + Repeat("很长的名字", 4) + "很长的名…): the trade name is 60 bytes"},
        {HEADER + good + ",PY,,other,,,\r\n",
         "row 3: neither a trade name nor an English name; a drug needs at least one"},
        {HEADER + good + "x,,,,,\r\n", "row 3 (x): 6 cells where 7 are expected"},
        // Empty cells after the last column do not count; others do.
        {HEADER + "x,,,,,,,,y\r\n", "row 2 (x): 9 cells where 7 are expected"},
        {HEADER + "x" + Repeat(",", 100) + "\r\n",
         "row 2: more than 100 cells, the most a row may have; reading stopped here"},
        {HEADER + good + "x,,,,\"" + Repeat("长", 40000) + "\",,\r\n",
         "row 3: a row of more than 65536 bytes, far more than any drug needs; reading stopped "
         "here"},
        // Row 2 holds a line break, and two empty lines follow it: the fault
        // lies in row 5, as a spreadsheet numbers it, on line 6 of the text.
        {HEADER + "x,,,,\"one\r\ntwo\",,\r\n\r\n\r\n" + Repeat("阿", 11) + ",,,,,,\r\n",
         "row 5 (" + Repeat("阿", 11) + "): the trade name is 22 bytes in GBK, more than 20"},
        {HEADER + good + "x,\"B\"LF,,,,,\r\n",
         "row 3: a quote inside an unquoted cell, or text after a closing quote"},
        {HEADER + good + "x,B\"LF,,,,,\r\n",
         "row 3: a quote inside an unquoted cell, or text after a closing quote"},
        {HEADER + good + "x,,,,\"never closed,,\r\n" + good, "row 3: a quoted cell is not closed"},
        // The header row.
        {good, "row 1: the header row names no column as a field of a drug, such as 品名"},
        {"\r\n,,,\r\n品名,商品名,英文名\r\n",
         "row 3: columns 1 (\"品名\") and 2 (\"商品名\") both "
         "name the trade name"},
        {"拼音,用法\r\nBLF,口服\r\n",
         "row 1: no column holds the trade name or the English name, one of which every drug "
         "needs"},
        {"", "the file holds no rows"},
        {"\r\n,,,\r\n", "the file holds no rows"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        const Outcome outcome = Import(c.csv);
        EXPECT_EQ(outcome.status, EXIT_ERROR);
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(outcome.err.starts_with("zvk: " + m_csv + ": " + c.problem)) << outcome.err;
        EXPECT_NE(outcome.err.find("nothing written to " + m_dictionary), std::string::npos);
        EXPECT_EQ(m_folder.Entries(), std::vector<std::string>{"drugs.csv"});
    }
}

// Spreadsheets as wards keep them: their own header names in any order,
// columns of their own, empty rows, no header at all.
TEST_F(ZvkImport, ReadsSpreadsheetsAsTheyAre) {
    const std::vector<std::string> amoxicillin{"阿莫西林",        "AMXL",   "Amoxicillin",
                                               "阿莫仙",          "抗感染", "口服\r\n一日3次",
                                               "青霉素过敏者禁用"};
    const std::vector<std::string> ibuprofen{"布洛芬", "BLF", "Ibuprofen", "", "镇痛", "口服", ""};
    const std::string rows =
        "阿莫西林,AMXL,Amoxicillin,阿莫仙,抗感染,\"口服\r\n一日3次\",青霉素过敏者禁用\r\n"
        "布洛芬,BLF,Ibuprofen,,镇痛,口服,\r\n";
    const struct {
        const char* what;
        std::string csv;
        std::vector<std::string> extra;
        std::string warnings;
    } cases[] = {
        {"the export's header", HEADER + rows, {}, ""},
        {"the program's Chinese labels",
         "品名,拼音,英文,别名,功能,用法,注意事项\r\n" + rows,
         {},
         ""},
        {"the labels with the entry dialog's colons and the record text's brackets",
         "品名:,拼音：,[英文],别名: ,[功能],用法:,注意:\r\n" + rows,
         {},
         ""},
        {"the program's English labels, in any case, spaces around",
         " Trade name ,PINYIN INITIALS,english name,Other Names,function,Usage,CAUTIONS\r\n" + rows,
         {},
         ""},
        {"common Chinese names",
         "品名,拼音码,英文名,别名,功能,用法用量,注意事项\r\n" + rows,
         {},
         ""},
        {"other common Chinese names",
         "药品名称,简码,英文名称,其它名称,功能主治,用法,禁忌\r\n" + rows,
         {},
         ""},
        {"more common Chinese names",
         "通用名,拼音缩写,英文,其他名称,作用,用法,注意\r\n" + rows,
         {},
         ""},
        {"columns in another order, some missing",
         "英文名,用法,商品名,适应症,注意事项,拼音码,其他名称\r\n"
         "Amoxicillin,\"口服\r\n一日3次\",阿莫西林,抗感染,青霉素过敏者禁用,AMXL,阿莫仙\r\n"
         "Ibuprofen,口服,布洛芬,镇痛,,BLF,\r\n",
         {},
         ""},
        {"columns of the ward's own, named or not, empty rows, and a row with blanks in every "
         "field of a drug",
         "序号,品名,拼音,英文名,别名,功能,用法,注意事项,,备注\r\n"
         ",,,,,,,,,\r\n"
         "0, ,,,,,,,,空行\r\n"
         "1,阿莫西林,AMXL,Amoxicillin,阿莫仙,抗感染,\"口服\r\n一日3次\",青霉素过敏者禁用,,皮试\r\n"
         "\r\n"
         "2,布洛芬,BLF,Ibuprofen,,镇痛,口服,,x,\r\n"
         ",,,,,,,,,\r\n",
         {},
         "warning: row 1: skipped 3 columns that name no field of a drug: \"序号\", column 9, "
         "\"备注\"\n"},
        {"no header row", rows, {"--no-header"}, ""},
        {"no header row, the columns given",
         "Amoxicillin,x,阿莫西林,AMXL,阿莫仙,抗感染,\"口服\r\n一日3次\",青霉素过敏者禁用\r\n"
         "Ibuprofen,x,布洛芬,BLF,,镇痛,口服,\r\n",
         {"--no-header", "--columns", "english,-,trade,pinyin,other,function,usage,cautions"},
         ""},
        {"a header row whose names the columns replace",
         "A,B,C,D,E,F,G\r\n" + rows,
         {"--columns=trade,pinyin,english,other,function,usage,cautions"},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool gbk : {false, true}) {
            const std::string text = gbk ? Gbk(c.csv) : "\xEF\xBB\xBF" + c.csv;
            std::vector<std::string> extra = c.extra;
            extra.push_back("--force");
            const Outcome outcome = Import(text, extra);
            ASSERT_EQ(outcome.status, EXIT_OK) << outcome.err;
            std::string warnings;
            if (!c.warnings.empty()) {
                warnings = "zvk: " + m_csv + ": " + c.warnings;
            }
            EXPECT_EQ(outcome.err, warnings);
            EXPECT_EQ(outcome.out, "wrote 2 records to " + m_dictionary + "\n");
            EXPECT_EQ(Zvk({"export", m_dictionary, "--format", "csv"}).out,
                      ExportedCsv({amoxicillin, ibuprofen}));
        }
    }
}

TEST_F(ZvkImport, RefusesColumnsItCannotTake) {
    for (const auto& [columns, message] : std::vector<std::pair<std::string, std::string>>{
             {"trade,dose",
              "--columns takes trade, pinyin, english, other, function, usage, "
              "cautions or - for each column, not \"dose\""},
             {"trade,,english",
              "--columns takes trade, pinyin, english, other, function, usage, "
              "cautions or - for each column, not \"\""},
             {"trade,english,trade", "--columns names trade twice"},
         }) {
        const Outcome outcome = Import(HEADER, {"--columns", columns});
        EXPECT_EQ(outcome.status, EXIT_ERROR);
        EXPECT_EQ(outcome.err, "zvk: " + message + "\nRun \"zvk import --help\" for usage.\n");
    }
    // Columns that hold no name cannot make drugs.
    const Outcome nameless = Import("BLF,口服\r\n", {"--no-header", "--columns", "pinyin,usage"});
    EXPECT_EQ(nameless.err, "zvk: " + m_csv +
                                ": no column holds the trade name or the English name, one of "
                                "which every drug needs\nzvk: nothing written to " +
                                m_dictionary + "\n");
    const Outcome headerless = Import("布洛芬,BLF\r\n");
    EXPECT_NE(headerless.err.find("give --no-header and --columns"), std::string::npos);
}

// A spreadsheet set up for Chinese saves its CSV in GBK: the sample list in
// GBK imports whole, whatever encoding option names it or leaves it to be told.
TEST_F(ZvkImport, ReadsTheSampleListInGbk) {
    const std::string gbk = *Utf8ToGbk(ReadBytes(SAMPLE_CSV));
    const Outcome reference = Zvk({"list", DEMO_DICTIONARY});
    for (const std::vector<std::string>& extra :
         {std::vector<std::string>{}, {"--encoding", "auto"}, {"--encoding", "gbk"}}) {
        const Outcome outcome = Import(gbk, extra);
        ASSERT_EQ(outcome.status, EXIT_OK) << outcome.err;
        EXPECT_EQ(Zvk({"list", m_dictionary}).out, reference.out);
        std::filesystem::remove(m_dictionary);
    }
    const Outcome asUtf8 = Import(gbk, {"--encoding", "utf-8"});
    EXPECT_EQ(asUtf8.status, EXIT_ERROR);
    const Outcome unknown = Import(gbk, {"--encoding", "latin1"});
    EXPECT_EQ(unknown.err,
              "zvk: --encoding takes auto, utf-8 or gbk, not \"latin1\"\n"
              "Run \"zvk import --help\" for usage.\n");
}

TEST_F(ZvkImport, ReportsEveryFaultItFinds) {
    const Outcome outcome =
        Import(HEADER + ",P,,,,,\r\n" + "x," + Repeat("A", 11) + ",,😀,,,\r\n" + "ok,,,,,,\r\n");
    EXPECT_EQ(outcome.status, EXIT_ERROR);
    const std::string where = "zvk: " + m_csv + ": ";
    EXPECT_EQ(outcome.err,
              where + "row 2: neither a trade name nor an English name; a drug needs at least " +
                  "one\n" + where +
                  "row 3 (x): the pinyin initials are 11 bytes in GBK, more than 10\n" + where +
                  "row 3 (x): the other names hold \"😀\" (U+1F600), which GBK cannot represent\n" +
                  "zvk: nothing written to " + m_dictionary + "\n");
}

TEST_F(ZvkImport, NamesTheFirstTwentyFaultsThenHowManyMore) {
    const Outcome outcome = Import(HEADER + Repeat(",P,,,,,\r\n", 2000));
    EXPECT_EQ(outcome.status, EXIT_ERROR);
    std::string expected;
    for (int row = 2; row <= 21; ++row) {
        expected += "zvk: " + m_csv + ": row " + std::to_string(row) +
                    ": neither a trade name nor an English name; a drug needs at least one\n";
    }
    expected += "zvk: " + m_csv + ": 1980 more faults not shown\n";
    expected += "zvk: nothing written to " + m_dictionary + "\n";
    EXPECT_EQ(outcome.err, expected);
}

TEST_F(ZvkImport, StopsReadingAtTheFirstRowOfMoreThanAHundredCells) {
    // One line of commas: nothing after the hundredth cell is read or held.
    const Outcome outcome = Import(HEADER + Repeat(",", 100000) + "\r\n" + ",,,,,,\r\n");
    EXPECT_EQ(outcome.status, EXIT_ERROR);
    EXPECT_EQ(outcome.err, "zvk: " + m_csv +
                               ": row 2: more than 100 cells, the most a row may have; reading "
                               "stopped here\nzvk: nothing written to " +
                               m_dictionary + "\n");
}

TEST_F(ZvkImport, RefusesACsvThatIsNotARegularFile) {
    ASSERT_EQ(::mkfifo(m_csv.c_str(), 0600), 0);
    const Outcome outcome = Zvk({"import", m_csv, "-o", m_dictionary});
    EXPECT_EQ(outcome.status, EXIT_ERROR);
    EXPECT_EQ(outcome.err, "zvk: " + m_csv +
                               ": a named pipe (FIFO), not a regular file; zvk reads only regular "
                               "files\n");
    EXPECT_EQ(m_folder.Entries(), std::vector<std::string>{"drugs.csv"});
}

TEST_F(ZvkImport, TakesAtMostAFullDictionary) {
    std::string csv = HEADER;
    for (int i = 1; i <= 2000; ++i) {
        csv += "Drug " + std::to_string(i) + ",,,,,,\r\n";
    }
    const Outcome full = Import(csv);
    ASSERT_EQ(full.status, EXIT_OK) << full.err;
    EXPECT_EQ(full.out, "wrote 2000 records to " + m_dictionary + "\n");
    EXPECT_EQ(Zvk({"show", m_dictionary, "2000"}).out, "[品名]Drug 2000\n");
    EXPECT_EQ(Zvk({"check", m_dictionary}).status, EXIT_OK);

    const Outcome over = Import(csv + "One too many,,,,,,\r\n", {"--force"});
    EXPECT_EQ(over.status, EXIT_ERROR);
    EXPECT_TRUE(over.err.starts_with("zvk: " + m_csv +
                                     ": row 2002: more than 2000 drugs, the most a dictionary "
                                     "holds; reading stopped here\n"))
        << over.err;
}

TEST_F(ZvkImport, NeverReplacesAnExistingFileWithoutForce) {
    const std::string existing = "not even a dictionary";
    WriteBytes(m_dictionary, existing);
    const std::string csv = HEADER + "布洛芬,BLF,Ibuprofen,,,,\r\n";

    const Outcome refused = Import(csv);
    EXPECT_EQ(refused.status, EXIT_ERROR);
    EXPECT_EQ(refused.err,
              "zvk: " + m_dictionary + ": already exists; give --force to replace it\n");
    EXPECT_EQ(ReadBytes(m_dictionary), existing);

    // A CSV that is refused leaves the file as it was, even with --force.
    const Outcome faulty = Import(HEADER + ",P,,,,,\r\n", {"--force"});
    EXPECT_EQ(faulty.status, EXIT_ERROR);
    EXPECT_EQ(ReadBytes(m_dictionary), existing);

    const Outcome replaced = Import(csv, {"--force"});
    EXPECT_EQ(replaced.status, EXIT_OK) << replaced.err;
    EXPECT_EQ(Zvk({"list", m_dictionary}).out, "1\t布洛芬\tIbuprofen\n");
    // The temporary file was moved into place, not left behind.
    EXPECT_EQ(m_folder.Entries(), (std::vector<std::string>{"drugs.csv", "drugs.zvk"}));
}

// A group of this process's other than the one its new files get, which it
// may give a file; nothing when it has none.
std::optional<gid_t> AnotherGroup() {
    if (::geteuid() == 0) {
        return ::getegid() + 1;
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    groups.resize(static_cast<std::size_t>(
        std::max(::getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
    for (const gid_t group : groups) {
        if (group != ::getegid()) {
            return group;
        }
    }
    return std::nullopt;
}

// --force replaces the file a symbolic link leads to, not the link, and the
// new dictionary keeps the mode and group of the one it replaces.
TEST_F(ZvkImport, ForceWritesThroughALinkAndKeepsTheFilesModeAndGroup) {
    const std::string csv = HEADER + "布洛芬,BLF,Ibuprofen,,,,\r\n";
    std::filesystem::create_directory(m_folder / "shared");
    const std::string real = m_folder / "shared/ward.zvk";
    const std::string link = m_folder / "ward.zvk";
    const std::string linkToLink = m_folder / "latest.zvk";
    std::filesystem::create_symlink("shared/ward.zvk", link);
    std::filesystem::create_symlink("ward.zvk", linkToLink);
    const std::optional<gid_t> group = AnotherGroup();

    const struct {
        const char* name;
        std::string path;
        mode_t mode;
    } cases[] = {
        {"a private file", real, 0600},
        {"a file for its group", real, 0640},
        {"a link to a private file", link, 0600},
        {"a link to a link", linkToLink, 0604},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(real, "the old dictionary");
        ASSERT_EQ(::chmod(real.c_str(), c.mode), 0);
        if (group) {
            ASSERT_EQ(::chown(real.c_str(), static_cast<uid_t>(-1), *group), 0);
        }
        WriteBytes(m_csv, csv);
        const Outcome outcome = Zvk({"import", m_csv, "-o", c.path, "--force"});
        ASSERT_EQ(outcome.status, EXIT_OK) << outcome.err;
        EXPECT_EQ(Zvk({"list", real}).out, "1\t布洛芬\tIbuprofen\n");
        struct stat status {};
        ASSERT_EQ(::stat(real.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, c.mode);
        if (group) {
            EXPECT_EQ(status.st_gid, *group);
        }
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_EQ(std::filesystem::read_symlink(link), "shared/ward.zvk");
        EXPECT_TRUE(std::filesystem::is_symlink(linkToLink));
        EXPECT_EQ(m_folder.Entries(),
                  (std::vector<std::string>{"drugs.csv", "latest.zvk", "shared", "ward.zvk"}));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder / "shared"), {}), 1);
    }
}

// What --force does not replace: it names why, and writes nothing.
TEST_F(ZvkImport, ForceRefusesALinkToNothingAndWhatIsNotAFile) {
    const std::string csv = HEADER + "布洛芬,BLF,Ibuprofen,,,,\r\n";
    const std::string dangling = m_folder / "gone.zvk";
    std::filesystem::create_symlink("nowhere.zvk", dangling);
    const std::string folder = m_folder / "folder.zvk";
    std::filesystem::create_directory(folder);

    const struct {
        std::string path;
        std::string err;
    } cases[] = {
        {dangling,
         "zvk: " + dangling + ": cannot follow the symbolic link: No such file or directory\n"},
        {folder, "zvk: " + folder + ": not a regular file; zvk replaces only regular files\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        WriteBytes(m_csv, csv);
        const Outcome outcome = Zvk({"import", m_csv, "-o", c.path, "--force"});
        EXPECT_EQ(outcome.status, EXIT_ERROR);
        EXPECT_EQ(outcome.err, c.err);
    }
    EXPECT_EQ(m_folder.Entries(),
              (std::vector<std::string>{"drugs.csv", "folder.zvk", "gone.zvk"}));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

// --fill-pinyin fills only empty initials; list --sort pinyin orders the same
// records by reading, where GBK order puts 苄 (bian) after 布 (bu).
TEST_F(ZvkImport, FillsEmptyPinyinInitialsAndListsInPinyinOrder) {
    const std::string csv = HEADER +
                            "布洛芬,BLF,Ibuprofen,,,,\r\n"
                            "苄星青霉素,,Benzathine,,,,\r\n"
                            "zantac 150,,Ranitidine,,,,\r\n"
                            "β-内酰胺酶抑制剂,,,,,,\r\n"
                            ",,Aspirin,,,,\r\n"
                            "复方氨基酸注射液18AA,,,,,,\r\n";
    const Outcome outcome = Import(csv, {"--fill-pinyin"});
    ASSERT_EQ(outcome.status, EXIT_OK) << outcome.err;
    EXPECT_EQ(outcome.out,
              "wrote 6 records to " + m_dictionary + "\nfilled the pinyin initials of 4 records\n");
    EXPECT_EQ(Zvk({"export", m_dictionary, "--format", "csv"}).out,
              ExportedCsv({{"布洛芬", "BLF", "Ibuprofen"},
                           {"苄星青霉素", "BXQMS", "Benzathine"},
                           {"zantac 150", "ZANTAC150", "Ranitidine"},
                           {"β-内酰胺酶抑制剂", "NXAMYZJ"},
                           {"", "", "Aspirin"},
                           {"复方氨基酸注射液18AA", "FFAJSZSY18"}}));
    EXPECT_EQ(Zvk({"list", m_dictionary, "--sort", "pinyin"}).out,
              "5\t\tAspirin\n3\tzantac 150\tRanitidine\n4\tβ-内酰胺酶抑制剂\t\n"
              "2\t苄星青霉素\tBenzathine\n1\t布洛芬\tIbuprofen\n6\t复方氨基酸注射液18AA\t\n");

    // Without the option nothing is filled.
    const Outcome plain = Import(csv, {"--force"});
    EXPECT_EQ(plain.out, "wrote 6 records to " + m_dictionary + "\n");
    EXPECT_EQ(Zvk({"export", m_dictionary, "--format", "csv"}).out,
              ExportedCsv({{"布洛芬", "BLF", "Ibuprofen"},
                           {"苄星青霉素", "", "Benzathine"},
                           {"zantac 150", "", "Ranitidine"},
                           {"β-内酰胺酶抑制剂"},
                           {"", "", "Aspirin"},
                           {"复方氨基酸注射液18AA"}}));
}

TEST_F(ZvkImport, AcceptsASpreadsheetsByteOrderMarkAndBareLineFeeds) {
    const Outcome outcome = Import(
        "\xEF\xBB\xBFTradeName,PinyinInitials,EnglishName,OtherNames,Function,Usage,Cautions\n"
        "布洛芬,BLF,Ibuprofen,,,\"a\nb\",\n\n");
    ASSERT_EQ(outcome.status, EXIT_OK) << outcome.err;
    EXPECT_EQ(Zvk({"show", m_dictionary, "1"}).out,
              "[品名]布洛芬\n[英文]Ibuprofen\n\n[用法]\na\nb\n");
}

TEST(ZvkRoundTrip, ExportThenImportKeepsEveryFieldByteForByte) {
    TempFolder folder;
    const std::string original = folder / "original.zvk";
    // Every field at its exact byte limit, in Chinese, full-width and ASCII
    // text, with quotes, commas, line breaks and spaces at either end.
    const std::string function = Repeat("功能，", 32) + "\r\n" + Repeat("Ａ", 3);  // 200 bytes
    std::string usage = "\"quoted\", a\nlone feed, a lone \rreturn ";
    usage += Repeat("x", 200 - static_cast<int>(usage.size()));
    std::string cautions = " ";  // 200 bytes in all
    cautions += Repeat("注意\r\n", 33);
    cautions += " ";
    WriteDictionary(original,
                    {
                        DrugFields{Gbk(Repeat("阿", 10)), "ABCDEFGHIJ", "He said \"a,b\" ok!!!!",
                                   Gbk(Repeat("ＡＢ", 5) + Repeat("别名", 5)), Gbk(function),
                                   Gbk(usage), Gbk(cautions)},
                        Drug({"", "", "Only English", "", "", "", ""}),
                        Drug({"  空格  ", "KG", "", "a,b", "\"", "\r\n", "\t"}),
                    });
    ASSERT_EQ(Gbk(function).size(), 200U);
    ASSERT_EQ(usage.size(), 200U);
    ASSERT_EQ(Gbk(cautions).size(), 200U);

    const Outcome exported = Zvk({"export", original, "--format", "csv"});
    ASSERT_EQ(exported.status, EXIT_OK) << exported.err;
    const std::string csv = folder / "exported.csv";
    WriteBytes(csv, exported.out);
    const std::string copy = folder / "copy.zvk";
    const Outcome imported = Zvk({"import", csv, "-o", copy});
    ASSERT_EQ(imported.status, EXIT_OK) << imported.err;

    // Both files were written by the store from the same texts, so they agree
    // byte for byte only if every field came through unchanged.
    EXPECT_EQ(ReadBytes(copy), ReadBytes(original));
    EXPECT_EQ(Zvk({"export", copy, "--format", "csv"}).out, exported.out);
}

// --safe-csv: what a spreadsheet would take as a formula is exported after an
// apostrophe and imported without it, even text that began with apostrophes;
// every other cell is as export writes it without the option.
TEST(ZvkRoundTrip, SafeCsvGuardsFormulasAndImportTakesThemBack) {
    TempFolder folder;
    const std::string original = folder / "original.zvk";
    WriteDictionary(
        original, {
                      Drug({"=HYPERLINK(\"x\")", "+1", "-2", "@SUM(A1)", "\t表格", "'=A1", "''-"}),
                      Drug({"阿司匹林", "'", "a=b", "'apostrophe", "", "-", "@"}),
                  });
    const Outcome exported = Zvk({"export", original, "--format", "csv", "--safe-csv"});
    ASSERT_EQ(exported.status, EXIT_OK) << exported.err;
    EXPECT_EQ(exported.out,
              ExportedCsv({
                  {"'=HYPERLINK(\"\"x\"\")", "'+1", "'-2", "'@SUM(A1)", "'\t表格", "''=A1", "'''-"},
                  {"阿司匹林", "'", "a=b", "'apostrophe", "", "'-", "'@"},
              }));
    const std::string csv = folder / "safe.csv";
    WriteBytes(csv, exported.out);

    const std::string copy = folder / "copy.zvk";
    const Outcome imported = Zvk({"import", csv, "-o", copy, "--safe-csv"});
    ASSERT_EQ(imported.status, EXIT_OK) << imported.err;
    EXPECT_EQ(ReadBytes(copy), ReadBytes(original));

    // Without the option the apostrophes are text.
    ASSERT_EQ(Zvk({"import", csv, "-o", copy, "--force"}).status, EXIT_OK);
    EXPECT_EQ(Zvk({"list", copy, "--sort", "none"}).out,
              "1\t'=HYPERLINK(\"x\")\t'-2\n2\t阿司匹林\ta=b\n");

    const Outcome json = Zvk({"export", original, "--format", "json", "--safe-csv"});
    EXPECT_EQ(json.status, EXIT_ERROR);
    EXPECT_EQ(json.err,
              "zvk: --safe-csv goes with --format csv\nRun \"zvk export --help\" for usage.\n");
}

}  // namespace
}  // namespace quorbex::zvk::testing
