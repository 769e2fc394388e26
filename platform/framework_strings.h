// The framework's own texts: what every document, file and dialog of the
// framework says, whatever the program built on it. They are translated in
// the context FRAMEWORK_CONTEXT, like the program's own texts in theirs.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <cstddef>

#include "platform/string_table.h"

namespace quorbex::platform {

inline constexpr char FRAMEWORK_CONTEXT[] = "Framework";

enum class FrameworkText {
    SaveChangesQuestion,
    CannotSave,
    CannotOpen,
    NoPermission,
    FileNotFound,
    ReadFailed,
    WriteFailed,
    FileOperationFailed,
    DiskFull,
    QuotaUsedUp,
    ReadOnlyDisk,
    NoAccess,
    FileTooLarge,
    RefusedCharacter,
    TooLong,
    NoWindowForDocument,
    OkButton,
    CancelButton,
    YesButton,
    NoButton,
    SaveAsTitle,
    BackupFailed,
    GroupNotKept,
    ChangedOnDiskQuestion,
    RecoveryQuestion,
    RecoveryDamaged,
    IsFolder,
    IsPipe,
    IsSocket,
    IsDevice,
};

struct FrameworkTextEntry {
    FrameworkText id;
    const char* source;  // UTF-8
};

// In the order of FrameworkText, which the check below keeps.
inline constexpr FrameworkTextEntry FRAMEWORK_STRINGS[] = {
    //: %1 the file name
    {FrameworkText::SaveChangesQuestion, QT_TRANSLATE_NOOP("Framework", "是否保存对“%1”的修改?")},
    //: %1 the file name, %2 the reason
    {FrameworkText::CannotSave,
     QT_TRANSLATE_NOOP("Framework", "无法保存文件“%1”:\n%2\n\n原有文件未被改动。")},
    //: %1 the file name, %2 the reason
    {FrameworkText::CannotOpen, QT_TRANSLATE_NOOP("Framework", "无法打开文件“%1”:\n%2")},
    {FrameworkText::NoPermission, QT_TRANSLATE_NOOP("Framework", "没有访问该文件的权限")},
    {FrameworkText::FileNotFound, QT_TRANSLATE_NOOP("Framework", "文件不存在或无法打开")},
    {FrameworkText::ReadFailed, QT_TRANSLATE_NOOP("Framework", "读取文件时出错")},
    {FrameworkText::WriteFailed, QT_TRANSLATE_NOOP("Framework", "写入文件时出错")},
    {FrameworkText::FileOperationFailed, QT_TRANSLATE_NOOP("Framework", "文件操作失败")},
    // What the system gave as the cause of a failed write, in plain words.
    {FrameworkText::DiskFull, QT_TRANSLATE_NOOP("Framework", "磁盘已满")},
    {FrameworkText::QuotaUsedUp, QT_TRANSLATE_NOOP("Framework", "您的磁盘空间配额已用完")},
    {FrameworkText::ReadOnlyDisk, QT_TRANSLATE_NOOP("Framework", "磁盘是只读的, 不能写入")},
    {FrameworkText::NoAccess, QT_TRANSLATE_NOOP("Framework", "没有权限访问该文件或它所在的文件夹")},
    {FrameworkText::FileTooLarge, QT_TRANSLATE_NOOP("Framework", "文件太大, 超过了系统允许的大小")},
    //: %1 the character
    {FrameworkText::RefusedCharacter,
     QT_TRANSLATE_NOOP("Framework", "字符“%1”不能存入药物字典,请改用其他字符。")},
    //: %1 the limit in bytes, %2 the same limit in Chinese characters
    {FrameworkText::TooLong,
     QT_TRANSLATE_NOOP("Framework", "输入的内容不能超过%1个字节(%2个汉字)。")},
    {FrameworkText::NoWindowForDocument, QT_TRANSLATE_NOOP("Framework", "无法为文档创建窗口。")},
    {FrameworkText::OkButton, QT_TRANSLATE_NOOP("Framework", "确定")},
    {FrameworkText::CancelButton, QT_TRANSLATE_NOOP("Framework", "取消")},
    {FrameworkText::YesButton, QT_TRANSLATE_NOOP("Framework", "是(&Y)")},
    {FrameworkText::NoButton, QT_TRANSLATE_NOOP("Framework", "否(&N)")},
    {FrameworkText::SaveAsTitle, QT_TRANSLATE_NOOP("Framework", "另存为")},
    //: %1 the backup's file name, %2 the reason
    {FrameworkText::BackupFailed, QT_TRANSLATE_NOOP("Framework", "无法保留备份文件“%1”: %2")},
    //: %1 the file name, %2 the group it belonged to
    {FrameworkText::GroupNotKept,
     QT_TRANSLATE_NOOP("Framework",
                       "文件“%1”已保存, 但无法保留它原来的用户组“%2”: 该组的成员可能不能再打开它。")},
    //: %1 the file name; the answers are the message box's Yes, No and Cancel
    {FrameworkText::ChangedOnDiskQuestion,
     QT_TRANSLATE_NOOP("Framework",
                       "文件“%1”在打开或上次保存之后已被其他程序改动。\n\n"
                       "是: 覆盖这些改动, 保存\n否: 另存为其他文件\n取消: 不保存")},
    //: %1 the dictionary's file name or title, %2 when its changes were last kept
    {FrameworkText::RecoveryQuestion,
     QT_TRANSLATE_NOOP("Framework",
                       "程序上次没有正常结束, “%1”中有未保存的改动 (%2)。\n\n"
                       "是: 恢复这些改动\n否: 丢弃它们\n取消: 下次启动时再问")},
    //: %1 the recovery file
    {FrameworkText::RecoveryDamaged,
     QT_TRANSLATE_NOOP("Framework", "恢复文件“%1”已损坏, 无法恢复。\n\n是否删除它?")},
    // Why a file cannot be opened as a document: what it is instead.
    {FrameworkText::IsFolder, QT_TRANSLATE_NOOP("Framework", "这是一个文件夹, 不是文件")},
    {FrameworkText::IsPipe,
     QT_TRANSLATE_NOOP("Framework", "这是一个管道 (FIFO), 不是普通文件, 不能打开")},
    {FrameworkText::IsSocket,
     QT_TRANSLATE_NOOP("Framework", "这是一个套接字, 不是普通文件, 不能打开")},
    {FrameworkText::IsDevice,
     QT_TRANSLATE_NOOP("Framework", "这是一个设备, 不是普通文件, 不能打开")},
};

static_assert(ListsEveryIdInOrder(FRAMEWORK_STRINGS, FrameworkText::IsDevice),
              "FRAMEWORK_STRINGS lists every FrameworkText once, in the enum's order");

// The text in the language of the installed translation; the Chinese source without one.
inline QString Tr(FrameworkText id) {
    const FrameworkTextEntry& entry = FRAMEWORK_STRINGS[static_cast<std::size_t>(id)];
    return QCoreApplication::translate(FRAMEWORK_CONTEXT, entry.source);
}

}  // namespace quorbex::platform
