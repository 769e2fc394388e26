#include "store/drug_fields.h"

#include <gtest/gtest.h>

#include "store/gbk_codec.h"
#include "tests/support/gbk_text.h"

namespace quorbex {
namespace {

DrugFields Utf8Fields(const char* trade, const char* other, const char* english,
                      const char* function, const char* usage, const char* cautions,
                      const char* pinyin = "") {
    using testing::Gbk;
    return {Gbk(trade),    Gbk(pinyin), Gbk(english), Gbk(other),
            Gbk(function), Gbk(usage),  Gbk(cautions)};
}

TEST(RenderRecordText, ShowsTheSectionsThatHoldText) {
    struct Case {
        const char* name;
        DrugFields fields;
        const char* text;
    };
    const Case cases[] = {
        {"every section", Utf8Fields("T", "A", "E", "F", "U\r\nline 2", "C"),
         "[品名]T(A)\r\n[英文]E\r\n\r\n[功能]\r\nF\r\n\r\n[用法]\r\nU\r\nline 2"
         "\r\n\r\n[注意事项]\r\nC"},
        {"empty function and cautions", Utf8Fields("T", "A", "E", "", "U", ""),
         "[品名]T(A)\r\n[英文]E\r\n\r\n[用法]\r\nU"},
        {"no trade name hides the other names", Utf8Fields("", "A", "E", "", "", ""),
         "\r\n[英文]E"},
        {"no other names, no parentheses", Utf8Fields("T", "", "E", "", "", ""),
         "[品名]T\r\n[英文]E"},
        {"only the trade name", Utf8Fields("阿司匹林", "", "", "", "", ""), "[品名]阿司匹林"},
        {"pinyin never shows", Utf8Fields("", "", "", "", "", "", "ASPL"), ""},
        {"blanks count as text", Utf8Fields(" ", "", "", "", "", ""), "[品名] "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GbkToUtf8(RenderRecordText(c.fields)), c.text) << c.name;
    }
}

TEST(ExchangeFields, WritesAndReadsAllSevenFields) {
    RecordStore store;
    DrugFields written =
        Utf8Fields("阿司匹林", "乙酰水杨酸", "Aspirin", "解热镇痛", "口服", "胃溃疡慎用", "ASPL");
    written.tradeName += std::string(30, 'x');  // cut to 20 bytes on the way in
    DrugFields copy = written;
    ExchangeFields(store, copy, false);
    EXPECT_EQ(copy.tradeName.size(), 20u);
    ASSERT_TRUE(store.AppendRecord());
    ASSERT_TRUE(store.GoToRecord(1));
    DrugFields read;
    ExchangeFields(store, read, true);
    EXPECT_EQ(read, copy);
    EXPECT_EQ(read[Field::Usage], written.usage);
}

}  // namespace
}  // namespace quorbex
