// zvk as a whole process: a file-size limit, a limit of its memory and its
// peak memory, which only a child process of its own shows; its output on a
// terminal; its help and version on a machine without a display.
#include <fcntl.h>
#include <termios.h>

#include <cstdlib>
#include <fstream>

#include "tests/cli/zvk_test_support.h"
#include "tests/support/child_process.h"

namespace quorbex::zvk::testing {
namespace {

using quorbex::testing::ChildOutcome;
using quorbex::testing::RunProgram;

const std::string HEADER =
    "TradeName,PinyinInitials,EnglishName,OtherNames,Function,Usage,Cautions\r\n";

std::string Rows(int count) {
    std::string rows;
    for (int i = 1; i <= count; ++i) {
        rows += "Drug " + std::to_string(i) + ",,,,,,\r\n";
    }
    return rows;
}

TEST(ZvkProcess, HelpAndVersionPrintToTheStandardOutputWithoutADisplay) {
    const quorbex::testing::ChildOptions headless{.unset = {"DISPLAY", "WAYLAND_DISPLAY"}};
    const ChildOutcome version = RunProgram(ZVK_PROGRAM, {"--version"}, headless);
    EXPECT_EQ(version.status, EXIT_OK);
    EXPECT_EQ(version.out, "zvk " QUORBEX_VERSION "\n");
    EXPECT_EQ(version.err, "");
    const ChildOutcome help = RunProgram(ZVK_PROGRAM, {"--help"}, headless);
    EXPECT_EQ(help.status, EXIT_OK);
    EXPECT_TRUE(help.out.starts_with("Usage: zvk COMMAND")) << help.out;
    EXPECT_EQ(help.err, "");
}

TEST(ZvkProcess, AWritePastAFileSizeLimitFailsAndLeavesTheOldFile) {
    TempFolder folder;
    const std::string csv = folder / "drugs.csv";
    const std::string dictionary = folder / "drugs.zvk";
    WriteBytes(csv, HEADER + Rows(40));  // a dictionary of 28,048 bytes
    WriteDictionary(dictionary, {Drug({"布洛芬", "BLF", "Ibuprofen", "", "", "", ""})});
    const std::string before = ReadBytes(dictionary);

    const ChildOutcome outcome =
        RunProgram(ZVK_PROGRAM, {"import", csv, "-o", dictionary, "--force"}, {.fileSize = 4096});
    ASSERT_TRUE(outcome.exited) << ::testing::PrintToString(outcome);
    EXPECT_EQ(outcome.status, EXIT_ERROR);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err,
              "zvk: " + dictionary + ": cannot write the new dictionary: File too large\n");
    EXPECT_EQ(ReadBytes(dictionary), before);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"drugs.csv", "drugs.zvk"}));

    // With room for it the same import goes through.
    const ChildOutcome roomy =
        RunProgram(ZVK_PROGRAM, {"import", csv, "-o", dictionary, "--force"}, {.fileSize = 65536});
    EXPECT_EQ(roomy.status, EXIT_OK) << ::testing::PrintToString(roomy);
    EXPECT_EQ(ReadBytes(dictionary).size(), DictionaryLength(40));
}

// Writes piece count times after head, without holding the whole text.
void WriteRepeated(const std::string& path, const std::string& head, const std::string& piece,
                   std::size_t count, const std::string& tail = "") {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << head;
    for (std::size_t i = 0; i < count; ++i) {
        file << piece;
    }
    file << tail;
}

TEST(ZvkProcess, ImportHoldsLittleBeyondTheDictionaryWhateverTheCsv) {
    TempFolder folder;
    const std::string csv = folder / "drugs.csv";
    const std::string dictionary = folder / "drugs.zvk";
    // Under AddressSanitizer freed memory is held back for a while, to catch
    // its later use; it would count here as zvk's own.
    const char* sanitizerOptions = std::getenv("ASAN_OPTIONS");
    const quorbex::testing::ChildOptions options{
        .environment = {"ASAN_OPTIONS=" +
                        (sanitizerOptions != nullptr ? std::string(sanitizerOptions) + ":" : "") +
                        "quarantine_size_mb=0"}};
    // A full dictionary of records: what import needs to build one.
    WriteBytes(csv, HEADER + Rows(2000));
    const ChildOutcome full = RunProgram(ZVK_PROGRAM, {"import", csv, "-o", dictionary}, options);
    ASSERT_EQ(full.status, EXIT_OK) << ::testing::PrintToString(full);
    const long mostKb = full.peakMemoryKb + 64 * 1024;

    // Each of these is 80 MB, more than the bound, and faulty.
    constexpr std::size_t MB = 1024 * 1024;
    const std::string row = "x,,,,," + std::string(40 * 1024, 'u') + ",\r\n";
    const struct {
        const char* name;
        std::function<void()> write;
    } cases[] = {
        {"one line of commas", [&] { WriteRepeated(csv, "", std::string(MB, ','), 80); }},
        {"one quoted field", [&] { WriteRepeated(csv, HEADER + "\"", std::string(MB, 'x'), 80); }},
        {"2001 rows of overlong fields",
         [&] { WriteRepeated(csv, HEADER, row, 80 * MB / row.size()); }},
        {"empty lines", [&] { WriteRepeated(csv, HEADER, std::string(MB, '\n'), 80, ",P,,,,,"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.write();
        const ChildOutcome outcome =
            RunProgram(ZVK_PROGRAM, {"import", csv, "-o", dictionary, "--force"}, options);
        EXPECT_EQ(outcome.status, EXIT_ERROR) << ::testing::PrintToString(outcome);
        EXPECT_LE(outcome.peakMemoryKb, mostKb)
            << "a full dictionary took " << full.peakMemoryKb << " KB";
    }
}

// Runs zvk with its standard output on a new pseudo-terminal (in raw mode,
// so that line feeds reach the test as they are) and answers what it wrote.
std::string RunOnTerminal(const std::vector<std::string>& args) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    const int slave = master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0
                          ? -1
                          : ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    if (slave < 0 || ::tcgetattr(slave, &mode) != 0) {
        ADD_FAILURE() << "no pseudo-terminal";
        return "";
    }
    ::cfmakeraw(&mode);
    ::tcsetattr(slave, TCSANOW, &mode);
    std::vector<char*> argv{const_cast<char*>(ZVK_PROGRAM)};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(slave, STDOUT_FILENO);
        ::execv(ZVK_PROGRAM, argv.data());
        _exit(127);
    }
    ::close(slave);
    // Reading ends with EIO once the child, the last to hold the terminal,
    // has ended and all it wrote is read.
    std::string out;
    char buffer[4096];
    for (ssize_t got; (got = ::read(master, buffer, sizeof buffer)) > 0;) {
        out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(master);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == EXIT_OK) << "status " << status;
    return out;
}

// zvk itself tells a terminal from a pipe.
TEST(ZvkProcess, EscapesControlCharactersOnlyWhenItsOutputIsATerminal) {
    TempFolder folder;
    const std::string path = folder / "shared.zvk";
    WriteDictionary(path, {Drug({"阿\x1b[2J司", "", "Red\x1b[31m", "", "", "", ""})});
    EXPECT_EQ(RunOnTerminal({"list", path}), "1\t阿\\033[2J司\tRed\\033[31m\n");
    EXPECT_EQ(RunProgram(ZVK_PROGRAM, {"list", path}).out, "1\t阿\x1b[2J司\tRed\x1b[31m\n");
}

// AddressSanitizer reserves far more address space than any limit here.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool ADDRESS_SPACE_LIMITS_WORK = false;
#else
constexpr bool ADDRESS_SPACE_LIMITS_WORK = true;
#endif

// Every command on a full dictionary of long texts, under limits of its
// address space from the least with which zvk starts upward: each run does
// its whole work, or says "zvk: out of memory" with status 2 and, for
// import, leaves the old dictionary as it was.
TEST(ZvkProcess, EveryCommandShortOfMemorySaysSo) {
    if (!ADDRESS_SPACE_LIMITS_WORK) {
        GTEST_SKIP() << "built with AddressSanitizer";
    }
    TempFolder folder;
    const std::string dictionary = folder / "full.zvk";
    const std::string csv = folder / "full.csv";
    const std::string imported = folder / "imported.zvk";
    WriteDictionary(dictionary, std::vector<DrugFields>(
                                    DICT_MAX_RECORDS,
                                    Drug({"阿司匹林肠溶片", "ASPL", "Aspirin", "乙酰水杨酸",
                                          std::string(200, 'f'), "口服" + std::string(196, 'u'),
                                          std::string(100, 'c')})));
    const ChildOutcome exported =
        RunProgram(ZVK_PROGRAM, {"export", dictionary, "--format", "csv"});
    ASSERT_EQ(exported.status, EXIT_OK) << ::testing::PrintToString(exported);
    WriteBytes(csv, exported.out);
    WriteDictionary(imported, {Drug({"布洛芬", "BLF", "Ibuprofen", "", "", "", ""})});
    const std::string oldImported = ReadBytes(imported);
    const std::string newImported = ReadBytes(dictionary);

    const std::vector<std::vector<std::string>> commands{
        {"export", dictionary, "--format", "json"},
        {"export", dictionary, "--format", "csv"},
        {"list", dictionary},
        {"search", dictionary, "阿司"},
        {"show", dictionary, "2000"},
        {"check", dictionary},
        {"import", csv, "-o", imported, "--force"},
    };
    std::vector<ChildOutcome> unlimited;
    for (const auto& command : commands) {
        unlimited.push_back(RunProgram(ZVK_PROGRAM, command));
        ASSERT_EQ(unlimited.back().status, EXIT_OK) << ::testing::PrintToString(unlimited.back());
    }

    // Below this the system cannot even load the program.
    constexpr rlim_t STEP = 512 * 1024;
    rlim_t least = 2 * 1024 * 1024;
    while (RunProgram(ZVK_PROGRAM, {"--help"}, {.addressSpace = least}).status != EXIT_OK) {
        least += STEP;
        ASSERT_LT(least, 64U * 1024 * 1024) << "zvk --help does not run in 64 MiB";
    }

    // Each command runs until it has completed at two limits in a row.
    std::vector<bool> ranShort(commands.size(), false);
    std::vector<int> completedInARow(commands.size(), 0);
    for (rlim_t limit = least; limit < least + 16 * 1024 * 1024; limit += STEP) {
        for (std::size_t i = 0; i < commands.size(); ++i) {
            if (completedInARow[i] == 2) {
                continue;
            }
            const bool importing = commands[i][0] == "import";
            if (importing) {
                WriteBytes(imported, oldImported);
            }
            const ChildOutcome outcome =
                RunProgram(ZVK_PROGRAM, commands[i], {.addressSpace = limit});
            SCOPED_TRACE(commands[i][0] + " " + commands[i].back() + " in " +
                         std::to_string(limit / 1024) +
                         " KiB: " + ::testing::PrintToString(outcome));
            const bool completed = outcome.exited && outcome.status == EXIT_OK;
            completedInARow[i] = completed ? completedInARow[i] + 1 : 0;
            if (completed) {
                EXPECT_TRUE(outcome.out == unlimited[i].out) << "not the whole output";
                EXPECT_EQ(outcome.err, "");
            } else {
                ranShort[i] = true;
                EXPECT_TRUE(outcome.exited);
                EXPECT_EQ(outcome.status, EXIT_ERROR);
                EXPECT_EQ(outcome.err, "zvk: out of memory\n");
            }
            if (importing) {
                EXPECT_TRUE(ReadBytes(imported) == (completed ? newImported : oldImported))
                    << (completed ? "not every record was imported"
                                  : "the old dictionary was changed");
            }
        }
    }
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"full.csv", "full.zvk", "imported.zvk"}));
    // The limits reached from too little for each command to enough.
    for (std::size_t i = 0; i < commands.size(); ++i) {
        EXPECT_TRUE(ranShort[i]) << commands[i][0] << " never ran out of memory";
        EXPECT_EQ(completedInARow[i], 2) << commands[i][0] << " ran out at the highest limits";
    }
}

}  // namespace
}  // namespace quorbex::zvk::testing
