// Why a file operation failed, as the user is told: the system's usual
// causes in plain words, any other in the system's own.
#include "platform/device_file.h"

#include <gtest/gtest.h>

#include <QFile>

namespace quorbex::platform {
namespace {

TEST(DescribeFileError, NamesTheUsualCausesInPlainWords) {
    const QFile file;
    const struct {
        int error;
        const char* words;
    } cases[] = {
        {ENOSPC, "磁盘已满"},
        {EDQUOT, "您的磁盘空间配额已用完"},
        {EROFS, "磁盘是只读的, 不能写入"},
        {EACCES, "没有权限访问该文件或它所在的文件夹"},
        {EPERM, "没有权限访问该文件或它所在的文件夹"},
        {EFBIG, "文件太大, 超过了系统允许的大小"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        EXPECT_EQ(DescribeFileError(file, c.error).toStdString(),
                  std::string("文件操作失败: ") + c.words);
    }
    // Any other cause, or none, leaves the system's own words.
    EXPECT_EQ(DescribeFileError(file, EIO), QStringLiteral("文件操作失败 (Unknown error)"));
    EXPECT_EQ(DescribeFileError(file, 0), QStringLiteral("文件操作失败 (Unknown error)"));
}

TEST(DescribeFileError, TellsOfAFullDiskFromTheFailedWriteItself) {
    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    DeviceFile file(full);
    const char bytes[4096] = {};
    // The device file buffers; the bytes meet the full disk when flushed.
    const bool written = file.Write(bytes, sizeof bytes) && full.flush();
    ASSERT_FALSE(written);
    EXPECT_EQ(DescribeFileError(full), QStringLiteral("写入文件时出错: 磁盘已满"));
}

}  // namespace
}  // namespace quorbex::platform
