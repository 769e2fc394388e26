#include "store/mem_file.h"

#include <gtest/gtest.h>

#include <string>

namespace quorbex {
namespace {

std::string Contents(const MemFile& file) {
    return std::string(reinterpret_cast<const char*>(file.Data()), file.GetLength());
}

TEST(MemFile, BehavesLikeAFile) {
    MemFile file;
    EXPECT_FALSE(file.Seek(-1));
    ASSERT_TRUE(file.Seek(3));
    ASSERT_TRUE(file.Write("ab", 2));  // the gap before it is zero-filled
    EXPECT_EQ(Contents(file), std::string("\0\0\0ab", 5));
    EXPECT_EQ(file.GetPosition(), 5u);

    char buffer[8] = {};
    ASSERT_TRUE(file.Seek(4));
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 1u);  // fewer bytes at the end
    EXPECT_EQ(buffer[0], 'b');
    ASSERT_TRUE(file.Seek(9));
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);

    ASSERT_TRUE(file.SetLength(4));  // cuts, and pulls the position back
    EXPECT_EQ(file.GetPosition(), 4u);
    ASSERT_TRUE(file.SetLength(6));  // extends with zero bytes
    EXPECT_EQ(Contents(file), std::string("\0\0\0a\0\0", 6));
}

TEST(MemFile, RefusesToGrowBeyondItsLimit) {
    MemFile file;
    ASSERT_TRUE(file.Write("keep", 4));
    EXPECT_FALSE(file.SetLength(MemFile::MAX_LENGTH + 1));
    ASSERT_TRUE(file.Seek(static_cast<std::int64_t>(MemFile::MAX_LENGTH)));
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_EQ(Contents(file), "keep");
}

}  // namespace
}  // namespace quorbex
