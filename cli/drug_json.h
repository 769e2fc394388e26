// Drug records as JSON: an array of objects keyed by the seven field names.
#pragma once

#include <ostream>
#include <vector>

#include "store/drug_fields.h"

namespace quorbex::zvk {

// Writes the records (GBK, converted to UTF-8), keys in the fields' file order.
void WriteDrugJson(const std::vector<DrugFields>& records, std::ostream& out);

}  // namespace quorbex::zvk
