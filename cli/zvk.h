// The zvk command-line tool: lists, searches, shows, exports, imports,
// checks, compares and merges drug dictionaries. Text written to out is
// UTF-8; failures are told on err.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quorbex::zvk {

// Exit statuses.
inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_NOT_FOUND = 1;  // search or find found nothing, check found a fault
inline constexpr int EXIT_DIFFERENT = 1;  // diff found a change, merge left conflicts
inline constexpr int EXIT_ERROR = 2;      // a usage error, or a command that failed

// Runs one command line; args are the arguments after the program's name.
int RunZvk(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorbex::zvk
