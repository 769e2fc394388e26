// zvk diff: what changed from one version of a dictionary to another.
#pragma once

#include <ostream>
#include <string>

#include "cli/arguments.h"

namespace quorbex::zvk {

extern const std::string DIFF_HELP;
extern const CommandSyntax DIFF_SYNTAX;

int RunDiff(const ParsedArguments& parsed, std::ostream& out, std::ostream& err);

}  // namespace quorbex::zvk
