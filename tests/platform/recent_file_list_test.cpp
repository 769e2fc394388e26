#include "platform/recent_file_list.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "tests/support/test_files.h"

namespace quorbex::platform {
namespace {

TEST(RecentFileList, KeepsTheNewestFilesFirstEachOnce) {
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return QDir(dir.path()).filePath(name); };
    for (const char* name : {"1.zvk", "2.zvk", "3.zvk", "4.zvk", "5.zvk"}) {
        testing::WriteFileBytes(path(name), {});
    }
    ASSERT_TRUE(QFile::link(path("2.zvk"), path("link.zvk")));

    RecentFileList list(4);
    QSignalSpy changes(&list, &RecentFileList::changed);
    for (const char* name : {"1.zvk", "2.zvk", "3.zvk", "4.zvk"}) {
        list.Add(path(name));
    }
    EXPECT_EQ(list.Paths(),
              (QStringList{path("4.zvk"), path("3.zvk"), path("2.zvk"), path("1.zvk")}));
    list.Add(path("5.zvk"));  // the oldest falls out
    EXPECT_EQ(list.Paths(),
              (QStringList{path("5.zvk"), path("4.zvk"), path("3.zvk"), path("2.zvk")}));
    list.Add(path("link.zvk"));  // the same file as 2.zvk moves up instead of repeating
    EXPECT_EQ(list.Paths().size(), 4);
    EXPECT_EQ(list.Paths()[0], path("link.zvk"));
    EXPECT_FALSE(list.Paths().contains(path("2.zvk")));
    list.Remove(1);
    EXPECT_EQ(list.Paths(), (QStringList{path("link.zvk"), path("4.zvk"), path("3.zvk")}));
    // Every change is told, so that the settings can follow; no index, no change.
    list.Remove(3);
    EXPECT_EQ(changes.count(), 7);
}

}  // namespace
}  // namespace quorbex::platform
