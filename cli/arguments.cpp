#include "cli/arguments.h"

#include <algorithm>

namespace quorbex::zvk {

namespace {

const OptionSyntax* FindOption(const CommandSyntax& syntax, std::string_view name) {
    const auto found = std::find_if(
        syntax.options.begin(), syntax.options.end(), [name](const OptionSyntax& option) {
            return option.name == name || (!option.alias.empty() && option.alias == name);
        });
    return found == syntax.options.end() ? nullptr : &*found;
}

bool IsHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

}  // namespace

ParsedArguments ParseArguments(const CommandSyntax& syntax, const std::vector<std::string>& args) {
    ParsedArguments parsed;
    // Help wins over every other mistake, but a "--help" after "--" is an argument.
    const auto optionsEnd = std::find(args.begin(), args.end(), "--");
    if (std::any_of(args.begin(), optionsEnd, [](const std::string& arg) { return IsHelp(arg); })) {
        parsed.help = true;
        return parsed;
    }

    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }

        const std::size_t equals = arg.find('=');
        const std::string_view name = std::string_view(arg).substr(0, equals);
        const OptionSyntax* option = FindOption(syntax, name);
        if (option == nullptr) {
            throw UsageError("unknown option " + std::string(name));
        }
        std::string value;
        if (option->takesValue) {
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                throw UsageError(std::string(name) + " needs a value");
            }
        } else if (equals != std::string::npos) {
            throw UsageError(std::string(name) + " takes no value");
        }
        if (!parsed.options.emplace(std::string(option->name), value).second) {
            throw UsageError(std::string(option->name) + " is given more than once");
        }
    }

    if (parsed.positionals.size() != syntax.positionals.size()) {
        std::string expected;
        for (const std::string_view positional : syntax.positionals) {
            if (!expected.empty()) {
                expected += ' ';
            }
            expected += positional;
        }
        throw UsageError(parsed.positionals.size() < syntax.positionals.size()
                             ? "missing arguments: expected " + expected
                             : "too many arguments: expected " + expected);
    }
    return parsed;
}

}  // namespace quorbex::zvk
