// import: its refusals, each naming line and field, its care for existing
// files, and the export -> import round trip.
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

TEST_F(ZvkImport, RefusesEveryFaultNamingItsLineAndFieldAndWritesNothing) {
    const std::string good = "布洛芬,BLF,Ibuprofen,,,,\r\n";
    const struct {
        std::string csv;
        std::string problem;
    } cases[] = {
        // Limits count GBK bytes: a Chinese character takes two.
        {HEADER + Repeat("阿", 11) + ",,,,,,\r\n",
         "line 2, field TradeName: 22 bytes in GBK, more than the field's 20"},
        {HEADER + "x," + Repeat("A", 11) + ",,,,,\r\n",
         "line 2, field PinyinInitials: 11 bytes in GBK, more than the field's 10"},
        {HEADER + ",," + Repeat("e", 21) + ",,,,\r\n",
         "line 2, field EnglishName: 21 bytes in GBK, more than the field's 20"},
        {HEADER + "x,,," + Repeat("别", 20) + "a,,,\r\n",
         "line 2, field OtherNames: 41 bytes in GBK, more than the field's 40"},
        {HEADER + "x,,,," + Repeat("功", 101) + ",,\r\n",
         "line 2, field Function: 202 bytes in GBK, more than the field's 200"},
        {HEADER + "x,,,,," + Repeat("u", 201) + ",\r\n",
         "line 2, field Usage: 201 bytes in GBK, more than the field's 200"},
        // A line break inside a field is stored as its two bytes.
        {HEADER + "x,,,,,,\"" + Repeat("禁", 99) + "\r\nx\"\r\n",
         "line 2, field Cautions: 201 bytes in GBK, more than the field's 200"},
        {HEADER + good + "x,,,表情😀,,,\r\n",
         "line 3, field OtherNames: holds \"😀\" (U+1F600), which GBK cannot represent"},
        // Bytes that are not UTF-8 make the text GBK, which they are not either.
        {HEADER + "x,,,,\xFF\xFE,,\r\n",
         "line 2, field Function: holds bytes that are not GBK text"},
        {HEADER + "x,,,,,a" + std::string(1, '\0') + "b,\r\n",
         "line 2, field Usage: holds a NUL character"},
        {HEADER + "\"two\r\nlines\",,,,,,\r\n",
         "line 2, field TradeName: holds a tab or a line break, which a name cannot hold"},
        {HEADER + "x,,\"Tab\tbed\",,,,\r\n",
         "line 2, field EnglishName: holds a tab or a line break, which a name cannot hold"},
        {HEADER + good + ",PY,,other,,,\r\n",
         "line 3, fields TradeName and EnglishName: both empty, a record needs at least one of "
         "them"},
        {HEADER + good + "x,,,,,\r\n", "line 3: 6 fields, a record has 7"},
        {HEADER + "x,,,,,,,\r\n",
         "line 2: more than 7 fields, a record has 7; reading stopped here"},
        {HEADER + good + "x,,,,\"" + Repeat("长", 40000) + "\",,\r\n",
         "line 3: a record of more than 65536 bytes, far more than any drug record holds; "
         "reading stopped here"},
        // The record on lines 2 and 3 holds a line break; the fault lies on line 4.
        {HEADER + "x,,,,\"one\r\ntwo\",,\r\n" + Repeat("阿", 11) + ",,,,,,\r\n",
         "line 4, field TradeName: 22 bytes in GBK, more than the field's 20"},
        {HEADER + good + "x,\"B\"LF,,,,,\r\n",
         "line 3: a quote inside an unquoted field, or text after a closing quote"},
        {HEADER + good + "x,B\"LF,,,,,\r\n",
         "line 3: a quote inside an unquoted field, or text after a closing quote"},
        {HEADER + good + "x,,,,\"never closed,,\r\n" + good,
         "line 3: a quoted field is not closed"},
        {"TradeName,Pinyin,EnglishName,OtherNames,Function,Usage,Cautions\r\n" + good,
         "line 1: the header row must be "
         "TradeName,PinyinInitials,EnglishName,OtherNames,Function,Usage,Cautions"},
        {good, "line 1: the header row must be"},
        {"", "line 1: the header row must be"},
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
        Import(HEADER + ",,,,,,\r\n" + "x," + Repeat("A", 11) + ",,😀,,,\r\n" + "ok,,,,,,\r\n");
    EXPECT_EQ(outcome.status, EXIT_ERROR);
    const std::string where = "zvk: " + m_csv + ": ";
    EXPECT_EQ(outcome.err,
              where + "line 2, fields TradeName and EnglishName: both empty, a record needs at " +
                  "least one of them\n" + where +
                  "line 3, field PinyinInitials: 11 bytes in GBK, more than the field's 10\n" +
                  where +
                  "line 3, field OtherNames: holds \"😀\" (U+1F600), which GBK cannot represent\n" +
                  "zvk: nothing written to " + m_dictionary + "\n");
}

TEST_F(ZvkImport, NamesTheFirstTwentyFaultsThenHowManyMore) {
    const Outcome outcome = Import(HEADER + Repeat(",,,,,,\r\n", 2000));
    EXPECT_EQ(outcome.status, EXIT_ERROR);
    std::string expected;
    for (int line = 2; line <= 21; ++line) {
        expected += "zvk: " + m_csv + ": line " + std::to_string(line) +
                    ", fields TradeName and EnglishName: both empty, a record needs at least one "
                    "of them\n";
    }
    expected += "zvk: " + m_csv + ": 1980 more faults not shown\n";
    expected += "zvk: nothing written to " + m_dictionary + "\n";
    EXPECT_EQ(outcome.err, expected);
}

TEST_F(ZvkImport, StopsReadingAtTheFirstRowOfMoreThanSevenFields) {
    // One line of commas: nothing after the eighth field is read or held.
    const Outcome outcome = Import(HEADER + Repeat(",", 100000) + "\r\n" + ",,,,,,\r\n");
    EXPECT_EQ(outcome.status, EXIT_ERROR);
    EXPECT_EQ(outcome.err, "zvk: " + m_csv +
                               ": line 2: more than 7 fields, a record has 7; reading stopped "
                               "here\nzvk: nothing written to " +
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
                                     ": line 2002: more than 2000 records, the most a "
                                     "dictionary holds\n"))
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
    const Outcome faulty = Import(HEADER + ",,,,,,\r\n", {"--force"});
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
    const std::string cautions = " " + Repeat("注意\r\n", 33) + " ";  // 200 bytes
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
