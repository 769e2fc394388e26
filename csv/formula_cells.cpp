#include "csv/formula_cells.h"

namespace quorbex::csv {

namespace {

constexpr std::string_view FORMULA_STARTS = "=+-@\t";

// Whether text, after any apostrophes it begins with, begins as a formula.
bool FormulaAfterApostrophes(std::string_view text) {
    const std::size_t start = text.find_first_not_of('\'');
    return start != std::string_view::npos &&
           FORMULA_STARTS.find(text[start]) != std::string_view::npos;
}

}  // namespace

std::string GuardFormula(std::string_view text) {
    if (!FormulaAfterApostrophes(text)) {
        return std::string(text);
    }
    std::string guarded = "'";
    guarded += text;
    return guarded;
}

std::string UnguardFormula(std::string_view cell) {
    if (cell.starts_with('\'') && FormulaAfterApostrophes(cell)) {
        cell.remove_prefix(1);
    }
    return std::string(cell);
}

}  // namespace quorbex::csv
