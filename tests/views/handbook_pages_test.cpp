// Where a handbook's pages break: never after a heading, never inside a
// line, with less room on a page that goes on with a drug.
#include <gtest/gtest.h>

#include "views/handbook_pages.h"

namespace quorbex {
namespace {

// Drugs of the given numbers of lines of text, each under a one-line
// heading; every line 10 high, with 5 more above each heading but the first.
std::vector<HandbookLine> Column(const std::vector<int>& textLines) {
    std::vector<HandbookLine> lines;
    double y = 0;
    for (std::size_t drug = 0; drug < textLines.size(); ++drug) {
        y += drug == 0 ? 0 : 5;
        lines.push_back({y, y + 10, drug, true, true});
        y += 10;
        for (int i = 0; i < textLines[drug]; ++i) {
            lines.push_back({y, y + 10, drug, false, i > 0});
            y += 10;
        }
    }
    return lines;
}

struct Expected {
    std::size_t first;
    std::size_t end;
    bool continued;
};

void ExpectPages(const std::vector<HandbookPage>& pages, const std::vector<Expected>& expected) {
    ASSERT_EQ(pages.size(), expected.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pages[i].firstLine, expected[i].first);
        EXPECT_EQ(pages[i].endLine, expected[i].end);
        EXPECT_EQ(pages[i].continued, expected[i].continued);
    }
}

TEST(HandbookPages, AHeadingGoesOverWithTheFirstLineUnderIt) {
    // Drug 0 takes lines 0-2 (30 high); drug 1's heading (line 3, 35 to 45)
    // would fit a page of 50, its first line (45 to 55) not: the page ends
    // before the heading.
    ExpectPages(BreakIntoPages(Column({2, 2}), 50, 20), {{0, 3, false}, {3, 6, false}});
}

TEST(HandbookPages, APageThatGoesOnWithADrugHasLessRoom) {
    // Six lines of text: 50 high holds the heading and four of them; the
    // next page, which continues the drug, holds 50 - 20 = 30.
    ExpectPages(BreakIntoPages(Column({6, 1}), 50, 20),
                {{0, 5, false}, {5, 7, true}, {7, 9, false}});
}

TEST(HandbookPages, ADrugTallerThanAPageBreaksBetweenItsLines) {
    ExpectPages(BreakIntoPages(Column({9}), 40, 10), {{0, 4, false}, {4, 7, true}, {7, 10, true}});
}

TEST(HandbookPages, ALineTallerThanAPageStillGetsOne) {
    const std::vector<HandbookLine> lines{{0, 100, 0, true, true}, {100, 110, 0, false, true}};
    ExpectPages(BreakIntoPages(lines, 50, 0), {{0, 1, false}, {1, 2, true}});
    EXPECT_TRUE(BreakIntoPages({}, 50, 0).empty());
}

}  // namespace
}  // namespace quorbex
