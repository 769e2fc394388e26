// The text of one record as the record view shows it: the trade name with
// its other names, the English name, then function, usage and cautions under
// the headings of the user's language, lines broken by "\n".
#pragma once

#include <QString>
#include <string>

#include "store/drug_fields.h"

namespace quorbex {

QString RecordViewText(const DrugFields& record);

// The same text in UTF-8 with "\r\n" line breaks, and where each field
// begins in it.
std::string RecordViewUtf8(const DrugFields& record, FieldStarts& starts);

// UTF-8 text as the edit box holds it: each "\r\n" is one line break.
QString ShownText(const char* utf8, std::size_t size);

// The name a record is listed by: its trade name, or its English name when
// it has none.
QString RecordName(const DrugFields& record);

}  // namespace quorbex
