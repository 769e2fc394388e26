// The dialog templates: caption, font, size and controls, with every
// position in dialog units, as the dialogs are laid out from them. Each
// dialog's texts are translated in the template's context.
#pragma once

#include <QtGlobal>

#include "platform/dialog_template.h"

namespace quorbex {

using platform::ControlKind;
using platform::CTL_CENTER;
using platform::CTL_DISABLED;
using platform::CTL_HIDDEN;
using platform::CTL_NO_TABSTOP;
using platform::CTL_READ_ONLY;
using platform::DialogControl;
using platform::DialogTemplate;

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_TEXT_INPUT = 124;
inline constexpr int IDD_STARTUP = 125;
inline constexpr int IDD_DRUG_ENTRY = 176;

inline constexpr int IDC_STATIC = -1;
inline constexpr int IDOK_BUTTON = 1;
inline constexpr int IDCANCEL_BUTTON = 2;

// Drug entry dialog.
inline constexpr int IDC_TRADE_NAME = 1000;
inline constexpr int IDC_ENGLISH_NAME = 1001;
inline constexpr int IDC_PINYIN = 1002;
inline constexpr int IDC_OTHER_NAMES = 1003;
inline constexpr int IDC_USAGE = 1004;
inline constexpr int IDC_FUNCTION = 1005;
inline constexpr int IDC_CAUTIONS = 1006;
inline constexpr int IDC_NO_ENTER = 1194;

// Startup dialog.
inline constexpr int IDC_RADIO_TEMPLATE = 1233;
inline constexpr int IDC_RADIO_NEW_EMPTY = 1234;
inline constexpr int IDC_RADIO_OPEN_RECENT = 1235;
inline constexpr int IDC_RECENT_LIST = 1236;

// About box.
inline constexpr int IDC_EXPAND = 1206;
inline constexpr int IDC_AUTHOR_NOTE = 1207;

// Text input dialog.
inline constexpr int IDC_INPUT_TEXT = 1055;
inline constexpr int IDC_INPUT_PROMPT = 1056;

inline constexpr DialogControl DRUG_ENTRY_CONTROLS[] = {
    {IDC_STATIC, ControlKind::Static, QT_TRANSLATE_NOOP("DrugEntryDialog", "品名:"), 7, 8, 19, 8},
    {IDC_TRADE_NAME, ControlKind::LineEdit, "", 28, 7, 69, 12},
    {IDC_STATIC, ControlKind::Static, QT_TRANSLATE_NOOP("DrugEntryDialog", "英文:"), 98, 8, 19, 8},
    {IDC_ENGLISH_NAME, ControlKind::LineEdit, "", 117, 7, 69, 12},
    {IDC_STATIC, ControlKind::Static, QT_TRANSLATE_NOOP("DrugEntryDialog", "拼音:"), 187, 8, 19, 8},
    {IDC_PINYIN, ControlKind::LineEdit, "", 207, 7, 37, 12},
    {IDC_STATIC, ControlKind::Static, QT_TRANSLATE_NOOP("DrugEntryDialog", "别名:"), 7, 23, 19, 8},
    {IDC_OTHER_NAMES, ControlKind::LineEdit, "", 28, 21, 216, 12},
    {IDC_STATIC, ControlKind::Static, QT_TRANSLATE_NOOP("DrugEntryDialog", "用法:"), 7, 35, 19, 8},
    {IDC_USAGE, ControlKind::MultiLineEdit, "", 28, 35, 216, 46},
    {IDC_STATIC, ControlKind::Static, QT_TRANSLATE_NOOP("DrugEntryDialog", "功能:"), 7, 83, 19, 8},
    {IDC_FUNCTION, ControlKind::MultiLineEdit, "", 28, 83, 216, 46},
    {IDC_STATIC, ControlKind::Static, QT_TRANSLATE_NOOP("DrugEntryDialog", "注意:"), 7, 131, 19, 8},
    {IDC_CAUTIONS, ControlKind::MultiLineEdit, "", 28, 131, 216, 46},
    {IDOK_BUTTON, ControlKind::PushButton, QT_TRANSLATE_NOOP("DrugEntryDialog", "确认"), 69, 182,
     50, 14},
    {IDCANCEL_BUTTON, ControlKind::PushButton, QT_TRANSLATE_NOOP("DrugEntryDialog", "取消"), 132,
     182, 50, 14},
    {IDC_NO_ENTER, ControlKind::DefaultPushButton,
     QT_TRANSLATE_NOOP("DrugEntryDialog", "屏蔽回车按钮"), 22, 182, 37, 14,
     CTL_HIDDEN | CTL_NO_TABSTOP},
};

inline constexpr DialogTemplate DRUG_ENTRY_TEMPLATE{
    IDD_DRUG_ENTRY,
    "DrugEntryDialog",
    QT_TRANSLATE_NOOP("DrugEntryDialog", "药物输入窗口"),
    "System",
    10,
    251,
    203,
    DRUG_ENTRY_CONTROLS};

// The same dialog for labels that need more room than the Chinese ones (the
// record view's words in English): the same controls in the same order, the
// labels' column and the name boxes wider.
inline constexpr DialogControl DRUG_ENTRY_WIDE_CONTROLS[] = {
    {IDC_STATIC, ControlKind::Static, DRUG_ENTRY_CONTROLS[0].text, 7, 8, 48, 8},
    {IDC_TRADE_NAME, ControlKind::LineEdit, "", 57, 7, 80, 12},
    {IDC_STATIC, ControlKind::Static, DRUG_ENTRY_CONTROLS[2].text, 141, 8, 52, 8},
    {IDC_ENGLISH_NAME, ControlKind::LineEdit, "", 194, 7, 80, 12},
    {IDC_STATIC, ControlKind::Static, DRUG_ENTRY_CONTROLS[4].text, 278, 8, 28, 8},
    {IDC_PINYIN, ControlKind::LineEdit, "", 307, 7, 40, 12},
    {IDC_STATIC, ControlKind::Static, DRUG_ENTRY_CONTROLS[6].text, 7, 23, 48, 8},
    {IDC_OTHER_NAMES, ControlKind::LineEdit, "", 57, 21, 290, 12},
    {IDC_STATIC, ControlKind::Static, DRUG_ENTRY_CONTROLS[8].text, 7, 35, 48, 8},
    {IDC_USAGE, ControlKind::MultiLineEdit, "", 57, 35, 290, 46},
    {IDC_STATIC, ControlKind::Static, DRUG_ENTRY_CONTROLS[10].text, 7, 83, 48, 8},
    {IDC_FUNCTION, ControlKind::MultiLineEdit, "", 57, 83, 290, 46},
    {IDC_STATIC, ControlKind::Static, DRUG_ENTRY_CONTROLS[12].text, 7, 131, 48, 8},
    {IDC_CAUTIONS, ControlKind::MultiLineEdit, "", 57, 131, 290, 46},
    {IDOK_BUTTON, ControlKind::PushButton, DRUG_ENTRY_CONTROLS[14].text, 119, 182, 50, 14},
    {IDCANCEL_BUTTON, ControlKind::PushButton, DRUG_ENTRY_CONTROLS[15].text, 185, 182, 50, 14},
    {IDC_NO_ENTER, ControlKind::DefaultPushButton, DRUG_ENTRY_CONTROLS[16].text, 22, 182, 37, 14,
     CTL_HIDDEN | CTL_NO_TABSTOP},
};

inline constexpr DialogTemplate DRUG_ENTRY_WIDE_TEMPLATE{IDD_DRUG_ENTRY,
                                                         "DrugEntryDialog",
                                                         DRUG_ENTRY_TEMPLATE.caption,
                                                         DRUG_ENTRY_TEMPLATE.fontFamily,
                                                         DRUG_ENTRY_TEMPLATE.fontPointSize,
                                                         354,
                                                         203,
                                                         DRUG_ENTRY_WIDE_CONTROLS};

inline constexpr DialogControl TEXT_INPUT_CONTROLS[] = {
    {IDC_STATIC, ControlKind::Icon, ":/icons/keyboard.svg", 15, 20, 20, 20},  // icon 177
    {IDC_INPUT_PROMPT, ControlKind::Static, QT_TRANSLATE_NOOP("TextInputDialog", "请输入数据:"), 46,
     14, 185, 8},
    {IDC_INPUT_TEXT, ControlKind::LineEdit, "", 46, 26, 185, 14},
    {IDC_STATIC, ControlKind::Static, "────────────────────────────", 7, 47, 224, 8,
     CTL_DISABLED | CTL_CENTER},
    {IDCANCEL_BUTTON, ControlKind::PushButton, QT_TRANSLATE_NOOP("TextInputDialog", "取消(&C)"),
     126, 65, 50, 14},
    {IDOK_BUTTON, ControlKind::DefaultPushButton, QT_TRANSLATE_NOOP("TextInputDialog", "确认(&O)"),
     61, 65, 50, 14},
};

inline constexpr DialogTemplate TEXT_INPUT_TEMPLATE{
    IDD_TEXT_INPUT,
    "TextInputDialog",
    QT_TRANSLATE_NOOP("TextInputDialog", "数据输入窗口"),
    "宋体",
    9,
    238,
    93,
    TEXT_INPUT_CONTROLS,
    true};

inline constexpr DialogControl ABOUT_CONTROLS[] = {
    {IDC_STATIC, ControlKind::Icon, ":/icons/application.svg", 23, 19, 20, 20},  // icon 128
    {IDC_STATIC, ControlKind::Static, "Halvern", 80, 20, 33, 8, CTL_CENTER},
    {IDC_STATIC, ControlKind::Static, "Quorbex", 69, 33, 56, 8, CTL_CENTER},
    {IDOK_BUTTON, ControlKind::DefaultPushButton, QT_TRANSLATE_NOOP("AboutDialog", "确定"), 44, 51,
     50, 14},
    {IDC_EXPAND, ControlKind::PushButton, QT_TRANSLATE_NOOP("AboutDialog", "关于作者"), 100, 51, 50,
     14},
    {IDC_STATIC, ControlKind::Static, QT_TRANSLATE_NOOP("AboutDialog", "作者: Halvern 开发组"), 21,
     74, 152, 8},
    {IDC_AUTHOR_NOTE, ControlKind::MultiLineEdit, "", 7, 90, 180, 62, CTL_HIDDEN | CTL_READ_ONLY},
};

inline constexpr DialogTemplate ABOUT_TEMPLATE{
    IDD_ABOUTBOX, "AboutDialog", QT_TRANSLATE_NOOP("AboutDialog", "关于Quorbex"), "宋体", 9, 195,
    159,          ABOUT_CONTROLS};

// The author's note shown at the bottom of the about box, translated in the
// about box's context.
inline constexpr char IDS_AUTHOR_NOTE[] =
    QT_TRANSLATE_NOOP("AboutDialog",
                      "    这本小小的药物手册, 起初只是写给自己用的:\r\n"
                      "    夜班时查一个药名, 不想再翻厚厚的书。\r\n"
                      "    后来同事们也拿去用, 便慢慢添了查找、\r\n"
                      "    修改和打印的功能。\r\n"
                      "    书中的每一条记录都由您自己写下,\r\n"
                      "    请在用药前核对正式的说明书。\r\n"
                      "    愿它在忙碌的日子里帮上一点小忙。");

inline constexpr DialogControl STARTUP_CONTROLS[] = {
    {IDC_STATIC, ControlKind::GroupBox, QT_TRANSLATE_NOOP("StartupDialog", "新建药物字典"), 7, 7,
     144, 33},
    {IDC_STATIC, ControlKind::Icon, ":/icons/new_dictionary.svg", 13, 18, 20, 20},  // icon 179
    {IDC_STATIC, ControlKind::GroupBox, "", 7, 42, 144, 71},
    {IDC_STATIC, ControlKind::Icon, ":/icons/recent_dictionary.svg", 13, 48, 20, 20},  // icon 178
    {IDC_RADIO_TEMPLATE, ControlKind::RadioButton,
     QT_TRANSLATE_NOOP("StartupDialog", "药物字典创建模板(&T)"), 32, 18, 88, 10, CTL_DISABLED},
    {IDC_RADIO_NEW_EMPTY, ControlKind::RadioButton,
     QT_TRANSLATE_NOOP("StartupDialog", "建立空的药物字典(&N)"), 32, 29, 84, 10},
    {IDC_RADIO_OPEN_RECENT, ControlKind::RadioButton,
     QT_TRANSLATE_NOOP("StartupDialog", "打开用过的药物字典(&U)"), 32, 53, 91, 10},
    {IDC_RECENT_LIST, ControlKind::ListBox, "", 13, 65, 132, 45},
    {IDCANCEL_BUTTON, ControlKind::PushButton, QT_TRANSLATE_NOOP("StartupDialog", "取消"), 24, 127,
     50, 14},
    {IDOK_BUTTON, ControlKind::DefaultPushButton, QT_TRANSLATE_NOOP("StartupDialog", "确认"), 84,
     127, 50, 14},
};

inline constexpr DialogTemplate STARTUP_TEMPLATE{
    IDD_STARTUP, "StartupDialog", "Quorbex", "System", 10, 158, 148, STARTUP_CONTROLS};

}  // namespace quorbex
