// The program's commands: for each its menu text, its keys, its status-bar
// prompt with its tool tip, its tool bar picture and its mark. Every menu,
// tool bar and popup menu shows the one action made from its entry. The
// texts are translated in the context platform::COMMANDS_CONTEXT.
#pragma once

#include <QtGlobal>

#include "platform/command_spec.h"
#include "platform/framework_ids.h"
#include "resources/resource_ids.h"

namespace quorbex {

using platform::CommandMark;
using platform::CommandSpec;

inline constexpr CommandSpec COMMANDS[] = {
    // The file menu.
    {platform::ID_FILE_NEW, QT_TRANSLATE_NOOP("Commands", "新建(&N)"), "Ctrl+N",
     QT_TRANSLATE_NOOP("Commands", "建立新文档\n新建"), ":/icons/file_new.svg"},
    {platform::ID_FILE_OPEN, QT_TRANSLATE_NOOP("Commands", "打开(&O)..."), "Ctrl+O",
     QT_TRANSLATE_NOOP("Commands", "打开一个现有文档\n打开"), ":/icons/file_open.svg"},
    {platform::ID_FILE_CLOSE, QT_TRANSLATE_NOOP("Commands", "关闭(&C)"), "",
     QT_TRANSLATE_NOOP("Commands", "关闭活动文档\n关闭"), ""},
    {platform::ID_FILE_SAVE, QT_TRANSLATE_NOOP("Commands", "保存(&S)"), "Ctrl+S",
     QT_TRANSLATE_NOOP("Commands", "保存活动文档\n保存"), ""},
    {platform::ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("Commands", "另存为(&A)..."), "",
     QT_TRANSLATE_NOOP("Commands", "将活动文档以一个新文件名保存\n另存为"), ""},
    {ID_KEEP_BACKUP, QT_TRANSLATE_NOOP("Commands", "保存时保留备份(&K)"), "",
     QT_TRANSLATE_NOOP("Commands", "保存时把被替换的文件留作同名的.bak文件\n保留备份"), "",
     CommandMark::Check},
    {platform::ID_FILE_PRINT, QT_TRANSLATE_NOOP("Commands", "打印(&P)..."), "Ctrl+P",
     QT_TRANSLATE_NOOP("Commands", "打印活动文档\n打印"), ""},
    {platform::ID_FILE_PRINT_PREVIEW, QT_TRANSLATE_NOOP("Commands", "打印预览(&V)"), "",
     QT_TRANSLATE_NOOP("Commands", "显示整页\n打印预览"), ""},
    {platform::ID_FILE_PRINT_SETUP, QT_TRANSLATE_NOOP("Commands", "打印设置(&R)..."), "",
     QT_TRANSLATE_NOOP("Commands", "改变打印机及打印选项\n打印设置"), ""},
    // Stands in the file menu, grayed, while the recent-file list is empty.
    {platform::ID_FILE_MRU_FILE1, QT_TRANSLATE_NOOP("Commands", "最近编辑文件(&L)"), "",
     QT_TRANSLATE_NOOP("Commands", "打开该文档"), ""},
    {platform::ID_APP_EXIT, QT_TRANSLATE_NOOP("Commands", "退出(&X)"), "",
     QT_TRANSLATE_NOOP("Commands", "退出应用程序；提示保存文档\n退出"), ""},
    // The edit menu.
    {ID_TOGGLE_STANDARD_BAR, QT_TRANSLATE_NOOP("Commands", "标准工具条"), "",
     QT_TRANSLATE_NOOP("Commands", "显示，隐藏标准工具条"), "", CommandMark::Check},
    {ID_TOGGLE_DRUG_BAR, QT_TRANSLATE_NOOP("Commands", "药物工具条"), "",
     QT_TRANSLATE_NOOP("Commands", "显示，隐藏药物工具条"), "", CommandMark::Check},
    {platform::ID_EDIT_UNDO, QT_TRANSLATE_NOOP("Commands", "撤消(&U)"), "Ctrl+Z; Alt+Backspace",
     QT_TRANSLATE_NOOP("Commands", "撤消最后一步操作\n撤消"), ""},
    {platform::ID_EDIT_CUT, QT_TRANSLATE_NOOP("Commands", "剪切(&T)"), "Ctrl+X; Shift+Del",
     QT_TRANSLATE_NOOP("Commands", "剪切被选对象并将其置于剪贴板上\n剪切"), ":/icons/edit_cut.svg"},
    {platform::ID_EDIT_COPY, QT_TRANSLATE_NOOP("Commands", "复制(&C)"), "Ctrl+C; Ctrl+Ins",
     QT_TRANSLATE_NOOP("Commands", "复制被选对象并将其置于剪贴板上\n复制"),
     ":/icons/edit_copy.svg"},
    {platform::ID_EDIT_PASTE, QT_TRANSLATE_NOOP("Commands", "粘贴(&P)"), "Ctrl+V; Shift+Ins",
     QT_TRANSLATE_NOOP("Commands", "插入剪贴板内容\n粘贴"), ":/icons/edit_paste.svg"},
    // The window menu, and the keys that move between a window's panes.
    {platform::ID_WINDOW_CASCADE, QT_TRANSLATE_NOOP("Commands", "层叠(&C)"), "",
     QT_TRANSLATE_NOOP("Commands", "排列窗口成相互重叠\n层叠窗口"), ""},
    {platform::ID_WINDOW_TILE_HORZ, QT_TRANSLATE_NOOP("Commands", "平铺(&T)"), "",
     QT_TRANSLATE_NOOP("Commands", "排列窗口成互不重叠\n平铺窗口"), ""},
    {platform::ID_WINDOW_ARRANGE, QT_TRANSLATE_NOOP("Commands", "排列图标(&A)"), "",
     QT_TRANSLATE_NOOP("Commands", "将图标排列在窗口底部\n排列图标"), ""},
    {platform::ID_NEXT_PANE, "", "F6", QT_TRANSLATE_NOOP("Commands", "切换到下一个窗格\n下一窗格"),
     ""},
    {platform::ID_PREV_PANE, "", "Shift+F6",
     QT_TRANSLATE_NOOP("Commands", "切换回前一个窗格\n前一窗格"), ""},
    // Drug lists to and from spreadsheets, and the printed handbook.
    {ID_FILE_IMPORT, QT_TRANSLATE_NOOP("Commands", "导入(&I)..."), "",
     QT_TRANSLATE_NOOP("Commands", "从CSV文件导入药物: 建立新药物字典或追加到当前字典\n导入"), ""},
    {ID_FILE_EXPORT_ALL, QT_TRANSLATE_NOOP("Commands", "导出全部药物(&E)..."), "",
     QT_TRANSLATE_NOOP("Commands", "把当前字典的全部药物导出为CSV文件\n导出"), ""},
    {ID_FILE_EXPORT_RESULTS, QT_TRANSLATE_NOOP("Commands", "导出浏览结果(&B)..."), "",
     QT_TRANSLATE_NOOP("Commands", "把当前浏览结果中的药物导出为CSV文件\n导出浏览结果"), ""},
    {ID_FILE_MERGE, QT_TRANSLATE_NOOP("Commands", "合并字典(&G)..."), "",
     QT_TRANSLATE_NOOP("Commands",
                       "把另一个药物字典 (同事的文件或冲突副本) 合并到当前字典\n合并字典"),
     ""},
    {ID_HANDBOOK_PRINT, QT_TRANSLATE_NOOP("Commands", "打印手册(&P)..."), "",
     QT_TRANSLATE_NOOP("Commands", "打印药物手册: 封面、目录和每种药物\n打印手册"), ""},
    {ID_HANDBOOK_PREVIEW, QT_TRANSLATE_NOOP("Commands", "手册预览(&V)"), "",
     QT_TRANSLATE_NOOP("Commands", "显示药物手册的打印效果\n手册预览"), ""},
    {ID_HANDBOOK_PDF, QT_TRANSLATE_NOOP("Commands", "手册存为PDF(&F)..."), "",
     QT_TRANSLATE_NOOP("Commands", "把药物手册写成PDF文件\n手册存为PDF"), ""},
    {ID_HANDBOOK_RESULTS_ONLY, QT_TRANSLATE_NOOP("Commands", "只含浏览结果(&R)"), "",
     QT_TRANSLATE_NOOP("Commands", "手册只收当前浏览结果中的药物, 否则收全部药物"), "",
     CommandMark::Check},
    // The size of the record text and the tree.
    {ID_VIEW_ZOOM_IN, QT_TRANSLATE_NOOP("Commands", "放大(&I)"),
     "Ctrl++; Ctrl+=", QT_TRANSLATE_NOOP("Commands", "放大药物列表和药物全文的字体\n放大"), ""},
    {ID_VIEW_ZOOM_OUT, QT_TRANSLATE_NOOP("Commands", "缩小(&O)"), "Ctrl+-",
     QT_TRANSLATE_NOOP("Commands", "缩小药物列表和药物全文的字体\n缩小"), ""},
    {ID_VIEW_ZOOM_RESET, QT_TRANSLATE_NOOP("Commands", "原始大小(&Z)"), "Ctrl+0",
     QT_TRANSLATE_NOOP("Commands", "恢复字体的原始大小\n原始大小"), ""},
    // The help menu.
    {ID_HELP_GUIDE, QT_TRANSLATE_NOOP("Commands", "用户指南(&G)"), "F1",
     QT_TRANSLATE_NOOP("Commands", "打开程序的用户指南\n用户指南"), ""},
    {platform::ID_APP_ABOUT, QT_TRANSLATE_NOOP("Commands", "关于(&A)..."), "",
     QT_TRANSLATE_NOOP("Commands", "显示程序信息，版本号和版权\n关于"), ":/icons/app_about.svg"},
    // The drug tool bar.
    {ID_DRUG_SAVE, "", "",
     QT_TRANSLATE_NOOP("Commands", "保存对当前Quorbex的改变\n保存对当前Quorbex的改变"),
     ":/icons/drug_save.svg"},
    // Also the drug menu's items; their keys act on the tree's selection, and
    // a text box with the focus keeps Del for itself.
    {ID_DRUG_MODIFY, QT_TRANSLATE_NOOP("Commands", "修改(&M)..."), "F2",
     QT_TRANSLATE_NOOP("Commands", "修改当前药物\n修改当前药物"), ":/icons/drug_modify.svg"},
    {ID_DRUG_APPEND, QT_TRANSLATE_NOOP("Commands", "追加(&A)..."), "Ins",
     QT_TRANSLATE_NOOP("Commands", "追加记录\n追加"), ":/icons/drug_append.svg"},
    {ID_DRUG_DELETE, QT_TRANSLATE_NOOP("Commands", "删除(&D)"), "Del",
     QT_TRANSLATE_NOOP("Commands", "删除当前记录\n删除"), ":/icons/drug_delete.svg"},
    {ID_DRUG_SEARCH, QT_TRANSLATE_NOOP("Commands", "查询(&S)..."), "F3",
     QT_TRANSLATE_NOOP("Commands", "浏览记录\n浏览"), ":/icons/drug_search.svg"},
    {ID_QUICK_SEARCH, QT_TRANSLATE_NOOP("Commands", "快速查找(&F)"), "Ctrl+F",
     QT_TRANSLATE_NOOP("Commands", "在药物工具条的查找框中边输入边查找\n快速查找"), ""},
    {ID_SEARCH_ALL_DICTIONARIES, QT_TRANSLATE_NOOP("Commands", "在所有字典中查找(&L)"),
     "Ctrl+Shift+F",
     QT_TRANSLATE_NOOP("Commands", "在每个打开的药物字典中快速查找查找框的内容\n在所有字典中查找"),
     ""},
    {ID_HISTORY_BACK, QT_TRANSLATE_NOOP("Commands", "后退(&B)"), "Alt+Left",
     QT_TRANSLATE_NOOP("Commands", "回到本窗口中前一个查看的药物\n后退"), ""},
    {ID_HISTORY_FORWARD, QT_TRANSLATE_NOOP("Commands", "前进(&W)"), "Alt+Right",
     QT_TRANSLATE_NOOP("Commands", "转到本窗口中后一个查看的药物\n前进"), ""},
    // The drug menu. Ctrl+Z stays with the record text, as in any edit box.
    {ID_RECORD_UNDO, QT_TRANSLATE_NOOP("Commands", "撤消记录改动(&Z)"), "Ctrl+Alt+Z",
     QT_TRANSLATE_NOOP("Commands", "撤消最后一次药物的追加、修改或删除\n撤消记录改动"), ""},
    {ID_RECORD_REDO, QT_TRANSLATE_NOOP("Commands", "重做记录改动(&Y)"), "Ctrl+Alt+Y",
     QT_TRANSLATE_NOOP("Commands", "重做刚撤消的药物改动\n重做记录改动"), ""},
    // The drop-down menus of the search and delete buttons.
    {ID_SORT_BY_TRADE_NAME, QT_TRANSLATE_NOOP("Commands", "按品名排序"), "", "", "",
     CommandMark::Radio},
    {ID_SORT_BY_ENGLISH_NAME, QT_TRANSLATE_NOOP("Commands", "按英文排序"), "", "", "",
     CommandMark::Radio},
    {ID_SORT_BY_PINYIN, QT_TRANSLATE_NOOP("Commands", "按拼音排序"), "", "", "",
     CommandMark::Radio},
    {ID_SEARCH_TRADE_NAME, QT_TRANSLATE_NOOP("Commands", "搜索品名"), "", "", "",
     CommandMark::Check},
    {ID_SEARCH_PINYIN, QT_TRANSLATE_NOOP("Commands", "搜索拼音"), "", "", "", CommandMark::Check},
    {ID_SEARCH_OTHER_NAMES, QT_TRANSLATE_NOOP("Commands", "搜索别名"), "", "", "",
     CommandMark::Check},
    {ID_SEARCH_ENGLISH_NAME, QT_TRANSLATE_NOOP("Commands", "搜索英文"), "", "", "",
     CommandMark::Check},
    {ID_SEARCH_FUNCTION, QT_TRANSLATE_NOOP("Commands", "搜索功能"), "", "", "", CommandMark::Check},
    {ID_SEARCH_USAGE, QT_TRANSLATE_NOOP("Commands", "搜索用法"), "", "", "", CommandMark::Check},
    {ID_SEARCH_CAUTIONS, QT_TRANSLATE_NOOP("Commands", "搜索禁忌"), "", "", "", CommandMark::Check},
    {ID_SEARCH_ALL, QT_TRANSLATE_NOOP("Commands", "全部搜索"), "", "", "", CommandMark::Check},
    {ID_CONFIRM_DELETE, QT_TRANSLATE_NOOP("Commands", "确认删除"), "",
     QT_TRANSLATE_NOOP("Commands", "删除记录时弹出确认对话框"), "", CommandMark::Check},
};

}  // namespace quorbex
