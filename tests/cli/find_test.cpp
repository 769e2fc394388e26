// zvk find: its lines and exit statuses in-process, and the real program run
// as a script would run it, bad queries included.
#include "tests/cli/zvk_test_support.h"
#include "tests/support/child_process.h"

namespace quorbex::zvk::testing {
namespace {

using quorbex::testing::ChildOutcome;
using quorbex::testing::RunProgram;

class ZvkFind : public ::testing::Test {
protected:
    void SetUp() override {
        WriteDictionary(m_path,
                        {
                            Drug({"阿莫西林克拉维酸钾片", "", "Amoclav", "", "", "", ""}),
                            Drug({"阿莫西林胶囊", "AMXLJN", "Amoxicillin", "阿莫仙", "", "", ""}),
                            Drug({"布洛芬", "BLF", "Ibuprofen", "", "头痛", "", ""}),
                            Drug({"丹参片", "", "", "", "", "", ""}),
                        });
    }

    TempFolder m_folder;
    const std::string m_path = m_folder / "drugs.zvk";
};

TEST_F(ZvkFind, ListsTheHitsBestFirstAndSuggestsOnAMiss) {
    const struct {
        std::vector<std::string> args;  // after FILE
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{"amoxicillin"}, EXIT_OK, "2\t阿莫西林胶囊\tAmoxicillin\n", ""},
        {{"ＡＭＯＸ"},
         EXIT_OK,
         "2\t阿莫西林胶囊\tAmoxicillin\n1\t阿莫西林克拉维酸钾片\tAmoclav\n",
         ""},
        {{"xilin"},
         EXIT_OK,
         "2\t阿莫西林胶囊\tAmoxicillin\n1\t阿莫西林克拉维酸钾片\tAmoclav\n",
         ""},
        {{"xilin", "--limit", "1"}, EXIT_OK, "2\t阿莫西林胶囊\tAmoxicillin\n", ""},
        {{"--limit=5", "danshen"}, EXIT_OK, "4\t丹参片\t\n", ""},
        // The function is not searched.
        {{"头痛"}, EXIT_NOT_FOUND, "", ""},
        {{"amoxicilin"},
         EXIT_NOT_FOUND,
         "",
         "did you mean: 阿莫西林胶囊 (Amoxicillin)\n"
         "did you mean: 阿莫西林克拉维酸钾片 (Amoclav)\n"},
        {{"ibuprofin"}, EXIT_NOT_FOUND, "", "did you mean: 布洛芬 (Ibuprofen)\n"},
        {{"danshan"}, EXIT_NOT_FOUND, "", "did you mean: 丹参片\n"},
        {{"zzzzzz"}, EXIT_NOT_FOUND, "", ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"find", m_path};
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        const Outcome outcome = Zvk(args);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.out, c.out);
        EXPECT_EQ(outcome.err, c.err);
    }
}

TEST_F(ZvkFind, RefusesQueriesItCannotTakeAndBadLimits) {
    const struct {
        std::vector<std::string> args;  // after FILE
        const char* message;
    } cases[] = {
        {{""}, "zvk: QUERY is empty or only spaces\n"},
        {{"  　 "}, "zvk: QUERY is empty or only spaces\n"},
        {{std::string(10000, 'a')},
         "zvk: QUERY is longer than 200 bytes in GBK, more than any field holds\n"},
        {{"x", "--limit", "0"}, "zvk: --limit takes a number of lines from 1 up, not \"0\"\n"},
        {{"x", "--limit", "-3"}, "zvk: --limit takes a number of lines from 1 up, not \"-3\"\n"},
        {{"x", "--limit", "two"}, "zvk: --limit takes a number of lines from 1 up, not \"two\"\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"find", m_path};
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(::testing::PrintToString(args).substr(0, 200));
        const Outcome outcome = Zvk(args);
        EXPECT_EQ(outcome.status, EXIT_ERROR);
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(outcome.err.starts_with(c.message)) << outcome.err;
    }
    const Outcome emoji = Zvk({"find", m_path, "阿😀"});
    EXPECT_EQ(emoji.status, EXIT_ERROR);
    EXPECT_EQ(emoji.err, "zvk: the query holds \"😀\" (U+1F600), which GBK cannot represent\n");
}

TEST_F(ZvkFind, RunsAsAProgram) {
    const ChildOutcome hit = RunProgram(ZVK_PROGRAM, {"find", m_path, "amxl"});
    ASSERT_TRUE(hit.exited) << ::testing::PrintToString(hit);
    EXPECT_EQ(hit.status, EXIT_OK);
    EXPECT_EQ(hit.out, "2\t阿莫西林胶囊\tAmoxicillin\n1\t阿莫西林克拉维酸钾片\tAmoclav\n");
    EXPECT_EQ(hit.err, "");

    const ChildOutcome miss = RunProgram(ZVK_PROGRAM, {"find", m_path, "ibpurofen"});
    EXPECT_EQ(miss.status, EXIT_NOT_FOUND) << ::testing::PrintToString(miss);
    EXPECT_EQ(miss.out, "");
    EXPECT_EQ(miss.err, "did you mean: 布洛芬 (Ibuprofen)\n");

    // A long paste is refused at once, whatever it holds.
    std::string pasted;
    for (int i = 0; i < 10000; ++i) {
        pasted += "阿";
    }
    const ChildOutcome longQuery = RunProgram(ZVK_PROGRAM, {"find", m_path, pasted});
    EXPECT_EQ(longQuery.status, EXIT_ERROR) << ::testing::PrintToString(longQuery);
    EXPECT_EQ(longQuery.out, "");

    const ChildOutcome blank = RunProgram(ZVK_PROGRAM, {"find", m_path, " "});
    EXPECT_EQ(blank.status, EXIT_ERROR) << ::testing::PrintToString(blank);
    EXPECT_NE(blank.err.find("QUERY is empty or only spaces"), std::string::npos);
}

}  // namespace
}  // namespace quorbex::zvk::testing
