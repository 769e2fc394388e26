// Drug records as CSV text (UTF-8 or GBK): a header row of the seven field
// names, then one row per record with the fields in file order.
#pragma once

#include <functional>
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

// Reads drug records from CSV text given in pieces, converted to GBK and
// ready to be stored. Each fault that keeps the text from becoming a
// dictionary is added to Faults, naming its line and, where one is at fault,
// the field: malformed CSV, a missing or wrong header row, a row without
// exactly seven fields, a NUL, a character GBK cannot represent, a field
// longer than its byte limit, a row whose trade and English names are both
// empty. Reading stops at the first row past the most a dictionary holds, at
// the first row of more than seven fields or of more text than any record
// needs, and at malformed CSV; it never holds more than the records it keeps
// and the one it is reading.
//
// The text is UTF-8, where a byte order mark at its start is skipped, or GBK,
// whose bytes need no conversion; the CSV's quotes, commas and line breaks
// are the same bytes in both, and no GBK trail byte is one of them.
class DrugCsvReader {
public:
    // Auto stands for Utf8 here: the encoding must be known before reading.
    // Guarded cells lose the apostrophe that guards a formula before any
    // check.
    explicit DrugCsvReader(TextEncoding encoding = TextEncoding::Utf8,
                           FormulaCells formulas = FormulaCells::Plain);

    // Reads the next piece of text; false once reading has stopped.
    bool Feed(std::string_view text);
    // Ends the text.
    void Finish();

    // Meaningful only when Faults() is empty after Finish.
    std::vector<DrugFields>& Records() { return m_records; }
    const FaultList& Faults() const { return m_faults; }

private:
    bool TakeRecord(CsvRecord&& record);
    bool FeedParser(std::string_view text);
    void ReportParseError();

    TextEncoding m_encoding;
    FormulaCells m_formulas;
    CsvParser m_parser;
    std::string m_start;  // the first bytes, until it is known whether they are a byte order mark
    bool m_startChecked = false;
    bool m_headerSeen = false;
    bool m_parseErrorReported = false;
    std::size_t m_rows = 0;
    std::vector<DrugFields> m_records;
    FaultList m_faults;
};

struct DrugCsvReading {
    TextEncoding encoding;  // the one the text was read in, Utf8 or Gbk
    std::vector<DrugFields> records;
    FaultList faults;
};

// Reads a whole CSV text: read fills a buffer and answers how many bytes it
// put there, fewer than asked only at the end. With Auto the text is read
// twice, first only to tell its encoding; rewind starts it again.
DrugCsvReading ReadDrugCsv(const std::function<std::size_t(char*, std::size_t)>& read,
                           const std::function<void()>& rewind, TextEncoding encoding,
                           FormulaCells formulas = FormulaCells::Plain);

// The fields whose bytes are not GBK text (a damaged file), which would be
// written as U+FFFD: "record N, field NAME: ...", records counted from 1.
FaultList UnconvertibleFields(const std::vector<DrugFields>& records);

// Writes the header row and one row per record (GBK, converted to UTF-8),
// with formulas guarded when asked.
void WriteDrugCsv(const std::vector<DrugFields>& records, std::ostream& out,
                  FormulaCells formulas = FormulaCells::Plain);

}  // namespace quorbex::csv
