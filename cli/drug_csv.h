// Drug records as CSV text (UTF-8): a header row of the seven field names,
// then one row per record with the fields in file order.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "store/drug_fields.h"

namespace quorbex::zvk {

// The records of csvText, converted to GBK, ready to be stored. Every problem
// that keeps the text from becoming a dictionary is added to problems, each
// naming its line and, where one is at fault, the field: malformed CSV, a
// missing or wrong header row, a row without exactly seven fields, a NUL, a
// character GBK cannot represent, a field longer than its byte limit, a row
// whose trade and English names are both empty, more rows than a dictionary
// holds. The records are meaningful only when problems stays empty.
std::vector<DrugFields> ReadDrugCsv(std::string_view csvText, std::vector<std::string>& problems);

// Writes the header row and one row per record (GBK, converted to UTF-8).
void WriteDrugCsv(const std::vector<DrugFields>& records, std::ostream& out);

}  // namespace quorbex::zvk
