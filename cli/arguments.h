// Command-line parsing for zvk: one command word, then its positional
// arguments and options in any order. Each command declares what it takes;
// anything else is a usage error.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorbex::zvk {

// A command line that does not fit the command's syntax.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionSyntax {
    std::string_view name;    // "--sort", or a short form such as "-o"
    std::string_view alias;   // another spelling of the same option, or empty
    bool takesValue = false;  // "--sort trade" or "--sort=trade"; otherwise a flag
};

struct CommandSyntax {
    std::vector<std::string_view> positionals;  // names, as the usage text shows them
    std::vector<OptionSyntax> options;
};

struct ParsedArguments {
    std::vector<std::string> positionals;
    // Keyed by the option's main name; a flag maps to an empty value.
    std::map<std::string, std::string, std::less<>> options;
    bool help = false;  // "--help" or "-h" was given: nothing else is checked

    bool Has(std::string_view option) const { return options.contains(option); }
};

// Parses the arguments that follow the command word. "--" ends the options,
// so that a positional argument may begin with '-'. Throws UsageError.
ParsedArguments ParseArguments(const CommandSyntax& syntax, const std::vector<std::string>& args);

}  // namespace quorbex::zvk
