#include "store/gbk_codec.h"

#include <gtest/gtest.h>

namespace quorbex {
namespace {

TEST(GbkCodec, RoundTripsChineseAndAscii) {
    const std::string utf8 = "阿司匹林 Aspirin（ＡＳＰ）€·";
    const auto gbk = Utf8ToGbk(utf8);
    ASSERT_TRUE(gbk);
    EXPECT_EQ(gbk->substr(0, 8), "\xB0\xA2\xCB\xBE\xC6\xA5\xC1\xD6");
    EXPECT_EQ(GbkToUtf8(*gbk), utf8);
}

TEST(GbkCodec, DecodingReplacesWhatItCannotRead) {
    struct Case {
        std::string gbk;
        std::string utf8;
    };
    const Case cases[] = {
        {"ab\xB0", "ab\xEF\xBF\xBD"},        // lone lead byte at the end
        {"\xB0\xA2\xC1", "阿\xEF\xBF\xBD"},  // a name cut inside a character
        {"\x81\x7F"
         "x",
         "\xEF\xBF\xBD\x7Fx"},  // invalid pair: the lead is replaced
        {"\xFF"
         "ok",
         "\xEF\xBF\xBDok"},  // not a GBK byte
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
    }
}

TEST(GbkCodec, EncodingReportsCharactersGbkCannotHold) {
    GbkEncodeError error;
    EXPECT_FALSE(Utf8ToGbk("药物\xF0\x9F\x98\x80", &error));  // an emoji
    EXPECT_EQ(error.offset, 6u);
    EXPECT_EQ(error.character, "\xF0\x9F\x98\x80");

    // A tag character, which the system's converter would drop unseen.
    EXPECT_FALSE(Utf8ToGbk("a\xF3\xA0\x80\xA1\xE2\x82", &error));
    EXPECT_EQ(error.offset, 1u);
    EXPECT_EQ(error.character, "\xF3\xA0\x80\xA1");
    EXPECT_FALSE(Utf8ToGbk("\xC3\xF3\xA0\x81\xBF", &error));  // the fault before it comes first
    EXPECT_EQ(error.offset, 0u);

    EXPECT_FALSE(Utf8ToGbk("ab\xC3", &error));  // not UTF-8
    EXPECT_EQ(error.offset, 2u);
    EXPECT_FALSE(Utf8ToGbk("\xE2\x82"));
}

}  // namespace
}  // namespace quorbex
