// The commands on versions of one dictionary: zvk diff, what changed from
// one version to another (diff_command.cpp), and zvk merge, a three-way
// merge of two versions that is also git's merge driver for .zvk files
// (merge_command.cpp).
#pragma once

#include <ostream>
#include <string>

#include "cli/arguments.h"

namespace quorbex::zvk {

extern const std::string DIFF_HELP;
extern const CommandSyntax DIFF_SYNTAX;
int RunDiff(const ParsedArguments& parsed, std::ostream& out, std::ostream& err);

extern const std::string MERGE_HELP;
extern const CommandSyntax MERGE_SYNTAX;
int RunMerge(const ParsedArguments& parsed, std::ostream& out, std::ostream& err);

}  // namespace quorbex::zvk
