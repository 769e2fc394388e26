// Cells that a spreadsheet would take as a formula: text that begins with
// =, +, - or @, or with a tab. A dictionary shared by someone else could
// carry one into a colleague's spreadsheet, where it would be evaluated.
// Guarded, such a cell is written after an apostrophe, which spreadsheets
// take as "text follows" and do not show, and it is read back without it.
//
// Apostrophes already at the start of such a cell count as its text: one
// more is written before them and one is taken away, so every text comes
// back as it was, and a spreadsheet shows each as it is stored.
#pragma once

#include <string>
#include <string_view>

namespace quorbex::csv {

enum class FormulaCells {
    Plain,    // every cell written and read as it is
    Guarded,  // a formula's cell written after an apostrophe, read back without it
};

// The cell as it is written: with an apostrophe before a formula's text.
std::string GuardFormula(std::string_view text);
// The text of a cell that GuardFormula wrote; any other cell as it is.
std::string UnguardFormula(std::string_view cell);

}  // namespace quorbex::csv
