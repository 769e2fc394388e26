// A dictionary window's search options, and what each option command of the
// search and delete buttons' drop-down menus does to them.
#pragma once

#include <optional>

#include "platform/command_id.h"
#include "resources/resource_ids.h"
#include "store/dictionary_format.h"

namespace quorbex {

// The fields the next search looks in, the order of its results, and
// whether a deletion asks first; every dictionary starts with these.
struct SearchOptions {
    int searchMask = SEARCH_TRADE_NAME | SEARCH_PINYIN | SEARCH_OTHER_NAMES | SEARCH_ENGLISH_NAME;
    int sortKey = SORT_BY_TRADE_NAME;
    bool confirmDelete = true;

    bool operator==(const SearchOptions&) const = default;
};

// One option command: it chooses an order, flips a search field's bit, or
// flips the delete confirmation.
struct OptionCommand {
    enum class Kind { SortKey, SearchField, ConfirmDelete };
    platform::CommandId id;
    Kind kind;
    int value = 0;  // the sort key, or the SearchMask bit
};

// The identifiers are not in bit order: 115 flips the English-name bit.
inline constexpr OptionCommand OPTION_COMMANDS[] = {
    {ID_SORT_BY_TRADE_NAME, OptionCommand::Kind::SortKey, SORT_BY_TRADE_NAME},
    {ID_SORT_BY_ENGLISH_NAME, OptionCommand::Kind::SortKey, SORT_BY_ENGLISH_NAME},
    {ID_SORT_BY_PINYIN, OptionCommand::Kind::SortKey, SORT_BY_PINYIN},
    {ID_SEARCH_TRADE_NAME, OptionCommand::Kind::SearchField, SEARCH_TRADE_NAME},
    {ID_SEARCH_ENGLISH_NAME, OptionCommand::Kind::SearchField, SEARCH_ENGLISH_NAME},
    {ID_SEARCH_PINYIN, OptionCommand::Kind::SearchField, SEARCH_PINYIN},
    {ID_SEARCH_OTHER_NAMES, OptionCommand::Kind::SearchField, SEARCH_OTHER_NAMES},
    {ID_SEARCH_FUNCTION, OptionCommand::Kind::SearchField, SEARCH_FUNCTION},
    {ID_SEARCH_USAGE, OptionCommand::Kind::SearchField, SEARCH_USAGE},
    {ID_SEARCH_CAUTIONS, OptionCommand::Kind::SearchField, SEARCH_CAUTIONS},
    {ID_SEARCH_ALL, OptionCommand::Kind::SearchField, SEARCH_ALL},
    {ID_CONFIRM_DELETE, OptionCommand::Kind::ConfirmDelete},
};

inline constexpr const OptionCommand* FindOptionCommand(platform::CommandId id) {
    for (const OptionCommand& command : OPTION_COMMANDS) {
        if (command.id == id) {
            return &command;
        }
    }
    return nullptr;
}

// The options after the command; nothing for a command that is no option.
// Each search bit flips on its own: "all fields" leaves the others alone.
inline std::optional<SearchOptions> AfterOptionCommand(SearchOptions options,
                                                       platform::CommandId id) {
    const OptionCommand* command = FindOptionCommand(id);
    if (command == nullptr) {
        return std::nullopt;
    }
    switch (command->kind) {
        case OptionCommand::Kind::SortKey:
            options.sortKey = command->value;
            break;
        case OptionCommand::Kind::SearchField:
            options.searchMask ^= command->value;
            break;
        case OptionCommand::Kind::ConfirmDelete:
            options.confirmDelete = !options.confirmDelete;
            break;
    }
    return options;
}

// Whether the command's menu item carries its mark under options; false for
// a command that is no option.
inline bool IsOptionChecked(const SearchOptions& options, platform::CommandId id) {
    const OptionCommand* command = FindOptionCommand(id);
    if (command == nullptr) {
        return false;
    }
    switch (command->kind) {
        case OptionCommand::Kind::SortKey:
            return options.sortKey == command->value;
        case OptionCommand::Kind::SearchField:
            return (options.searchMask & command->value) != 0;
        case OptionCommand::Kind::ConfirmDelete:
            return options.confirmDelete;
    }
    return false;
}

}  // namespace quorbex
