// Drug records as CSV text (UTF-8): a header row of the seven field names,
// then one row per record with the fields in file order.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/csv_text.h"
#include "cli/fault_list.h"
#include "store/drug_fields.h"

namespace quorbex::zvk {

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
class DrugCsvReader {
public:
    DrugCsvReader();

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

    CsvParser m_parser;
    std::string m_start;  // the first bytes, until it is known whether they are a byte order mark
    bool m_startChecked = false;
    bool m_headerSeen = false;
    bool m_parseErrorReported = false;
    std::size_t m_rows = 0;
    std::vector<DrugFields> m_records;
    FaultList m_faults;
};

// Writes the header row and one row per record (GBK, converted to UTF-8).
void WriteDrugCsv(const std::vector<DrugFields>& records, std::ostream& out);

}  // namespace quorbex::zvk
