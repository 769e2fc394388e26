// A command of the program as data: what its menu item, keys, prompt, tool
// tip and tool bar button show. The program makes one QAction of each.
#pragma once

#include "platform/command_id.h"

namespace quorbex::platform {

// The translation context of a command table's menu texts and prompts.
inline constexpr char COMMANDS_CONTEXT[] = "Commands";

// The mark a command's menu item can carry.
enum class CommandMark { None, Check, Radio };

struct CommandSpec {
    CommandId id;
    const char* text;    // menu text (UTF-8), "&" before the mnemonic; empty without a menu item
    const char* keys;    // key sequences separated by "; ", the first shown in menus; may be empty
    const char* prompt;  // status-bar prompt, then after "\n" the tool tip (UTF-8); may be empty
    const char* icon;    // resource path of the tool bar picture; may be empty
    CommandMark mark = CommandMark::None;
};

}  // namespace quorbex::platform
