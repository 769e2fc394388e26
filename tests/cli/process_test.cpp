// zvk as a whole process: a file-size limit and its peak memory, which only
// a child process of its own shows; its help and version on a machine
// without a display.
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

}  // namespace
}  // namespace quorbex::zvk::testing
