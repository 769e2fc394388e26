// The menus, the status-bar prompts and tool tips, the accelerators and the
// tool bar layouts of the main window.
#pragma once

#include <span>

#include "platform/framework_ids.h"
#include "resources/resource_ids.h"

namespace quorbex {

struct MenuEntry {
    enum class Kind { Item, Separator, Submenu, RecentFiles, WindowList };
    Kind kind;
    const char* text = "";  // UTF-8, with "&" before the mnemonic and "\t" before the keys
    unsigned id = 0;
    std::span<const MenuEntry> submenu = {};
};

struct TopMenu {
    const char* text;
    std::span<const MenuEntry> entries;
};

using MenuKind = MenuEntry::Kind;

inline constexpr MenuEntry FILE_MENU_128[] = {
    {MenuKind::Item, "新建(&N)\tCtrl+N", platform::ID_FILE_NEW},
    {MenuKind::Item, "打开(&O)...\tCtrl+O", platform::ID_FILE_OPEN},
    {MenuKind::Separator},
    {MenuKind::RecentFiles, "最近编辑文件(&L)", platform::ID_FILE_MRU_FILE1},
    {MenuKind::Separator},
    {MenuKind::Item, "退出(&X)", platform::ID_APP_EXIT},
};

inline constexpr MenuEntry HELP_MENU[] = {
    {MenuKind::Item, "关于(&A)...", platform::ID_APP_ABOUT},
};

// Used while no dictionary window is open.
inline constexpr TopMenu MENU_128[] = {
    {"文件(&F)", FILE_MENU_128},
    {"帮助(&H)", HELP_MENU},
};

inline constexpr MenuEntry FILE_MENU_130[] = {
    {MenuKind::Item, "新建(&N)\tCtrl+N", platform::ID_FILE_NEW},
    {MenuKind::Item, "打开(&O)...\tCtrl+O", platform::ID_FILE_OPEN},
    {MenuKind::Item, "关闭(&C)", platform::ID_FILE_CLOSE},
    {MenuKind::Item, "保存(&S)\tCtrl+S", platform::ID_FILE_SAVE},
    {MenuKind::Item, "另存为(&A)...", platform::ID_FILE_SAVE_AS},
    {MenuKind::Separator},
    {MenuKind::Item, "打印(&P)...\tCtrl+P", platform::ID_FILE_PRINT},
    {MenuKind::Item, "打印预览(&V)", platform::ID_FILE_PRINT_PREVIEW},
    {MenuKind::Item, "打印设置(&R)...", platform::ID_FILE_PRINT_SETUP},
    {MenuKind::Separator},
    {MenuKind::RecentFiles, "最近编辑文件(&L)", platform::ID_FILE_MRU_FILE1},
    {MenuKind::Separator},
    {MenuKind::Item, "退出(&X)", platform::ID_APP_EXIT},
};

inline constexpr MenuEntry TOOL_BAR_MENU[] = {
    {MenuKind::Item, "标准工具条", ID_TOGGLE_STANDARD_BAR},
    {MenuKind::Item, "药物工具条", ID_TOGGLE_DRUG_BAR},
};

inline constexpr MenuEntry EDIT_MENU[] = {
    {MenuKind::Submenu, "工具条", 0, TOOL_BAR_MENU},
    {MenuKind::Separator},
    {MenuKind::Item, "撤消(&U)\tCtrl+Z", platform::ID_EDIT_UNDO},
    {MenuKind::Separator},
    {MenuKind::Item, "剪切(&T)\tCtrl+X", platform::ID_EDIT_CUT},
    {MenuKind::Item, "复制(&C)\tCtrl+C", platform::ID_EDIT_COPY},
    {MenuKind::Item, "粘贴(&P)\tCtrl+V", platform::ID_EDIT_PASTE},
};

inline constexpr MenuEntry WINDOW_MENU[] = {
    {MenuKind::Item, "层叠(&C)", platform::ID_WINDOW_CASCADE},
    {MenuKind::Item, "平铺(&T)", platform::ID_WINDOW_TILE_HORZ},
    {MenuKind::Item, "排列图标(&A)", platform::ID_WINDOW_ARRANGE},
    {MenuKind::WindowList},
};

// Used while a dictionary window is active.
inline constexpr TopMenu MENU_130[] = {
    {"文件(&F)", FILE_MENU_130},
    {"编辑(&E)", EDIT_MENU},
    {"窗口(&W)", WINDOW_MENU},
    {"帮助(&H)", HELP_MENU},
};

// Status-bar prompt, then after a newline the tool tip, by command id.
struct PromptString {
    unsigned id;
    const char* text;
};

inline constexpr PromptString PROMPT_STRINGS[] = {
    {platform::ID_FILE_NEW, "建立新文档\n新建"},
    {platform::ID_FILE_OPEN, "打开一个现有文档\n打开"},
    {platform::ID_FILE_CLOSE, "关闭活动文档\n关闭"},
    {platform::ID_FILE_SAVE, "保存活动文档\n保存"},
    {platform::ID_FILE_SAVE_AS, "将活动文档以一个新文件名保存\n另存为"},
    {platform::ID_FILE_PRINT, "打印活动文档\n打印"},
    {platform::ID_FILE_PRINT_PREVIEW, "显示整页\n打印预览"},
    {platform::ID_FILE_PRINT_SETUP, "改变打印机及打印选项\n打印设置"},
    {platform::ID_FILE_MRU_FILE1, "打开该文档"},
    {platform::ID_APP_EXIT, "退出应用程序；提示保存文档\n退出"},
    {platform::ID_APP_ABOUT, "显示程序信息，版本号和版权\n关于"},
    {ID_TOGGLE_STANDARD_BAR, "显示，隐藏标准工具条"},
    {ID_TOGGLE_DRUG_BAR, "显示，隐藏药物工具条"},
    {platform::ID_EDIT_UNDO, "撤消最后一步操作\n撤消"},
    {platform::ID_EDIT_CUT, "剪切被选对象并将其置于剪贴板上\n剪切"},
    {platform::ID_EDIT_COPY, "复制被选对象并将其置于剪贴板上\n复制"},
    {platform::ID_EDIT_PASTE, "插入剪贴板内容\n粘贴"},
    {platform::ID_WINDOW_CASCADE, "排列窗口成相互重叠\n层叠窗口"},
    {platform::ID_WINDOW_TILE_HORZ, "排列窗口成互不重叠\n平铺窗口"},
    {platform::ID_WINDOW_ARRANGE, "将图标排列在窗口底部\n排列图标"},
    {platform::ID_NEXT_PANE, "切换到下一个窗格\n下一窗格"},
    {platform::ID_PREV_PANE, "切换回前一个窗格\n前一窗格"},
    {ID_DRUG_SEARCH, "浏览记录\n浏览"},
    {ID_DRUG_APPEND, "追加记录\n追加"},
    {ID_DRUG_DELETE, "删除当前记录\n删除"},
    {ID_CONFIRM_DELETE, "删除记录时弹出确认对话框"},
    {ID_DRUG_MODIFY, "修改当前药物\n修改当前药物"},
    {ID_DRUG_SAVE, "保存对当前Quorbex的改变\n保存对当前Quorbex的改变"},
};

// The idle text of the status bar's prompt pane.
inline constexpr char IDLE_MESSAGE[] = "谢谢使用Halvern!";

struct Accelerator {
    const char* keys;  // in the notation of QKeySequence
    unsigned id;
};

inline constexpr Accelerator ACCELERATORS_128[] = {
    {"Ctrl+N", platform::ID_FILE_NEW},   {"Ctrl+O", platform::ID_FILE_OPEN},
    {"Ctrl+S", platform::ID_FILE_SAVE},  {"Ctrl+P", platform::ID_FILE_PRINT},
    {"Ctrl+Z", platform::ID_EDIT_UNDO},  {"Alt+Backspace", platform::ID_EDIT_UNDO},
    {"Ctrl+X", platform::ID_EDIT_CUT},   {"Shift+Del", platform::ID_EDIT_CUT},
    {"Ctrl+C", platform::ID_EDIT_COPY},  {"Ctrl+Ins", platform::ID_EDIT_COPY},
    {"Ctrl+V", platform::ID_EDIT_PASTE}, {"Shift+Ins", platform::ID_EDIT_PASTE},
    {"F6", platform::ID_NEXT_PANE},      {"Shift+F6", platform::ID_PREV_PANE},
};

// Tool bar buttons; 0 stands for a separator.
inline constexpr unsigned STANDARD_TOOL_BAR[] = {
    platform::ID_FILE_NEW,  platform::ID_FILE_OPEN,  0, platform::ID_EDIT_CUT,
    platform::ID_EDIT_COPY, platform::ID_EDIT_PASTE, 0, platform::ID_APP_ABOUT,
};

inline constexpr unsigned DRUG_TOOL_BAR[] = {
    ID_DRUG_SAVE, 0, ID_DRUG_MODIFY, ID_DRUG_APPEND, ID_DRUG_DELETE, 0, ID_DRUG_SEARCH,
};

}  // namespace quorbex
