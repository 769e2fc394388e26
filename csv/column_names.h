// The names by which a spreadsheet's header row names the fields of a drug:
// the program's own labels, in Chinese and in English, the names the CSV
// export writes, and the names that Chinese drug lists commonly use.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "store/dictionary_format.h"

namespace quorbex::csv {

// The field that a header cell (UTF-8) names, or nothing. Letter case,
// spaces around the name, the brackets of the record text's headings ("[品名]")
// and a colon after it ("品名:") do not count.
std::optional<Field> FieldNamedBy(std::string_view name);

// The names that FieldNamedBy takes for field, as a header would spell them.
std::vector<std::string_view> ColumnNamesOf(Field field);

}  // namespace quorbex::csv
