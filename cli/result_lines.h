// The lines in which list, search and find show their results.
#pragma once

#include <ostream>

#include "store/record_store.h"

namespace quorbex::zvk {

// One line per result: NUMBER<TAB>TRADENAME<TAB>ENGLISHNAME, in UTF-8.
void PrintResults(const RecordStore& store, const ResultList& results, std::ostream& out);

}  // namespace quorbex::zvk
