// The layout of the main window's menus, tool bars and drop-down menus, by
// command id; what each command shows comes from the command table. The
// menus' own titles are translated in the context MENUS_CONTEXT.
#pragma once

#include <QtGlobal>

#include "platform/framework_ids.h"
#include "platform/menu_spec.h"
#include "resources/resource_ids.h"

namespace quorbex {

using platform::Item;
using platform::MenuEntry;
using platform::MenuKind;
using platform::SEPARATOR;
using platform::Submenu;
using platform::TopMenu;

inline constexpr char MENUS_CONTEXT[] = "Menus";

// The recent files, newest first; while there are none, the grayed placeholder.
inline constexpr MenuEntry RECENT_FILES{MenuKind::RecentFiles, platform::ID_FILE_MRU_FILE1};
// The open dictionary windows, after a separator.
inline constexpr MenuEntry WINDOW_LIST{MenuKind::WindowList};

// The drop-down menus of the search and delete buttons. The search fields
// are listed in the order of their bits.
inline constexpr MenuEntry SEARCH_OPTIONS_MENU[] = {
    Item(ID_SORT_BY_TRADE_NAME), Item(ID_SORT_BY_ENGLISH_NAME),
    Item(ID_SORT_BY_PINYIN),     SEPARATOR,
    Item(ID_SEARCH_TRADE_NAME),  Item(ID_SEARCH_PINYIN),
    Item(ID_SEARCH_OTHER_NAMES), Item(ID_SEARCH_ENGLISH_NAME),
    Item(ID_SEARCH_FUNCTION),    Item(ID_SEARCH_USAGE),
    Item(ID_SEARCH_CAUTIONS),    SEPARATOR,
    Item(ID_SEARCH_ALL),
};

inline constexpr MenuEntry DELETE_OPTIONS_MENU[] = {Item(ID_CONFIRM_DELETE)};

inline constexpr MenuEntry FILE_MENU_WITHOUT_DICTIONARY[] = {
    Item(platform::ID_FILE_NEW),
    Item(platform::ID_FILE_OPEN),
    Item(ID_FILE_IMPORT),
    SEPARATOR,
    RECENT_FILES,
    SEPARATOR,
    Item(platform::ID_APP_EXIT),
};

inline constexpr MenuEntry HELP_MENU[] = {Item(ID_HELP_GUIDE), Item(platform::ID_APP_ABOUT)};

inline constexpr MenuEntry HANDBOOK_MENU[] = {
    Item(ID_HANDBOOK_PRINT),        Item(ID_HANDBOOK_PREVIEW), Item(ID_HANDBOOK_PDF), SEPARATOR,
    Item(ID_HANDBOOK_RESULTS_ONLY),
};

// Shown while no dictionary window is open.
inline constexpr TopMenu MENUS_WITHOUT_DICTIONARY[] = {
    {QT_TRANSLATE_NOOP("Menus", "文件(&F)"), FILE_MENU_WITHOUT_DICTIONARY},
    {QT_TRANSLATE_NOOP("Menus", "帮助(&H)"), HELP_MENU},
};

inline constexpr MenuEntry FILE_MENU_WITH_DICTIONARY[] = {
    Item(platform::ID_FILE_NEW),
    Item(platform::ID_FILE_OPEN),
    Item(platform::ID_FILE_CLOSE),
    Item(platform::ID_FILE_SAVE),
    Item(platform::ID_FILE_SAVE_AS),
    Item(ID_KEEP_BACKUP),
    SEPARATOR,
    Item(platform::ID_FILE_PRINT),
    Item(platform::ID_FILE_PRINT_PREVIEW),
    Item(platform::ID_FILE_PRINT_SETUP),
    Submenu(QT_TRANSLATE_NOOP("Menus", "药物手册(&H)"), HANDBOOK_MENU),
    SEPARATOR,
    Item(ID_FILE_IMPORT),
    Item(ID_FILE_EXPORT_ALL),
    Item(ID_FILE_EXPORT_RESULTS),
    Item(ID_FILE_MERGE),
    SEPARATOR,
    RECENT_FILES,
    SEPARATOR,
    Item(platform::ID_APP_EXIT),
};

inline constexpr MenuEntry TOOL_BAR_MENU[] = {
    Item(ID_TOGGLE_STANDARD_BAR),
    Item(ID_TOGGLE_DRUG_BAR),
};

inline constexpr MenuEntry EDIT_MENU[] = {
    Submenu(QT_TRANSLATE_NOOP("Menus", "工具条"), TOOL_BAR_MENU),
    SEPARATOR,
    Item(platform::ID_EDIT_UNDO),
    SEPARATOR,
    Item(platform::ID_EDIT_CUT),
    Item(platform::ID_EDIT_COPY),
    Item(platform::ID_EDIT_PASTE),
};

// The drugs last viewed in the active window, the newest first.
inline constexpr MenuEntry RECENTLY_VIEWED_MENU[] = {{MenuKind::History}};

// Record undo and redo, the drug tool bar's record commands and the options
// of its drop-down menus; the tree's context menu offers the same.
inline constexpr MenuEntry DRUG_MENU[] = {
    Item(ID_RECORD_UNDO),
    Item(ID_RECORD_REDO),
    SEPARATOR,
    Item(ID_DRUG_APPEND),
    Item(ID_DRUG_MODIFY),
    Item(ID_DRUG_DELETE),
    SEPARATOR,
    Item(ID_DRUG_SEARCH),
    Item(ID_QUICK_SEARCH),
    Item(ID_SEARCH_ALL_DICTIONARIES),
    SEPARATOR,
    Item(ID_HISTORY_BACK),
    Item(ID_HISTORY_FORWARD),
    Submenu(QT_TRANSLATE_NOOP("Menus", "最近查看(&R)"), RECENTLY_VIEWED_MENU),
    SEPARATOR,
    Submenu(QT_TRANSLATE_NOOP("Menus", "查询选项(&O)"), SEARCH_OPTIONS_MENU),
    Submenu(QT_TRANSLATE_NOOP("Menus", "删除选项(&P)"), DELETE_OPTIONS_MENU),
};

inline constexpr MenuEntry WINDOW_MENU[] = {
    Item(ID_VIEW_ZOOM_IN),
    Item(ID_VIEW_ZOOM_OUT),
    Item(ID_VIEW_ZOOM_RESET),
    SEPARATOR,
    Item(platform::ID_WINDOW_CASCADE),
    Item(platform::ID_WINDOW_TILE_HORZ),
    Item(platform::ID_WINDOW_ARRANGE),
    WINDOW_LIST,
};

// Shown while a dictionary window is active.
inline constexpr TopMenu MENUS_WITH_DICTIONARY[] = {
    {QT_TRANSLATE_NOOP("Menus", "文件(&F)"), FILE_MENU_WITH_DICTIONARY},
    {QT_TRANSLATE_NOOP("Menus", "编辑(&E)"), EDIT_MENU},
    {QT_TRANSLATE_NOOP("Menus", "药物(&D)"), DRUG_MENU},
    {QT_TRANSLATE_NOOP("Menus", "窗口(&W)"), WINDOW_MENU},
    {QT_TRANSLATE_NOOP("Menus", "帮助(&H)"), HELP_MENU},
};

// A tool bar's buttons in order, each a command or a separator; a button may
// have an arrow beside it that opens a menu of options.
struct ToolBarEntry {
    enum class Kind { Button, Separator };
    Kind kind;
    platform::CommandId id{};
    std::span<const MenuEntry> dropDown = {};
};

inline constexpr ToolBarEntry Button(platform::CommandId id,
                                     std::span<const MenuEntry> dropDown = {}) {
    return {ToolBarEntry::Kind::Button, id, dropDown};
}
inline constexpr ToolBarEntry BAR_SEPARATOR{ToolBarEntry::Kind::Separator};

inline constexpr ToolBarEntry STANDARD_TOOL_BAR[] = {
    Button(platform::ID_FILE_NEW),
    Button(platform::ID_FILE_OPEN),
    BAR_SEPARATOR,
    Button(platform::ID_EDIT_CUT),
    Button(platform::ID_EDIT_COPY),
    Button(platform::ID_EDIT_PASTE),
    BAR_SEPARATOR,
    Button(platform::ID_APP_ABOUT),
};

inline constexpr ToolBarEntry DRUG_TOOL_BAR[] = {
    Button(ID_DRUG_SAVE),
    BAR_SEPARATOR,
    Button(ID_DRUG_MODIFY),
    Button(ID_DRUG_APPEND),
    Button(ID_DRUG_DELETE, DELETE_OPTIONS_MENU),
    BAR_SEPARATOR,
    Button(ID_DRUG_SEARCH, SEARCH_OPTIONS_MENU),
};

}  // namespace quorbex
