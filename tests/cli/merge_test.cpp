// zvk diff and zvk merge on real files: their lines, exit statuses and
// conflict reports, the result in place of OURS or in OUT, and the refusals
// that write nothing.
#include <sys/stat.h>
#include <unistd.h>

#include "tests/cli/zvk_test_support.h"

namespace quorbex::zvk::testing {
namespace {

DrugFields Aspirin() {
    return Drug({"阿司匹林", "ASPL", "Aspirin", "", "解热镇痛", "每次0.3g\r\n每日3次", "孕妇慎用"});
}
DrugFields Ibuprofen() {
    return Drug({"布洛芬", "BLF", "Ibuprofen", "", "止痛", "每次0.2g", ""});
}
DrugFields Omeprazole() {
    return Drug({"奥美拉唑", "AMLZ", "Omeprazole", "", "抑酸", "每日1次", ""});
}

DrugFields With(DrugFields fields, Field field, std::string_view utf8) {
    fields[field] = Gbk(utf8);
    return fields;
}

class ZvkVersions : public ::testing::Test {
protected:
    std::string Write(const std::string& name, std::vector<DrugFields> records) {
        const std::string path = m_folder / name;
        WriteDictionary(path, std::move(records));
        return path;
    }
    // The dictionary's drugs, as export writes them.
    std::string Csv(const std::string& path) {
        const Outcome exported = Zvk({"export", path, "--format", "csv"});
        EXPECT_EQ(exported.status, EXIT_OK) << exported.err;
        return exported.out;
    }

    TempFolder m_folder;
    const std::string m_base = Write("base.zvk", {Aspirin(), Ibuprofen(), Omeprazole()});
};

TEST_F(ZvkVersions, DiffNamesEachAddedDeletedAndChangedDrug) {
    const std::string newer =
        Write("new.zvk", {Drug({"青霉素", "QMS", "Penicillin", "", "", "", ""}),
                          With(Aspirin(), Field::Usage, "每次0.5g\r\n每日2次\t饭后"),
                          With(With(Ibuprofen(), Field::Usage, ""), Field::Cautions, "a\\b"),
                          With(Ibuprofen(), Field::Function, "退热")});
    const Outcome outcome = Zvk({"diff", m_base, newer});
    EXPECT_EQ(outcome.status, EXIT_DIFFERENT);
    EXPECT_EQ(outcome.out,
              "~ 阿司匹林: Usage: 每次0.3g\\n每日3次 → 每次0.5g\\n每日2次\\t饭后\n"
              "~ 布洛芬: Usage: 每次0.2g → \n"
              "~ 布洛芬: Cautions:  → a\\\\b\n"
              "- 奥美拉唑\n"
              "+ 青霉素\n"
              "+ 布洛芬 #2\n");
    EXPECT_EQ(outcome.err, "");

    const std::string reordered = Write("reordered.zvk", {Omeprazole(), Aspirin(), Ibuprofen()});
    const Outcome alike = Zvk({"diff", m_base, reordered});
    EXPECT_EQ(alike.status, EXIT_OK);
    EXPECT_EQ(alike.out, "");
}

TEST_F(ZvkVersions, MergeOfDifferentDrugsReplacesOursCleanlyKeepingItsMode) {
    const std::string ours =
        Write("ours.zvk", {Aspirin(), With(Ibuprofen(), Field::Usage, "每次0.4g"), Omeprazole()});
    const std::string theirs =
        Write("theirs.zvk", {With(Aspirin(), Field::Cautions, "孕妇禁用"), Ibuprofen(),
                             Drug({"青霉素", "QMS", "Penicillin", "", "", "", ""})});
    ASSERT_EQ(::chmod(ours.c_str(), 0640), 0);
    const std::vector<std::string> before = m_folder.Entries();

    const Outcome outcome = Zvk({"merge", m_base, ours, theirs});
    EXPECT_EQ(outcome.status, EXIT_OK) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
    const std::string expected = m_folder / "expected.zvk";
    WriteDictionary(expected, {With(Aspirin(), Field::Cautions, "孕妇禁用"),
                               With(Ibuprofen(), Field::Usage, "每次0.4g"),
                               Drug({"青霉素", "QMS", "Penicillin", "", "", "", ""})});
    EXPECT_EQ(ReadBytes(ours), ReadBytes(expected));
    std::filesystem::remove(expected);
    EXPECT_EQ(m_folder.Entries(), before) << "a temporary file was left";
    struct stat status {};
    ASSERT_EQ(::stat(ours.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_F(ZvkVersions, MergeNamesEachConflictAndTakesThePreferredSide) {
    const std::string ours = Write("ours.zvk", {With(Aspirin(), Field::Usage, "ours"),
                                                With(Ibuprofen(), Field::Cautions, "ours")});
    const std::string theirs =
        Write("theirs.zvk", {With(Aspirin(), Field::Usage, "theirs"), Ibuprofen(),
                             With(Omeprazole(), Field::Usage, "theirs")});
    const std::string oursBytes = ReadBytes(ours);
    const struct {
        std::vector<std::string> prefer;
        std::string side;
        std::vector<DrugFields> result;
    } cases[] = {
        {{},
         "ours",
         {With(Aspirin(), Field::Usage, "ours"), With(Ibuprofen(), Field::Cautions, "ours")}},
        {{"--prefer", "theirs"},
         "theirs",
         {With(Aspirin(), Field::Usage, "theirs"), With(Ibuprofen(), Field::Cautions, "ours"),
          With(Omeprazole(), Field::Usage, "theirs")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.side);
        const std::string out = m_folder / ("merged-" + c.side + ".zvk");
        std::vector<std::string> args{"merge", m_base, ours, theirs, "-o", out};
        args.insert(args.end(), c.prefer.begin(), c.prefer.end());
        const Outcome outcome = Zvk(args);
        EXPECT_EQ(outcome.status, EXIT_DIFFERENT);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err,
                  "zvk: conflict: 阿司匹林: Usage: changed in both\n"
                  "zvk: conflict: 奥美拉唑: Usage: deleted in ours, changed in theirs\n"
                  "zvk: 2 drugs in conflict; " +
                      out + " holds " + c.side + " at each\n");
        const std::string expected = m_folder / "expected.zvk";
        WriteDictionary(expected, c.result);
        EXPECT_EQ(Csv(out), Csv(expected));
        EXPECT_EQ(ReadBytes(ours), oursBytes) << "OURS stays as it was with -o";

        const Outcome again = Zvk(args);
        EXPECT_EQ(again.status, EXIT_ERROR);
        EXPECT_EQ(again.err, "zvk: " + out + ": already exists; give --force to replace it\n");
        args.push_back("--force");
        EXPECT_EQ(Zvk(args).status, EXIT_DIFFERENT);
    }
}

TEST_F(ZvkVersions, MergeKeepsTheBytesOfOursWhenTheirsChangedNothing) {
    // Meaningless bytes after a field's text, which a load and save keep.
    std::string plain = Scramble(ReadBytes(m_base));
    const std::size_t padding = RecordOffset(2) + LayoutOf(Field::Usage).offset + 150;
    plain[padding] = 'x';
    const std::string ours = m_folder / "ours.zvk";
    WriteBytes(ours, Scramble(plain));
    const std::string before = ReadBytes(ours);
    const Outcome outcome = Zvk({"merge", m_base, ours, m_base});
    EXPECT_EQ(outcome.status, EXIT_OK) << outcome.err;
    EXPECT_EQ(ReadBytes(ours), before);
}

TEST_F(ZvkVersions, MergeWithAnEmptyBaseJoinsTwoNewDictionaries) {
    const std::string empty = m_folder / "empty";
    WriteBytes(empty, "");  // what git gives as BASE for a file added on both sides
    const std::string ours = Write("ours.zvk", {Aspirin(), Ibuprofen()});
    const std::string theirs = Write("theirs.zvk", {Omeprazole(), Aspirin()});
    const Outcome outcome = Zvk({"merge", empty, ours, theirs});
    EXPECT_EQ(outcome.status, EXIT_OK) << outcome.err;
    const std::string expected = m_folder / "expected.zvk";
    WriteDictionary(expected, {Aspirin(), Ibuprofen(), Omeprazole()});
    EXPECT_EQ(ReadBytes(ours), ReadBytes(expected));
}

TEST_F(ZvkVersions, MergeWritesThroughALinkToItsTarget) {
    std::filesystem::create_directory(m_folder / "shared");
    const std::string target = Write("shared/ward.zvk", {Aspirin()});
    const std::string link = m_folder / "ward.zvk";
    std::filesystem::create_symlink(target, link);
    const std::string theirs = Write("theirs.zvk", {Aspirin(), Ibuprofen()});
    const std::string base = Write("one.zvk", {Aspirin()});
    ASSERT_EQ(Zvk({"merge", base, link, theirs}).status, EXIT_OK);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), ReadBytes(theirs));
}

TEST_F(ZvkVersions, MergeRefusesAResultAboveTheLimitAndWritesNothing) {
    std::vector<DrugFields> oursDrugs;
    std::vector<DrugFields> theirsDrugs;
    for (int i = 0; i < 1001; ++i) {
        oursDrugs.push_back(Drug({"ours " + std::to_string(i), "", "", "", "", "", ""}));
        theirsDrugs.push_back(Drug({"theirs " + std::to_string(i), "", "", "", "", "", ""}));
    }
    const std::string ours = Write("ours.zvk", oursDrugs);
    const std::string theirs = Write("theirs.zvk", theirsDrugs);
    const std::string oursBytes = ReadBytes(ours);
    const std::vector<std::string> before = m_folder.Entries();
    for (const std::vector<std::string>& output :
         {std::vector<std::string>{}, std::vector<std::string>{"-o", m_folder / "out.zvk"}}) {
        std::vector<std::string> args{"merge", m_base, ours, theirs};
        args.insert(args.end(), output.begin(), output.end());
        const Outcome outcome = Zvk(args);
        EXPECT_EQ(outcome.status, EXIT_ERROR);
        EXPECT_EQ(outcome.err,
                  "zvk: the merged dictionary would hold 2002 drugs, more than the 2000 a "
                  "dictionary holds; nothing written\n");
        EXPECT_EQ(ReadBytes(ours), oursBytes);
        EXPECT_EQ(m_folder.Entries(), before);
    }
}

TEST_F(ZvkVersions, BadInputIsRefusedNamingTheFileAndNothingIsWritten) {
    const std::string ours = Write("ours.zvk", {Aspirin()});
    const std::string theirs = Write("theirs.zvk", {Ibuprofen()});
    std::string plain = Scramble(ReadBytes(ours));
    plain[DICT_MAGIC_OFFSET] ^= 0x01;
    WriteBytes(m_folder / "magic.zvk", Scramble(plain));
    WriteBytes(m_folder / "cut.zvk", ReadBytes(m_base).substr(0, DictionaryLength(3) - 1));
    ASSERT_EQ(::mkfifo((m_folder / "fifo.zvk").c_str(), 0600), 0);
    const struct {
        const char* file;
        const char* reason;
    } files[] = {
        {"magic.zvk", "not a dictionary: its magic is 0xEDFA1429, a dictionary's is 0xEDFA1428"},
        {"cut.zvk", "damaged: 2221 bytes long, but its 3 records need 2222 bytes"},
        {"fifo.zvk", "a named pipe (FIFO), not a regular file; zvk reads only regular files"},
        {"missing.zvk", "cannot open: No such file or directory"},
    };
    const std::string oursBytes = ReadBytes(ours);
    const std::vector<std::string> before = m_folder.Entries();
    for (const auto& f : files) {
        const std::string bad = m_folder / f.file;
        const std::vector<std::vector<std::string>> commands{
            {"diff", bad, m_base},
            {"diff", m_base, bad},
            {"merge", bad, ours, theirs},
            {"merge", m_base, ours, bad},
            {"merge", m_base, ours, theirs, "-o", m_folder / "out.zvk", "--prefer", "theirs"},
        };
        for (std::vector<std::string> args : commands) {
            if (args.size() > 4) {
                args[2] = bad;
            }
            SCOPED_TRACE(::testing::PrintToString(args));
            const Outcome outcome = Zvk(args);
            EXPECT_EQ(outcome.status, EXIT_ERROR);
            EXPECT_EQ(outcome.out, "");
            EXPECT_EQ(outcome.err, "zvk: " + bad + ": " + f.reason + "\n");
            EXPECT_EQ(ReadBytes(ours), oursBytes);
            EXPECT_EQ(m_folder.Entries(), before);
        }
    }
}

TEST(ZvkMergeUsage, ExplainsItselfAndRefusesWhatDoesNotFit) {
    const Outcome help = Zvk({"--help"});
    EXPECT_NE(help.out.find("\n  diff OLD NEW\n"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("\n  merge BASE OURS THEIRS "), std::string::npos) << help.out;
    for (const char* command : {"diff", "merge"}) {
        const Outcome own = Zvk({command, "-h"});
        EXPECT_EQ(own.status, EXIT_OK);
        EXPECT_TRUE(own.out.starts_with(std::string("Usage: zvk ") + command + " ")) << own.out;
    }
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"diff", "a.zvk"}, "missing arguments: expected OLD NEW"},
        {{"merge", "a", "b"}, "missing arguments: expected BASE OURS THEIRS"},
        {{"merge", "a", "b", "c", "--prefer", "mine"},
         "--prefer takes ours or theirs, not \"mine\""},
        {{"merge", "a", "b", "c", "--force"}, "--force goes with -o OUT"},
        {{"merge", "a", "b", "c", "-o", ""}, "-o needs a file name, not \"\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const Outcome outcome = Zvk(c.args);
        EXPECT_EQ(outcome.status, EXIT_ERROR);
        EXPECT_TRUE(outcome.err.starts_with(std::string("zvk: ") + c.message)) << outcome.err;
    }
}

}  // namespace
}  // namespace quorbex::zvk::testing
