// zvk merge: a three-way merge of two versions of a dictionary, also git's
// merge driver for .zvk files.
#pragma once

#include <ostream>
#include <string>

#include "cli/arguments.h"

namespace quorbex::zvk {

extern const std::string MERGE_HELP;
extern const CommandSyntax MERGE_SYNTAX;

int RunMerge(const ParsedArguments& parsed, std::ostream& out, std::ostream& err);

}  // namespace quorbex::zvk
