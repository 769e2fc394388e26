// The program's string table: every message, label and caption that code
// shows, besides the command table, the menus and the dialog templates. The
// Chinese texts are the ones the program shows by default, and the keys of
// their translations: QT_TRANSLATE_NOOP marks each for lupdate with its
// context (one per subject), and Tr() gives it in the user's language.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <cstddef>

#include "platform/string_table.h"

namespace quorbex {

enum class UiText {
    // The main window.
    IdleMessage,
    StandardToolBarTitle,
    DrugToolBarTitle,
    RecordsPaneWidth,
    RecordsPane,
    CapsLockPane,
    NumLockPane,
    ScrollLockPane,
    ExitQuestion,
    ExitCaption,
    // The dictionary document.
    NotADictionary,
    OpenErrorCaption,
    SearchPrompt,
    NothingFound,
    SearchFailedCaption,
    DictionaryFull,
    AppendCaption,
    NoDrugToModify,
    ModifyCaption,
    NothingToDelete,
    DeleteCaption,
    DeleteQuestion,
    // The dictionary document type.
    DocumentName,
    NewFileName,
    FilterName,
    FileTypeName,
    // The result tree and the record text.
    ResultsRoot,
    HeadingTradeName,
    HeadingEnglishName,
    HeadingFunction,
    HeadingUsage,
    HeadingCautions,
    PrintTitle,
    PrintPreviewTitle,
    PrintCaption,
    CannotWritePdf,
    NoDefaultPrinter,
    PrinterNotFound,
    // The dialogs.
    TradeNameTip,
    EnglishNameTip,
    PinyinTip,
    OtherNamesTip,
    FunctionTip,
    UsageTip,
    CautionsTip,
    NameRequired,
    InputErrorCaption,
    NoRecentFileChosen,
    ErrorCaption,
    // The byte limits of the edit boxes.
    BytesLeftTip,
    EditTooLong,
    PastedTextKept,
    DroppedTextKept,
    PasteCut,
    // The record text, edited.
    RecordEditsNotKept,
    // The application.
    OneInstanceOnly,
    OpenTitle,
    PrintSetupTitle,
    // What the program refuses or warns of to keep the user's work safe:
    // recovery files at start and when they cannot be written, a folder
    // that is not the user's own, and formulas in CSV cells.
    RecoveryListTitle,
    RecoveryListText,
    RecoveryDamagedEntry,
    RestoreAllButton,
    DiscardAllButton,
    OneByOneButton,
    AskLaterButton,
    RecoveryWriteFailed,
    RecoveryWriteStatus,
    FolderIsLink,
    FolderOtherOwner,
    FolderNotAFolder,
    FolderOpenToOthers,
    GuardFormulas,
    UnguardFormulas,
    ReplaceQuestion,
    // The command line.
    CommandLineHelp,
    SortNeedsValue,
    UnknownSort,
    // The quick search box of the drug tool bar.
    QuickSearchPlaceholder,
    QuickSearchTip,
    // What the quick search says, the drugs viewed, and the search in every
    // open dictionary.
    QuickSearchLimit,
    DidYouMean,
    NothingViewed,
    AllDictionariesTitle,
    AllDictionariesGroup,
    AllDictionariesNothing,
    AllDictionariesBlank,
    // Drug lists to and from CSV files.
    ImportTitle,
    ImportFileLabel,
    ImportEncodingLabel,
    EncodingAuto,
    ImportIntoNew,
    ImportAppend,
    BrowseButton,
    CsvFilter,
    ImportCaption,
    NotAFile,
    ImportFaults,
    MoreFaults,
    NothingImported,
    ImportTooMany,
    ExportTitle,
    ExportCaption,
    ExportFaults,
    CannotWriteFile,
    // Importing a spreadsheet: the choices and what is wrong with a list.
    ImportFillPinyin,
    ImportHeaderRow,
    ImportColumnsLabel,
    ImportColumnSkipped,
    ImportDuplicatesLabel,
    DuplicatesSkip,
    DuplicatesReplace,
    DuplicatesKeepBoth,
    DuplicatesFound,
    DuplicatesWillSkip,
    DuplicatesWillReplace,
    DuplicatesWillKeepBoth,
    ImportDone,
    FaultAtRow,
    FaultAtRowOfDrug,
    FaultQuoting,
    FaultUnclosedQuote,
    FaultTooManyCells,
    FaultRowTooLong,
    FaultEmpty,
    FaultNoFieldNamed,
    FaultDuplicateField,
    FaultNoNameColumn,
    FaultSkippedColumns,
    FaultUnnamedColumn,
    FaultTooManyDrugs,
    FaultCellCount,
    FaultHoldsNul,
    FaultHoldsLineBreak,
    FaultNotUtf8,
    FaultNotGbk,
    FaultUnencodable,
    FaultTooLong,
    FaultNoName,
    FaultNotExportable,
    // A dictionary shared with others: changes on disk, merges, conflicts.
    ReloadedFromDisk,
    ChangedOnDiskBar,
    MergeChoice,
    ReloadChoice,
    KeepMineChoice,
    CancelChoice,
    ReloadQuestion,
    SaveOverChangeQuestion,
    MergeTooLarge,
    MergeNotADictionary,
    MergeCannotRead,
    MergedChanges,
    NothingToMerge,
    MergeTitle,
    ConflictCopyBar,
    IgnoreChoice,
    ConflictDialogTitle,
    ConflictDialogIntro,
    ConflictFieldColumn,
    ConflictMineColumn,
    ConflictTheirsColumn,
    ConflictResultColumn,
    TakeMine,
    TakeTheirs,
    DeletedVersion,
    KeepDrug,
    // The printed handbook.
    HandbookSubtitle,
    HandbookDrugCount,
    HandbookContents,
    HandbookPageFooter,
    PdfFilter,
    HandbookPdfTitle,
    HandbookContinued,
    HandbookQuery,
    HandbookEveryResult,
    HandbookSearched,
    HandbookFieldSeparator,
    HandbookOrderPinyin,
    HandbookOrderTrade,
    HandbookOrderEnglish,
    // The fields of a drug, as a sentence names them.
    FieldTradeName,
    FieldPinyin,
    FieldOtherNames,
    FieldEnglishName,
    FieldFunction,
    FieldUsage,
    FieldCautions,
    FieldAll,
    // The user guide.
    GuideTitle,
    GuideMissing,
};

struct UiTextEntry {
    UiText id;
    const char* context;
    const char* source;  // UTF-8
};

// In the order of UiText, which the check below keeps.
inline constexpr UiTextEntry STRING_TABLE[] = {
    {UiText::IdleMessage, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "谢谢使用Halvern!")},
    {UiText::StandardToolBarTitle, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "工具条")},
    {UiText::DrugToolBarTitle, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "药物工具条")},
    //: Not shown: the record counts' pane is made as wide as this text.
    {UiText::RecordsPaneWidth, "MainWindow",
     QT_TRANSLATE_NOOP("MainWindow", "库文件记录:0000条,当前列表记录:0000条")},
    //: %1 the records in the dictionary, %2 the results of the last search
    {UiText::RecordsPane, "MainWindow",
     QT_TRANSLATE_NOOP("MainWindow", "库文件记录:%1条,当前浏览结果:%2条")},
    //: Status bar pane, shown while Caps Lock is on
    {UiText::CapsLockPane, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "大写")},
    //: Status bar pane, shown while Num Lock is on
    {UiText::NumLockPane, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "数字")},
    //: Status bar pane, shown while Scroll Lock is on
    {UiText::ScrollLockPane, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "滚动")},
    {UiText::ExitQuestion, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "确认要退出Halvern吗?")},
    {UiText::ExitCaption, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "退出...")},

    {UiText::NotADictionary, "Document",
     QT_TRANSLATE_NOOP("Document", "此文件不是有效药物库文件,可能已被破坏")},
    {UiText::OpenErrorCaption, "Document", QT_TRANSLATE_NOOP("Document", "文件打开错误...")},
    {UiText::SearchPrompt, "Document", QT_TRANSLATE_NOOP("Document", "请输入要查找的内容:")},
    {UiText::NothingFound, "Document",
     QT_TRANSLATE_NOOP("Document", "没查到满足条件的药物记录!!!")},
    {UiText::SearchFailedCaption, "Document", QT_TRANSLATE_NOOP("Document", "查询失败..")},
    {UiText::DictionaryFull, "Document",
     QT_TRANSLATE_NOOP("Document", "药物字典已满,最多只能存放2000条药物记录!")},
    {UiText::AppendCaption, "Document", QT_TRANSLATE_NOOP("Document", "追加...")},
    {UiText::NoDrugToModify, "Document", QT_TRANSLATE_NOOP("Document", "字典中无药物!")},
    {UiText::ModifyCaption, "Document", QT_TRANSLATE_NOOP("Document", "修改...")},
    {UiText::NothingToDelete, "Document", QT_TRANSLATE_NOOP("Document", "记录已被删完!")},
    {UiText::DeleteCaption, "Document", QT_TRANSLATE_NOOP("Document", "删除...")},
    //: %1 the name of the drug
    {UiText::DeleteQuestion, "Document",
     QT_TRANSLATE_NOOP("Document", "将要删除药物:\n\n%1\n\n确认吗?")},

    //: The title of a new dictionary, before its number
    {UiText::DocumentName, "DocumentType", QT_TRANSLATE_NOOP("DocumentType", "我的药物字典_")},
    {UiText::NewFileName, "DocumentType", QT_TRANSLATE_NOOP("DocumentType", "新药物字典")},
    //: The file dialogs' filter; its pattern follows it
    {UiText::FilterName, "DocumentType",
     QT_TRANSLATE_NOOP("DocumentType", "药物字典文件 (*.*.zvk)")},
    //: The desktop's name for .zvk files
    {UiText::FileTypeName, "DocumentType", QT_TRANSLATE_NOOP("DocumentType", "药物字典")},

    {UiText::ResultsRoot, "Views", QT_TRANSLATE_NOOP("Views", "浏览药物结果")},
    //: Record text: the heading before the trade name
    {UiText::HeadingTradeName, "Views", QT_TRANSLATE_NOOP("Views", "[品名]")},
    //: Record text: the heading before the English name
    {UiText::HeadingEnglishName, "Views", QT_TRANSLATE_NOOP("Views", "[英文]")},
    //: Record text: the heading above the function, on a line of its own
    {UiText::HeadingFunction, "Views", QT_TRANSLATE_NOOP("Views", "[功能]")},
    //: Record text: the heading above the usage, on a line of its own
    {UiText::HeadingUsage, "Views", QT_TRANSLATE_NOOP("Views", "[用法]")},
    //: Record text: the heading above the cautions, on a line of its own
    {UiText::HeadingCautions, "Views", QT_TRANSLATE_NOOP("Views", "[注意事项]")},
    {UiText::PrintTitle, "Views", QT_TRANSLATE_NOOP("Views", "打印")},
    {UiText::PrintPreviewTitle, "Views", QT_TRANSLATE_NOOP("Views", "打印预览")},
    {UiText::PrintCaption, "Views", QT_TRANSLATE_NOOP("Views", "打印...")},
    //: %1 the PDF file
    {UiText::CannotWritePdf, "Views", QT_TRANSLATE_NOOP("Views", "无法写入文件“%1”,没有打印。")},
    {UiText::NoDefaultPrinter, "Views",
     QT_TRANSLATE_NOOP("Views",
                       "没有找到默认打印机,无法直接打印。\n请先在系统中安装并设定打印机。")},
    //: %1 the printer's name
    {UiText::PrinterNotFound, "Views", QT_TRANSLATE_NOOP("Views", "找不到打印机“%1”,无法打印。")},

    {UiText::TradeNameTip, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "药物商品名称,小于10个汉字")},
    {UiText::EnglishNameTip, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "药物英文名称,小于20个字母")},
    {UiText::PinyinTip, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "药物拼音首字母简写,小于10个字母")},
    {UiText::OtherNamesTip, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "药物其它商品名称,小于20个汉字")},
    {UiText::FunctionTip, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "药物功能作用,小于100个汉字")},
    {UiText::UsageTip, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "药物用法及用量,小于100个汉字")},
    {UiText::CautionsTip, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "药物使用注意事项及禁忌,小于100个汉字")},
    {UiText::NameRequired, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "品名 和 英文名 至少有一个有效")},
    {UiText::InputErrorCaption, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "输入错误")},
    {UiText::NoRecentFileChosen, "StartupDialog",
     QT_TRANSLATE_NOOP("StartupDialog", "历史文件列表未选定文件!")},
    {UiText::ErrorCaption, "StartupDialog", QT_TRANSLATE_NOOP("StartupDialog", "错误...")},
    //: The tool tip of a field's counter; %1 the bytes still free
    {UiText::BytesLeftTip, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "这一栏还能放%1个字节 (一个汉字占两个字节)")},
    //: %1 the field, %2 the bytes that do not fit, %3 the field's limit, %4 the bytes
    //: still free, %5 the text that does not fit
    {UiText::EditTooLong, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog",
                       "“%1”放不下这段文字: 多出%2个字节, 所以一个字也没有放入。\n"
                       "这一栏最多%3个字节, 还能放%4个字节。\n\n"
                       "放不下的是这一部分:\n%5\n\n"
                       "请先缩短这一栏或这段文字, 再放入一次。")},
    {UiText::PastedTextKept, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "粘贴的文字仍在剪贴板上。")},
    {UiText::DroppedTextKept, "DrugEntryDialog",
     QT_TRANSLATE_NOOP("DrugEntryDialog", "拖来的文字留在原处。")},
    //: %1 the box's limit in bytes, %2 the text cut off
    {UiText::PasteCut, "TextInputDialog",
     QT_TRANSLATE_NOOP("TextInputDialog", "粘贴的文字超过%1个字节, 截去了后面的部分:\n%2")},
    //: The status bar, at the first edit in the record text
    {UiText::RecordEditsNotKept, "Views",
     QT_TRANSLATE_NOOP("Views", "这里的修改不会保存; 要修改这种药物, 请按 F2。")},

    {UiText::OneInstanceOnly, "Application",
     QT_TRANSLATE_NOOP("Application",
                       "你同时只能运行Quorbex的一个实例!!!\n\n请从任务栏上将之最大化!")},
    //: The title of the file dialog that opens a dictionary
    {UiText::OpenTitle, "Application", QT_TRANSLATE_NOOP("Application", "打开")},
    {UiText::PrintSetupTitle, "Application", QT_TRANSLATE_NOOP("Application", "打印设置")},

    {UiText::RecoveryListTitle, "Safety", QT_TRANSLATE_NOOP("Safety", "恢复未保存的改动")},
    //: %1 how many dictionaries are listed below
    {UiText::RecoveryListText, "Safety",
     QT_TRANSLATE_NOOP("Safety",
                       "程序上次没有正常结束, 以下%1个药物字典中有未保存的改动。\n"
                       "恢复的字典作为已修改的字典打开, 保存后改动才写入文件。")},
    //: An entry of the list; %1 the dictionary, %2 when its changes were kept
    {UiText::RecoveryDamagedEntry, "Safety",
     QT_TRANSLATE_NOOP("Safety", "%1 (%2) — 恢复文件已损坏, 无法恢复")},
    {UiText::RestoreAllButton, "Safety", QT_TRANSLATE_NOOP("Safety", "全部恢复(&R)")},
    {UiText::DiscardAllButton, "Safety", QT_TRANSLATE_NOOP("Safety", "全部丢弃(&D)")},
    {UiText::OneByOneButton, "Safety", QT_TRANSLATE_NOOP("Safety", "逐个询问(&O)")},
    {UiText::AskLaterButton, "Safety", QT_TRANSLATE_NOOP("Safety", "下次启动时再问(&L)")},
    //: %1 the folder, %2 the cause
    {UiText::RecoveryWriteFailed, "Safety",
     QT_TRANSLATE_NOOP("Safety",
                       "无法在文件夹“%1”中写入恢复文件: %2。\n\n"
                       "程序意外结束时, 未保存的改动将会丢失; 请及时保存。程序会继续尝试写入。")},
    //: In the status bar; %1 the cause
    {UiText::RecoveryWriteStatus, "Safety", QT_TRANSLATE_NOOP("Safety", "恢复文件无法写入: %1")},
    {UiText::FolderIsLink, "Safety", QT_TRANSLATE_NOOP("Safety", "它是一个符号链接, 不是文件夹")},
    {UiText::FolderOtherOwner, "Safety",
     QT_TRANSLATE_NOOP("Safety", "它或它所在的文件夹属于其他用户")},
    {UiText::FolderNotAFolder, "Safety", QT_TRANSLATE_NOOP("Safety", "这个名字不是一个文件夹")},
    {UiText::FolderOpenToOthers, "Safety", QT_TRANSLATE_NOOP("Safety", "其他用户可以写入它")},
    {UiText::GuardFormulas, "Safety",
     QT_TRANSLATE_NOOP("Safety",
                       "保护公式(&G): 以 = + - @ 或制表符开头的栏目前加一个撇号('), "
                       "电子表格不会把它当作公式执行")},
    {UiText::UnguardFormulas, "Safety",
     QT_TRANSLATE_NOOP("Safety", "去掉导出时为保护公式而加的撇号(&G)")},
    //: %1 the file
    {UiText::ReplaceQuestion, "Safety",
     QT_TRANSLATE_NOOP("Safety", "文件“%1”已经存在。是否替换它?")},
    //: What quorbex --help prints; the options and their values stay as they are
    {UiText::CommandLineHelp, "CommandLine",
     QT_TRANSLATE_NOOP("CommandLine",
                       "用法:\n"
                       "  quorbex [文件]\n"
                       "      打开药物字典“文件”; 不写文件时显示启动对话框。\n"
                       "  quorbex /p 文件\n"
                       "      用默认打印机打印“文件”中第一种药物的全文, 然后退出。\n"
                       "  quorbex /pt 文件 打印机\n"
                       "      用名为“打印机”的打印机打印; 名字以 .pdf 结尾时写成该 PDF 文件。\n"
                       "  quorbex --handbook 文件 [输出.pdf] [--sort pinyin|trade|english]\n"
                       "      不显示窗口, 把“文件”中全部药物的手册写成 PDF 文件 (默认在字典旁边,\n"
                       "      与字典同名), 按拼音 (默认)、品名或英文名排序, 然后退出;\n"
                       "      出错时说明原因, 退出状态为 2。\n"
                       "  quorbex --register-desktop [文件]\n"
                       "      即使从编译目录运行, 也在桌面上登记程序和药物字典文件类型。\n"
                       "  quorbex --help\n"
                       "      显示本说明。\n"
                       "  quorbex --version\n"
                       "      显示版本号。\n")},
    {UiText::SortNeedsValue, "CommandLine",
     QT_TRANSLATE_NOOP("CommandLine", "--sort 后面要写排序方式: pinyin、trade 或 english")},
    //: %1 the value given to --sort
    {UiText::UnknownSort, "CommandLine",
     QT_TRANSLATE_NOOP("CommandLine", "--sort 只能是 pinyin、trade 或 english, 不能是“%1”")},

    //: Shown in the empty quick search box
    {UiText::QuickSearchPlaceholder, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "快速查找")},
    {UiText::QuickSearchTip, "MainWindow",
     QT_TRANSLATE_NOOP(
         "MainWindow",
         "边输入边查找 (Ctrl+F): 品名、英文、别名、拼音首字母或全拼, 最多200个字节; Esc "
         "列出全部药物, 回车转到第一个结果, ↓ 打开最近的查找")},
    //: %1 the most bytes a search holds
    {UiText::QuickSearchLimit, "MainWindow",
     QT_TRANSLATE_NOOP("MainWindow", "查找内容最多%1个字节, 多出的部分没有放入查找框")},
    //: Over the drugs offered when the quick search found none
    {UiText::DidYouMean, "MainWindow",
     QT_TRANSLATE_NOOP("MainWindow", "没有找到。您要找的是不是:")},
    //: The recently viewed menu before any drug was viewed
    {UiText::NothingViewed, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "(还没有查看过药物)")},
    {UiText::AllDictionariesTitle, "MainWindow",
     QT_TRANSLATE_NOOP("MainWindow", "在所有字典中查找")},
    //: %1 the dictionary, %2 how many drugs it found
    {UiText::AllDictionariesGroup, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "%1 (%2条)")},
    //: %1 what was searched for
    {UiText::AllDictionariesNothing, "MainWindow",
     QT_TRANSLATE_NOOP("MainWindow", "所有打开的字典中都没有找到“%1”")},
    {UiText::AllDictionariesBlank, "MainWindow",
     QT_TRANSLATE_NOOP("MainWindow", "请先在快速查找框中输入要查找的内容")},
    {UiText::ImportTitle, "Exchange", QT_TRANSLATE_NOOP("Exchange", "导入药物")},
    {UiText::ImportFileLabel, "Exchange", QT_TRANSLATE_NOOP("Exchange", "CSV文件(&F):")},
    {UiText::ImportEncodingLabel, "Exchange", QT_TRANSLATE_NOOP("Exchange", "文字编码(&E):")},
    {UiText::EncodingAuto, "Exchange", QT_TRANSLATE_NOOP("Exchange", "自动识别")},
    {UiText::ImportIntoNew, "Exchange", QT_TRANSLATE_NOOP("Exchange", "建立新的药物字典(&N)")},
    {UiText::ImportAppend, "Exchange", QT_TRANSLATE_NOOP("Exchange", "追加到当前药物字典(&A)")},
    {UiText::BrowseButton, "Exchange", QT_TRANSLATE_NOOP("Exchange", "浏览(&B)...")},
    //: The file dialogs' filter; its pattern follows it
    {UiText::CsvFilter, "Exchange", QT_TRANSLATE_NOOP("Exchange", "CSV文件 (*.csv)")},
    {UiText::ImportCaption, "Exchange", QT_TRANSLATE_NOOP("Exchange", "导入...")},
    //: %1 the file
    {UiText::NotAFile, "Exchange", QT_TRANSLATE_NOOP("Exchange", "“%1”不是一个可以读取的文件。")},
    //: %1 the file; the faults follow, one per line
    {UiText::ImportFaults, "Exchange", QT_TRANSLATE_NOOP("Exchange", "文件“%1”中有以下错误:")},
    //: %1 how many faults are not listed
    {UiText::MoreFaults, "Exchange", QT_TRANSLATE_NOOP("Exchange", "另有%1处错误未列出。")},
    {UiText::NothingImported, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "没有导入任何药物。请改正后再导入。")},
    //: %1 the drugs in the file, %2 how many more the dictionary can hold
    {UiText::ImportTooMany, "Exchange",
     QT_TRANSLATE_NOOP("Exchange",
                       "文件中有%1种药物, 当前字典只能再存放%2种(最多2000种)。没有导入任何药物。")},
    {UiText::ExportTitle, "Exchange", QT_TRANSLATE_NOOP("Exchange", "导出药物")},
    {UiText::ExportCaption, "Exchange", QT_TRANSLATE_NOOP("Exchange", "导出...")},
    {UiText::ExportFaults, "Exchange",
     QT_TRANSLATE_NOOP("Exchange",
                       "以下栏目中的字节不是有效的GBK文字(字典文件可能已损坏), 没有导出:")},
    //: %1 the file
    {UiText::CannotWriteFile, "Exchange", QT_TRANSLATE_NOOP("Exchange", "无法写入文件“%1”。")},
    {UiText::ImportFillPinyin, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "补上缺少的拼音首字母(&P)")},
    {UiText::ImportHeaderRow, "Exchange", QT_TRANSLATE_NOOP("Exchange", "第一行是标题行(&H)")},
    {UiText::ImportColumnsLabel, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "文件的标题行说不清各栏是什么, 请为每一栏选择它的内容:")},
    //: A column of the spreadsheet that is not imported
    {UiText::ImportColumnSkipped, "Exchange", QT_TRANSLATE_NOOP("Exchange", "(跳过)")},
    {UiText::ImportDuplicatesLabel, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "字典中已有的药物(&D):")},
    {UiText::DuplicatesSkip, "Exchange", QT_TRANSLATE_NOOP("Exchange", "跳过")},
    {UiText::DuplicatesReplace, "Exchange", QT_TRANSLATE_NOOP("Exchange", "替换")},
    {UiText::DuplicatesKeepBoth, "Exchange", QT_TRANSLATE_NOOP("Exchange", "两个都保留")},
    //: %1 how many drugs of the file are in the dictionary, %2 their names, %3 what happens
    {UiText::DuplicatesFound, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "文件中有%1种药物已在字典中: %2\n\n%3。要继续导入吗?")},
    {UiText::DuplicatesWillSkip, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "将跳过它们, 字典中的保持不变")},
    {UiText::DuplicatesWillReplace, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "字典中的将换成文件中的")},
    {UiText::DuplicatesWillKeepBoth, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "两个都保留, 字典中将有重复的药物")},
    //: %1 the drugs imported; the warnings follow, one per line
    {UiText::ImportDone, "Exchange", QT_TRANSLATE_NOOP("Exchange", "导入了%1种药物。")},
    //: %1 the spreadsheet's row, %2 what is wrong
    {UiText::FaultAtRow, "Exchange", QT_TRANSLATE_NOOP("Exchange", "第%1行: %2")},
    //: %1 the spreadsheet's row, %2 the drug's name, %3 what is wrong
    {UiText::FaultAtRowOfDrug, "Exchange", QT_TRANSLATE_NOOP("Exchange", "第%1行 (%2): %3")},
    {UiText::FaultQuoting, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "不加引号的单元格中有引号, 或引号结束后还有文字")},
    {UiText::FaultUnclosedQuote, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "加了引号的单元格没有结束")},
    //: %1 the most cells a row may have
    {UiText::FaultTooManyCells, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "一行超过%1个单元格; 读到这里为止")},
    //: %1 the most bytes a row may have
    {UiText::FaultRowTooLong, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "一行超过%1个字节, 远多于任何药物所需; 读到这里为止")},
    {UiText::FaultEmpty, "Exchange", QT_TRANSLATE_NOOP("Exchange", "文件中什么也没有")},
    {UiText::FaultNoFieldNamed, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "标题行中没有一栏是药物的栏目 (如 品名、英文名、用法)")},
    //: %1 and %2 the columns, %3 the field
    {UiText::FaultDuplicateField, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "第%1栏和第%2栏都是%3")},
    {UiText::FaultNoNameColumn, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "没有品名或英文名的一栏, 而每种药物至少要有其中之一")},
    //: %1 how many columns, %2 their names
    {UiText::FaultSkippedColumns, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "跳过了%1栏不是药物栏目的: %2")},
    //: A column without a name in the header row; %1 its number
    {UiText::FaultUnnamedColumn, "Exchange", QT_TRANSLATE_NOOP("Exchange", "第%1栏")},
    //: %1 the most drugs a dictionary holds
    {UiText::FaultTooManyDrugs, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "超过%1种药物, 这是一本字典最多能存放的; 读到这里为止")},
    //: %1 the cells of the row, %2 the cells expected
    {UiText::FaultCellCount, "Exchange", QT_TRANSLATE_NOOP("Exchange", "有%1个单元格, 应该是%2个")},
    //: %1 the field
    {UiText::FaultHoldsNul, "Exchange", QT_TRANSLATE_NOOP("Exchange", "%1中有NUL字符")},
    //: %1 the field
    {UiText::FaultHoldsLineBreak, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "%1中有制表符或换行, 名称中不能有")},
    //: %1 the field
    {UiText::FaultNotUtf8, "Exchange", QT_TRANSLATE_NOOP("Exchange", "%1中有不是UTF-8的字节")},
    //: %1 the field
    {UiText::FaultNotGbk, "Exchange", QT_TRANSLATE_NOOP("Exchange", "%1中有不是GBK文字的字节")},
    //: %1 the field, %2 the character
    {UiText::FaultUnencodable, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "%1中有GBK无法表示的字符“%2” (%3)")},
    //: %1 the field, %2 its bytes, %3 its limit
    {UiText::FaultTooLong, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "%1在GBK中有%2个字节, 超过了%3个")},
    {UiText::FaultNoName, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "既没有品名也没有英文名; 每种药物至少要有其中之一")},
    //: %1 the record's number, %2 the field
    {UiText::FaultNotExportable, "Exchange",
     QT_TRANSLATE_NOOP("Exchange", "第%1条记录的%2: 字节不是有效的GBK文字, 会被写成U+FFFD")},

    //: Status bar; %1 the file name
    {UiText::ReloadedFromDisk, "Sharing",
     QT_TRANSLATE_NOOP("Sharing", "“%1”已在磁盘上被改动, 已重新载入。")},
    //: The bar above the record; %1 the file name, %2 the time of the change
    {UiText::ChangedOnDiskBar, "Sharing",
     QT_TRANSLATE_NOOP("Sharing", "文件“%1”已在磁盘上被改动 (%2), 而这里有未保存的改动。")},
    {UiText::MergeChoice, "Sharing", QT_TRANSLATE_NOOP("Sharing", "合并(&M)")},
    {UiText::ReloadChoice, "Sharing", QT_TRANSLATE_NOOP("Sharing", "重新载入(&R)")},
    {UiText::KeepMineChoice, "Sharing", QT_TRANSLATE_NOOP("Sharing", "保留我的(&K)")},
    {UiText::CancelChoice, "Sharing", QT_TRANSLATE_NOOP("Sharing", "取消")},
    //: %1 the file name
    {UiText::ReloadQuestion, "Sharing",
     QT_TRANSLATE_NOOP("Sharing", "重新载入“%1”会丢弃这里所有未保存的改动。\n\n确认吗?")},
    //: %1 the file name; the answers are the buttons' labels
    {UiText::SaveOverChangeQuestion, "Sharing",
     QT_TRANSLATE_NOOP("Sharing",
                       "文件“%1”在打开或上次保存之后已在磁盘上被改动。\n\n"
                       "合并: 把磁盘上的改动和这里的改动合在一起, 然后保存\n"
                       "重新载入: 丢弃这里的改动, 换成磁盘上的文件\n"
                       "保留我的: 用这里的字典覆盖磁盘上的文件\n"
                       "取消: 不保存")},
    //: %1 the drugs the merge would give
    {UiText::MergeTooLarge, "Sharing",
     QT_TRANSLATE_NOOP("Sharing",
                       "合并的结果有%1种药物, 超过了一个字典最多2000种药物的限制。\n"
                       "没有合并, 字典未被改动。")},
    //: %1 the file
    {UiText::MergeNotADictionary, "Sharing",
     QT_TRANSLATE_NOOP("Sharing", "文件“%1”不是有效药物库文件, 没有合并。")},
    //: %1 the file, %2 the reason
    {UiText::MergeCannotRead, "Sharing",
     QT_TRANSLATE_NOOP("Sharing", "无法读取文件“%1”: %2\n\n没有合并。")},
    //: Status bar; %1 the file merged
    {UiText::MergedChanges, "Sharing", QT_TRANSLATE_NOOP("Sharing", "已合并“%1”中的改动。")},
    //: Status bar; %1 the file merged
    {UiText::NothingToMerge, "Sharing",
     QT_TRANSLATE_NOOP("Sharing", "“%1”中没有这里还没有的改动。")},
    //: The title of the file dialog that chooses a dictionary to merge
    {UiText::MergeTitle, "Sharing", QT_TRANSLATE_NOOP("Sharing", "合并字典")},
    //: The bar above the record; %1 the dictionary's file name, %2 the copy's
    {UiText::ConflictCopyBar, "Sharing",
     QT_TRANSLATE_NOOP("Sharing", "“%1”旁边有同步软件留下的冲突副本“%2”, 可以合并进来。")},
    {UiText::IgnoreChoice, "Sharing", QT_TRANSLATE_NOOP("Sharing", "忽略(&I)")},
    {UiText::ConflictDialogTitle, "Sharing", QT_TRANSLATE_NOOP("Sharing", "合并冲突")},
    {UiText::ConflictDialogIntro, "Sharing",
     QT_TRANSLATE_NOOP("Sharing",
                       "以下药物在两边被改得不同。请为每种药物的每个冲突栏目取我的、"
                       "取他们的, 或者直接修改结果:")},
    {UiText::ConflictFieldColumn, "Sharing", QT_TRANSLATE_NOOP("Sharing", "栏目")},
    {UiText::ConflictMineColumn, "Sharing", QT_TRANSLATE_NOOP("Sharing", "我的")},
    {UiText::ConflictTheirsColumn, "Sharing", QT_TRANSLATE_NOOP("Sharing", "他们的")},
    {UiText::ConflictResultColumn, "Sharing", QT_TRANSLATE_NOOP("Sharing", "结果")},
    {UiText::TakeMine, "Sharing", QT_TRANSLATE_NOOP("Sharing", "取我的")},
    {UiText::TakeTheirs, "Sharing", QT_TRANSLATE_NOOP("Sharing", "取他们的")},
    //: In place of the texts of a drug that one side deleted
    {UiText::DeletedVersion, "Sharing", QT_TRANSLATE_NOOP("Sharing", "(已删除)")},
    {UiText::KeepDrug, "Sharing", QT_TRANSLATE_NOOP("Sharing", "保留这种药物(&K)")},

    {UiText::HandbookSubtitle, "Handbook", QT_TRANSLATE_NOOP("Handbook", "药物手册")},
    //: %1 the number of drugs in the handbook
    {UiText::HandbookDrugCount, "Handbook", QT_TRANSLATE_NOOP("Handbook", "共收药物%1种")},
    {UiText::HandbookContents, "Handbook", QT_TRANSLATE_NOOP("Handbook", "目录")},
    //: %1 the page number
    {UiText::HandbookPageFooter, "Handbook", QT_TRANSLATE_NOOP("Handbook", "第 %1 页")},
    //: The file dialogs' filter; its pattern follows it
    {UiText::PdfFilter, "Handbook", QT_TRANSLATE_NOOP("Handbook", "PDF文件 (*.pdf)")},
    {UiText::HandbookPdfTitle, "Handbook", QT_TRANSLATE_NOOP("Handbook", "手册存为PDF")},
    //: The heading of a drug continued from the page before; %1 its name
    {UiText::HandbookContinued, "Handbook", QT_TRANSLATE_NOOP("Handbook", "%1（续）")},
    //: The title page of a handbook of search results; %1 what was searched for
    {UiText::HandbookQuery, "Handbook", QT_TRANSLATE_NOOP("Handbook", "查询“%1”的结果")},
    //: The title page of a handbook of results listed without a search
    {UiText::HandbookEveryResult, "Handbook",
     QT_TRANSLATE_NOOP("Handbook", "浏览结果: 未查询, 列出全部药物")},
    //: %1 the fields searched, as a list
    {UiText::HandbookSearched, "Handbook", QT_TRANSLATE_NOOP("Handbook", "查找范围: %1")},
    //: Between the fields of the list of fields searched
    {UiText::HandbookFieldSeparator, "Handbook", QT_TRANSLATE_NOOP("Handbook", "、")},
    {UiText::HandbookOrderPinyin, "Handbook", QT_TRANSLATE_NOOP("Handbook", "按拼音排序")},
    {UiText::HandbookOrderTrade, "Handbook", QT_TRANSLATE_NOOP("Handbook", "按品名排序")},
    {UiText::HandbookOrderEnglish, "Handbook", QT_TRANSLATE_NOOP("Handbook", "按英文名排序")},
    {UiText::FieldTradeName, "Fields", QT_TRANSLATE_NOOP("Fields", "品名")},
    {UiText::FieldPinyin, "Fields", QT_TRANSLATE_NOOP("Fields", "拼音")},
    {UiText::FieldOtherNames, "Fields", QT_TRANSLATE_NOOP("Fields", "别名")},
    {UiText::FieldEnglishName, "Fields", QT_TRANSLATE_NOOP("Fields", "英文名")},
    {UiText::FieldFunction, "Fields", QT_TRANSLATE_NOOP("Fields", "功能")},
    {UiText::FieldUsage, "Fields", QT_TRANSLATE_NOOP("Fields", "用法")},
    {UiText::FieldCautions, "Fields", QT_TRANSLATE_NOOP("Fields", "注意事项")},
    {UiText::FieldAll, "Fields", QT_TRANSLATE_NOOP("Fields", "全部栏目")},

    {UiText::GuideTitle, "Guide", QT_TRANSLATE_NOOP("Guide", "Quorbex 用户指南")},
    //: %1 the folder where the guide should be
    {UiText::GuideMissing, "Guide",
     QT_TRANSLATE_NOOP("Guide", "找不到用户指南。它应该随程序安装在“%1”。")},
};

static_assert(platform::ListsEveryIdInOrder(STRING_TABLE, UiText::GuideMissing),
              "STRING_TABLE lists every UiText once, in the enum's order");

// The text in the language of the installed translation; the Chinese source without one.
inline QString Tr(UiText id) {
    const UiTextEntry& entry = STRING_TABLE[static_cast<std::size_t>(id)];
    return QCoreApplication::translate(entry.context, entry.source);
}

}  // namespace quorbex
