#include "cli/csv_text.h"

#include <gtest/gtest.h>

namespace quorbex::zvk {
namespace {

using Fields = std::vector<std::string>;

TEST(CsvText, KeepsEveryFieldByteForByteAndKnowsWhereRecordsBegin) {
    const CsvTable table = ParseCsv(
        "a, b ,\t\r\n"
        "\"x,\"\"y\"\"\r\nz\",\"one\ntwo\",\"\"\r\n"
        "\r\n"
        "\n"
        "last,\"\r\",");
    ASSERT_FALSE(table.error);
    ASSERT_EQ(table.records.size(), 3U);
    EXPECT_EQ(table.records[0].fields, (Fields{"a", " b ", "\t"}));
    EXPECT_EQ(table.records[0].line, 1U);
    EXPECT_EQ(table.records[1].fields, (Fields{"x,\"y\"\r\nz", "one\ntwo", ""}));
    EXPECT_EQ(table.records[1].line, 2U);
    // The record before spans lines 2 to 4, then two empty lines are skipped.
    EXPECT_EQ(table.records[2].fields, (Fields{"last", "\r", ""}));
    EXPECT_EQ(table.records[2].line, 7U);
}

TEST(CsvText, NamesTheLineOfMalformedQuoting) {
    struct Case {
        const char* text;
        std::size_t line;
        const char* message;
        std::size_t recordsBefore;
    };
    const Case cases[] = {
        {"a,b\r\nc,d\"e\r\n", 2, "a quote inside an unquoted field", 1},
        {"a,b\r\n\"c\r\nd\"e,f\r\n", 3, "text after a closing quote", 1},
        {"a,b\r\nc,\"d\r\ne\r\n", 2, "a quoted field is not closed", 1},
        {"\"never closed", 1, "a quoted field is not closed", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CsvTable table = ParseCsv(c.text);
        ASSERT_TRUE(table.error);
        EXPECT_EQ(table.error->line, c.line);
        EXPECT_NE(table.error->message.find(c.message), std::string::npos) << table.error->message;
        EXPECT_EQ(table.records.size(), c.recordsBefore);
    }
}

TEST(CsvText, FormattedRecordsParseBackUnchanged) {
    const Fields fields{"plain",         "",           "comma, here", "\"quoted\"",
                        "line\r\nbreak", "lone\nfeed", " spaced ",    "中文，全角"};
    const std::string text = FormatCsvRecord(fields) + FormatCsvRecord({"second"});
    EXPECT_TRUE(text.ends_with("\"second\"\r\n"));
    const CsvTable table = ParseCsv(text);
    ASSERT_FALSE(table.error);
    ASSERT_EQ(table.records.size(), 2U);
    EXPECT_EQ(table.records[0].fields, fields);
    EXPECT_EQ(table.records[1].fields, Fields{"second"});
}

}  // namespace
}  // namespace quorbex::zvk
