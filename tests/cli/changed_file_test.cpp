// A dictionary that another program cuts short or lengthens while zvk reads
// it. zvk says the file changed; a reader that mapped the file would be
// killed by SIGBUS instead, so the reading runs in a child process, where
// that signal fails the test rather than ending it.
#include <unistd.h>

#include <fstream>

#include "cli/command_error.h"
#include "cli/dictionary_io.h"
#include "cli/input_file.h"
#include "tests/cli/zvk_test_support.h"
#include "tests/support/child_process.h"

namespace quorbex::zvk::testing {
namespace {

using quorbex::testing::ChildOutcome;
using quorbex::testing::RunInChild;

// Opens path as zvk does, lets change act on the file, then loads what is
// there; answers the message the load gave, or "" when it gave none.
std::string LoadAfter(const std::string& path, const std::function<void(InputFile&)>& change) {
    InputFile file(path);
    change(file);
    RecordStore store;
    try {
        LoadDictionary(file, store);
    } catch (const CommandError& error) {
        return error.what();
    }
    return "";
}

TEST(ZvkChangedFile, ADictionaryChangedWhileReadIsRefusedNamingTheCause) {
    TempFolder folder;
    const std::string path = folder / "ward.zvk";
    const std::string changed =
        path + ": changed while zvk was reading it; try again once nothing writes to it";
    const struct {
        const char* name;
        std::function<void(InputFile&)> change;
    } cases[] = {
        {"cut short after it was opened",
         [&](InputFile&) { ASSERT_EQ(::truncate(path.c_str(), 1000), 0); }},
        {"cut short after its first 64 KiB were read",
         [&](InputFile& file) {
             std::string start(64 * 1024, '\0');
             ASSERT_EQ(file.Read(start.data(), start.size()), start.size());
             ASSERT_EQ(::truncate(path.c_str(), 70000), 0);
         }},
        {"lengthened after it was opened",
         [&](InputFile&) { std::ofstream(path, std::ios::app | std::ios::binary) << "more"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteDictionary(path, std::vector<DrugFields>(
                                  2000, Drug({"布洛芬", "BLF", "Ibuprofen", "", "", "", ""})));
        const ChildOutcome outcome = RunInChild([&] {
            EXPECT_EQ(LoadAfter(path, c.change), changed);
            return ::testing::Test::HasFailure() ? 1 : 0;
        });
        EXPECT_TRUE(outcome.exited) << "killed by signal " << outcome.signal;
        EXPECT_EQ(outcome.status, 0);
    }

    // A file left alone loads, cut short or not.
    EXPECT_EQ(LoadAfter(path, [](InputFile&) {}), "");
}

}  // namespace
}  // namespace quorbex::zvk::testing
