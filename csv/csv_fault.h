// What is wrong with a drug list, or with records on their way to one, as a
// value: the kind of fault, where it lies (the spreadsheet's row, the
// field), the drug it concerns and its numbers. Each user interface words it
// in its own language; DescribeFault words it in English, as zvk tells it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "store/dictionary_format.h"

namespace quorbex::csv {

struct CsvFault {
    enum class Kind {
        // The text as CSV; reading stops at each of these.
        Quoting,        // a quote inside an unquoted cell, or text after a closing quote
        UnclosedQuote,  // the text ends inside a quoted cell
        TooManyCells,   // a row of more than limit cells
        RowTooLong,     // a row of more than limit bytes
        // The columns.
        Empty,           // the text holds no row at all
        NoFieldNamed,    // the header row names no column as a field
        DuplicateField,  // columns[0] and columns[1] (names) both name field
        NoNameColumn,    // no column holds the trade name nor the English name
        SkippedColumns,  // a warning: columns (names; empty: unnamed) that name no field
        // One row.
        TooManyDrugs,    // the row is one beyond limit, the most a dictionary holds
        CellCount,       // count cells where limit are expected
        HoldsNul,        // field holds a NUL character
        HoldsLineBreak,  // field, a name, holds a tab or a line break
        NotUtf8,         // field holds bytes that are not UTF-8 (the text was read as UTF-8)
        NotGbk,          // field holds bytes that are not GBK text (the text was read as GBK)
        Unencodable,     // field holds character, which GBK cannot represent
        TooLong,         // field is count bytes in GBK, more than its limit
        NoName,          // neither the trade name nor the English name holds anything
        // A record that cannot be exported: field of record number row holds
        // bytes that are not GBK text.
        NotExportable,
    };

    explicit CsvFault(Kind kind, std::size_t row = 0, std::optional<Field> field = std::nullopt)
        : kind(kind), row(row), field(field) {}

    Kind kind;
    // The spreadsheet's row, counted from 1 (the header's), a cell with line
    // breaks in it being one row; 0 where no row is at fault.
    std::size_t row = 0;
    std::optional<Field> field;
    // The row's trade name, or its English name without one, in UTF-8 and
    // fit to be shown on one line (control characters as spaces, a long name
    // cut with "…"); empty when the row has neither or it is unreadable.
    std::string drugName;
    std::size_t count = 0;
    std::size_t limit = 0;
    std::string character;             // UTF-8
    std::vector<std::size_t> columns;  // counted from 1
    std::vector<std::string> names;    // the header's names of those columns, UTF-8

    bool operator==(const CsvFault&) const = default;
};

// The fault in English: "row 10 (奥美拉唑): the English name is 29 bytes in
// GBK, more than 20".
std::string DescribeFault(const CsvFault& fault);

// A name as a fault shows it: UTF-8 text (nothing when it is not), on one
// line and at most a few characters long.
std::string ShownName(std::string_view utf8);

}  // namespace quorbex::csv
