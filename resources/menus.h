// The layout of the main window's menus, tool bars and drop-down menus, by
// command id; what each command shows comes from the command table. The
// menus' own titles are translated in the context MENUS_CONTEXT.
#pragma once

#include <QtGlobal>
#include <array>
#include <cstddef>
#include <span>

#include "platform/framework_ids.h"
#include "resources/resource_ids.h"

namespace quorbex {

struct MenuEntry {
    enum class Kind { Command, Separator, Submenu, RecentFiles, WindowList };
    Kind kind;
    unsigned id = 0;         // the command of an item
    const char* title = "";  // the title of a submenu (UTF-8)
    std::span<const MenuEntry> submenu = {};
};

struct TopMenu {
    const char* title;  // UTF-8, "&" before the mnemonic
    std::span<const MenuEntry> entries;
};

using MenuKind = MenuEntry::Kind;

inline constexpr char MENUS_CONTEXT[] = "Menus";

inline constexpr MenuEntry Item(unsigned id) {
    return {MenuKind::Command, id};
}
inline constexpr MenuEntry SEPARATOR{MenuKind::Separator};
// The recent files, newest first; while there are none, the grayed placeholder.
inline constexpr MenuEntry RECENT_FILES{MenuKind::RecentFiles, platform::ID_FILE_MRU_FILE1};
// The open dictionary windows, after a separator.
inline constexpr MenuEntry WINDOW_LIST{MenuKind::WindowList};

// The drop-down menus of the search and delete buttons; 0 stands for a
// separator. The search fields are listed in the order of their bits.
inline constexpr unsigned SEARCH_OPTIONS_MENU[] = {
    ID_SORT_BY_TRADE_NAME, ID_SORT_BY_ENGLISH_NAME, ID_SORT_BY_PINYIN,     0,
    ID_SEARCH_TRADE_NAME,  ID_SEARCH_PINYIN,        ID_SEARCH_OTHER_NAMES, ID_SEARCH_ENGLISH_NAME,
    ID_SEARCH_FUNCTION,    ID_SEARCH_USAGE,         ID_SEARCH_CAUTIONS,    0,
    ID_SEARCH_ALL,
};

inline constexpr unsigned DELETE_OPTIONS_MENU[] = {ID_CONFIRM_DELETE};

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
    {MenuKind::Submenu, 0, QT_TRANSLATE_NOOP("Menus", "药物手册(&H)"), HANDBOOK_MENU},
    SEPARATOR,
    Item(ID_FILE_IMPORT),
    Item(ID_FILE_EXPORT_ALL),
    Item(ID_FILE_EXPORT_RESULTS),
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
    {MenuKind::Submenu, 0, QT_TRANSLATE_NOOP("Menus", "工具条"), TOOL_BAR_MENU},
    SEPARATOR,
    Item(platform::ID_EDIT_UNDO),
    SEPARATOR,
    Item(platform::ID_EDIT_CUT),
    Item(platform::ID_EDIT_COPY),
    Item(platform::ID_EDIT_PASTE),
};

// A drop-down menu's options as menu entries.
template <std::size_t N>
constexpr std::array<MenuEntry, N> OptionEntries(const unsigned (&ids)[N]) {
    std::array<MenuEntry, N> entries{};
    for (std::size_t i = 0; i < N; ++i) {
        entries[i] = ids[i] == 0 ? SEPARATOR : Item(ids[i]);
    }
    return entries;
}
inline constexpr auto SEARCH_OPTIONS_ENTRIES = OptionEntries(SEARCH_OPTIONS_MENU);
inline constexpr auto DELETE_OPTIONS_ENTRIES = OptionEntries(DELETE_OPTIONS_MENU);

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
    SEPARATOR,
    {MenuKind::Submenu, 0, QT_TRANSLATE_NOOP("Menus", "查询选项(&O)"), SEARCH_OPTIONS_ENTRIES},
    {MenuKind::Submenu, 0, QT_TRANSLATE_NOOP("Menus", "删除选项(&P)"), DELETE_OPTIONS_ENTRIES},
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

// A tool bar's entries in order; id 0 stands for a separator.
struct ToolBarEntry {
    unsigned id;
    bool dropDown = false;  // the button has an arrow that opens a menu of options
};

inline constexpr ToolBarEntry STANDARD_TOOL_BAR[] = {
    {platform::ID_FILE_NEW},  {platform::ID_FILE_OPEN},  {0}, {platform::ID_EDIT_CUT},
    {platform::ID_EDIT_COPY}, {platform::ID_EDIT_PASTE}, {0}, {platform::ID_APP_ABOUT},
};

inline constexpr ToolBarEntry DRUG_TOOL_BAR[] = {
    {ID_DRUG_SAVE},         {0}, {ID_DRUG_MODIFY},       {ID_DRUG_APPEND},
    {ID_DRUG_DELETE, true}, {0}, {ID_DRUG_SEARCH, true},
};

}  // namespace quorbex
