// zvk find: the program's quick search from the command line.
#pragma once

#include <ostream>

#include "cli/arguments.h"

namespace quorbex::zvk {

// find FILE QUERY [--limit N]: the hits in rank order, in the lines of list,
// and EXIT_OK; with none, "did you mean" lines on err and EXIT_NOT_FOUND.
int RunFind(const ParsedArguments& parsed, std::ostream& out, std::ostream& err);

}  // namespace quorbex::zvk
