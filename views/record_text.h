// The text of one record as the record view shows it: the trade name with
// its other names, the English name, then function, usage and cautions under
// the headings of the user's language, lines broken by "\n".
#pragma once

#include <QString>

#include "store/drug_fields.h"

namespace quorbex {

QString RecordViewText(const DrugFields& record);

// The name a record is listed by: its trade name, or its English name when
// it has none.
QString RecordName(const DrugFields& record);

}  // namespace quorbex
