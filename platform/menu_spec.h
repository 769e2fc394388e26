// A menu as data: its entries in order, each a command, a separator, a
// submenu, or a part filled in as the menu opens (the recent files, the open
// windows, the places visited). What each command's item shows comes from its action.
#pragma once

#include <span>

#include "platform/command_id.h"

namespace quorbex::platform {

struct MenuEntry {
    enum class Kind { Command, Separator, Submenu, RecentFiles, WindowList, History };
    Kind kind;
    CommandId id{};          // the command of an item
    const char* title = "";  // the title of a submenu (UTF-8, "&" before the mnemonic)
    std::span<const MenuEntry> submenu = {};
};

// A menu of the menu bar.
struct TopMenu {
    const char* title;  // UTF-8, "&" before the mnemonic
    std::span<const MenuEntry> entries;
};

using MenuKind = MenuEntry::Kind;

inline constexpr MenuEntry Item(CommandId id) {
    return {MenuKind::Command, id};
}
inline constexpr MenuEntry SEPARATOR{MenuKind::Separator};
inline constexpr MenuEntry Submenu(const char* title, std::span<const MenuEntry> entries) {
    return {MenuKind::Submenu, CommandId{}, title, entries};
}

}  // namespace quorbex::platform
