// Cells a spreadsheet would take as formulas, guarded by an apostrophe and
// read back without it.
#include "csv/formula_cells.h"

#include <gtest/gtest.h>

namespace quorbex::csv {
namespace {

TEST(FormulaCells, GuardsWhatBeginsAsAFormulaAndGivesEveryTextBack) {
    const struct {
        std::string text;
        std::string cell;
    } cases[] = {
        {"=1+1", "'=1+1"},
        {"+1", "'+1"},
        {"-", "'-"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},
        // Apostrophes before a formula are its text: one more guards them.
        {"'=A1", "''=A1"},
        {"''+", "'''+"},
        // Nothing else changes.
        {"", ""},
        {"'", "'"},
        {"''", "''"},
        {"'text", "'text"},
        {"a=b", "a=b"},
        {" =x", " =x"},
        {"\r\n=x", "\r\n=x"},
        {"阿司匹林", "阿司匹林"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(GuardFormula(c.text), c.cell);
        EXPECT_EQ(UnguardFormula(c.cell), c.text);
    }
    // A formula that no export guarded is read as it is.
    EXPECT_EQ(UnguardFormula("=1+1"), "=1+1");
}

}  // namespace
}  // namespace quorbex::csv
