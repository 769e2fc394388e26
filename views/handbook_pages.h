// Where the pages of a handbook's drug section break: its text is laid out
// as one long column of lines, and the pages cut it between lines, never
// between a drug's heading and the first line under it, and never inside
// one line. A page that starts inside a drug has less room, for the
// heading that names the drug it continues.
#pragma once

#include <cstddef>
#include <vector>

namespace quorbex {

struct HandbookLine {
    double top;
    double bottom;
    std::size_t drug;   // the index of the drug whose text holds the line
    bool startsDrug;    // the first line of the drug's heading
    bool mayStartPage;  // a page may begin with this line
};

struct HandbookPage {
    std::size_t firstLine;  // the page holds lines firstLine to endLine - 1
    std::size_t endLine;
    bool continued;  // it starts inside a drug begun on the page before
};

// Cuts lines (in order, top to bottom) into pages of height pageHeight,
// or pageHeight - continuedHeight where a page continues a drug. A page
// ends before the last line that may start one and still fits; where none
// does, as many lines as fit (at least one) make the page.
std::vector<HandbookPage> BreakIntoPages(const std::vector<HandbookLine>& lines, double pageHeight,
                                         double continuedHeight);

}  // namespace quorbex
