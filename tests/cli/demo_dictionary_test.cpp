// The demonstration dictionary that the build makes from samples/drugs.csv.
#include "tests/cli/zvk_test_support.h"

namespace quorbex::zvk::testing {
namespace {

TEST(DemoDictionary, IsSoundAndListsTheSampleDrugs) {
    const Outcome check = Zvk({"check", DEMO_DICTIONARY});
    EXPECT_EQ(check.status, EXIT_OK) << check.err;

    const Outcome list = Zvk({"list", DEMO_DICTIONARY});
    ASSERT_EQ(list.status, EXIT_OK) << list.err;
    const auto lines = std::count(list.out.begin(), list.out.end(), '\n');
    EXPECT_GE(lines, 35);
    EXPECT_LE(lines, 50);
    EXPECT_NE(list.out.find("\t阿司匹林\tAspirin\n"), std::string::npos);
}

}  // namespace
}  // namespace quorbex::zvk::testing
