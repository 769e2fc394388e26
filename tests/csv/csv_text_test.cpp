#include "csv/csv_text.h"

#include <gtest/gtest.h>

namespace quorbex::csv {
namespace {

using Fields = std::vector<std::string>;

constexpr CsvParser::Limits GENEROUS{100, 1 << 20};

struct Parsed {
    std::vector<CsvRecord> records;
    std::optional<CsvError> error;
};

// Feeds text to a parser in pieces of pieceSize bytes (0: all at once).
Parsed Parse(std::string_view text, std::size_t pieceSize = 0,
             CsvParser::Limits limits = GENEROUS) {
    Parsed parsed;
    CsvParser parser(limits, [&parsed](CsvRecord&& record) {
        parsed.records.push_back(std::move(record));
        return true;
    });
    const std::size_t step = pieceSize == 0 ? std::max<std::size_t>(text.size(), 1) : pieceSize;
    for (std::size_t at = 0; at < text.size(); at += step) {
        if (!parser.Feed(text.substr(at, step))) {
            break;
        }
    }
    parser.Finish();
    parsed.error = parser.Error();
    return parsed;
}

// Rows are counted as a spreadsheet shows them: a record with line breaks
// in its fields is one row, an empty line is an empty row.
TEST(CsvText, KeepsEveryFieldByteForByteAndNumbersRowsAsASpreadsheet) {
    const std::string_view text =
        "\r\n"
        "a, b ,\t\r\n"
        "\"x,\"\"y\"\"\r\nz\",\"one\ntwo\",\"\"\r\n"
        "\r\n"
        "\n"
        "lone,return\r"
        "\r"
        "last,\"\r\",";
    // However the text is cut into pieces, the records are the same.
    for (const std::size_t pieceSize : {0, 1, 2, 3, 7}) {
        SCOPED_TRACE(pieceSize);
        const Parsed parsed = Parse(text, pieceSize);
        ASSERT_FALSE(parsed.error);
        ASSERT_EQ(parsed.records.size(), 4U);
        EXPECT_EQ(parsed.records[0].fields, (Fields{"a", " b ", "\t"}));
        EXPECT_EQ(parsed.records[0].row, 2U);
        EXPECT_EQ(parsed.records[1].fields, (Fields{"x,\"y\"\r\nz", "one\ntwo", ""}));
        EXPECT_EQ(parsed.records[1].row, 3U);
        // Two empty rows, 4 and 5, lie between.
        EXPECT_EQ(parsed.records[2].fields, (Fields{"lone", "return"}));
        EXPECT_EQ(parsed.records[2].row, 6U);
        EXPECT_EQ(parsed.records[3].fields, (Fields{"last", "\r", ""}));
        EXPECT_EQ(parsed.records[3].row, 8U);
    }
}

TEST(CsvText, NamesTheRowOfMalformedQuoting) {
    using Kind = CsvError::Kind;
    struct Case {
        const char* text;
        std::size_t row;
        Kind kind;
        std::size_t recordsBefore;
    };
    const Case cases[] = {
        {"a,b\r\nc,d\"e\r\n", 2, Kind::Quoting, 1},
        {"a,b\r\n\"c\r\nd\"e,f\r\n", 2, Kind::Quoting, 1},
        {"a,b\r\nc,\"d\r\ne\r\n", 2, Kind::UnclosedQuote, 1},
        {"\"never closed", 1, Kind::UnclosedQuote, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Parsed parsed = Parse(c.text);
        ASSERT_TRUE(parsed.error);
        EXPECT_EQ(parsed.error->row, c.row);
        EXPECT_EQ(parsed.error->kind, c.kind);
        EXPECT_EQ(parsed.records.size(), c.recordsBefore);
    }
}

TEST(CsvText, StopsAtTheFirstRecordBeyondItsLimits) {
    using Kind = CsvError::Kind;
    const CsvParser::Limits limits{3, 20};
    struct Case {
        std::string text;
        CsvParser::Limits limits;
        Kind kind;
        std::size_t row;
    };
    const Case cases[] = {
        {"a,b,c\r\n1,2,3,4\r\nx,y,z\r\n", limits, Kind::TooManyFields, 2},
        // What follows the extra field on its line is not read, faulty or not.
        {"a,b,c\r\n1,2,3,4,x\"y\r\n", limits, Kind::TooManyFields, 2},
        {"a\r\n" + std::string(1'000'000, ','), {3, 1 << 21}, Kind::TooManyFields, 2},
        {"a\r\n\"" + std::string(1'000'000, 'x') + "\"\r\n", limits, Kind::TooLong, 2},
        // The limit counts the whole record, across its lines.
        {"a\r\n\"0123456789\r\n0123456789\",b\r\n", limits, Kind::TooLong, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        const Parsed parsed = Parse(c.text, 0, c.limits);
        ASSERT_TRUE(parsed.error);
        EXPECT_EQ(parsed.error->kind, c.kind);
        EXPECT_EQ(parsed.error->row, c.row);
        // Only the record before the one at fault was handed on.
        ASSERT_EQ(parsed.records.size(), 1U);
        EXPECT_EQ(parsed.records[0].row, 1U);
    }
    // Exactly at the limits is within them.
    const Parsed full = Parse("a,b,c\r\n\"0123456789012345\"\r\n", 0, limits);
    EXPECT_FALSE(full.error);
    EXPECT_EQ(full.records.size(), 2U);
}

TEST(CsvText, StopsWhenTheSinkSaysSo) {
    std::vector<CsvRecord> taken;
    CsvParser parser(GENEROUS, [&taken](CsvRecord&& record) {
        taken.push_back(std::move(record));
        return taken.size() < 2;
    });
    EXPECT_FALSE(parser.Feed("1\r\n2\r\n3\r\n"));
    parser.Finish();
    EXPECT_FALSE(parser.Error());
    ASSERT_EQ(taken.size(), 2U);
    EXPECT_EQ(taken[1].fields, Fields{"2"});
}

TEST(CsvText, FormattedRecordsParseBackUnchanged) {
    const Fields fields{"plain",         "",           "comma, here", "\"quoted\"",
                        "line\r\nbreak", "lone\nfeed", " spaced ",    "中文，全角"};
    const std::string text = FormatCsvRecord(fields) + FormatCsvRecord({"second"});
    EXPECT_TRUE(text.ends_with("\"second\"\r\n"));
    const Parsed parsed = Parse(text);
    ASSERT_FALSE(parsed.error);
    ASSERT_EQ(parsed.records.size(), 2U);
    EXPECT_EQ(parsed.records[0].fields, fields);
    EXPECT_EQ(parsed.records[1].fields, Fields{"second"});
}

}  // namespace
}  // namespace quorbex::csv
