// Drug records as CSV text (UTF-8 or GBK). Written: a header row of the
// seven field names, then one row per record with the fields in file order.
// Read: a spreadsheet's list, its columns in any order, named by its header
// row in Chinese or English, or given.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "csv/csv_text.h"
#include "csv/fault_list.h"
#include "csv/formula_cells.h"
#include "csv/text_encoding.h"
#include "store/drug_fields.h"

namespace quorbex::csv {

// How the columns of a drug list are told apart.
struct CsvColumns {
    // The first row that is not empty is a header row, which names the
    // columns; without one every row is a drug.
    bool headerRow = true;
    // The field of each column, nothing for a column to skip. When empty, the
    // header row's names tell them (csv/column_names.h) or, without a header
    // row, the columns are the seven fields in their file order.
    std::vector<std::optional<Field>> fields;
};

// Reads drug records from CSV text given in pieces, converted to GBK and
// ready to be stored. Each fault that keeps the text from becoming a
// dictionary is added to Faults, naming its row, the drug and, where one is
// at fault, the field: malformed CSV; a header row that names no field, or
// one field twice, or neither name; a row of other than the columns' number
// of cells (empty cells after the last column do not count); a NUL, a
// character GBK cannot represent, a field longer than its byte limit, a row
// whose trade and English names are both empty. Rows whose every cell is
// empty or blank are skipped; so are the columns that name no field, which
// Warnings names. Reading stops at the first row past the most a dictionary
// holds, at the first row of more cells or more text than any drug list
// needs, at malformed CSV and at a header it cannot use; it never holds more
// than the records it keeps and the one it is reading.
//
// The text is UTF-8, where a byte order mark at its start is skipped, or GBK,
// whose bytes need no conversion; the CSV's quotes, commas and line breaks
// are the same bytes in both, and no GBK trail byte is one of them.
class DrugCsvReader {
public:
    // Auto stands for Utf8 here: the encoding must be known before reading.
    // Guarded cells lose the apostrophe that guards a formula before any
    // check.
    explicit DrugCsvReader(TextEncoding encoding = TextEncoding::Utf8, CsvColumns columns = {},
                           FormulaCells formulas = FormulaCells::Plain);

    // Reads the next piece of text; false once reading has stopped.
    bool Feed(std::string_view text);
    // Ends the text.
    void Finish();

    // Meaningful only when Faults() is empty after Finish.
    std::vector<DrugFields>& Records() { return m_records; }
    const FaultList& Faults() const { return m_faults; }
    // Complete after Finish: the columns skipped.
    const std::vector<CsvFault>& Warnings() const { return m_warnings; }

private:
    bool TakeRecord(CsvRecord&& record);
    bool TakeHeader(const CsvRecord& record);
    bool UseColumns(std::vector<std::optional<Field>> columns,
                    const std::vector<std::string>& names, std::size_t row);
    bool TakeDrug(const CsvRecord& record);
    std::string ToUtf8(const std::string& cell) const;
    const std::string* CellOf(const CsvRecord& record, Field field) const;
    std::string DrugName(const CsvRecord& record) const;
    bool FeedParser(std::string_view text);
    void ReportParseError();

    TextEncoding m_encoding;
    CsvColumns m_given;
    FormulaCells m_formulas;
    CsvParser m_parser;
    std::string m_start;  // the first bytes, until it is known whether they are a byte order mark
    bool m_startChecked = false;
    bool m_anyRow = false;
    bool m_parseErrorReported = false;
    std::vector<std::optional<Field>> m_columns;  // the field of each column
    // The columns skipped: those with a name, and those without one that
    // held something in a row.
    std::vector<std::size_t> m_namedSkipped;
    std::vector<std::string> m_skippedNames;
    std::vector<std::size_t> m_unnamed;
    std::vector<bool> m_unnamedUsed;
    std::size_t m_drugs = 0;
    std::vector<DrugFields> m_records;
    FaultList m_faults;
    std::vector<CsvFault> m_warnings;
};

struct DrugCsvReading {
    TextEncoding encoding;  // the one the text was read in, Utf8 or Gbk
    std::vector<DrugFields> records;
    FaultList faults;
    std::vector<CsvFault> warnings;
};

// Reads a whole CSV text: read fills a buffer and answers how many bytes it
// put there, fewer than asked only at the end. With Auto the text is read
// twice, first only to tell its encoding; rewind starts it again.
DrugCsvReading ReadDrugCsv(const std::function<std::size_t(char*, std::size_t)>& read,
                           const std::function<void()>& rewind, TextEncoding encoding,
                           const CsvColumns& columns = {},
                           FormulaCells formulas = FormulaCells::Plain);

// The fields whose bytes are not GBK text (a damaged file), which would be
// written as U+FFFD: NotExportable faults, records counted from 1.
FaultList UnconvertibleFields(const std::vector<DrugFields>& records);

// Writes the header row and one row per record (GBK, converted to UTF-8),
// with formulas guarded when asked.
void WriteDrugCsv(const std::vector<DrugFields>& records, std::ostream& out,
                  FormulaCells formulas = FormulaCells::Plain);

}  // namespace quorbex::csv
