// Comma-separated values as RFC 4180 describes them, over libcsv. Fields are
// kept byte for byte: no trimming, and line breaks inside quoted fields stay
// exactly as they are in the text ("\r\n" or "\n").
//
// Records are numbered as a spreadsheet numbers the rows it shows: a record
// is one row however many line breaks its quoted fields hold, and every
// empty line is an empty row of its own.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct csv_parser;

namespace quorbex::csv {

struct CsvRecord {
    std::size_t row = 0;  // 1-based
    std::vector<std::string> fields;
};

struct CsvError {
    enum class Kind {
        Quoting,        // a quote inside an unquoted field, or text after a closing quote
        UnclosedQuote,  // the text ends inside a quoted field
        TooManyFields,  // a record of more fields than the limit
        TooLong,        // a record of more bytes of text than the limit
    };
    Kind kind;
    std::size_t row = 0;  // the row of the record at fault
};

// Splits CSV text, given in pieces of any size, into records and hands each
// to a sink as soon as it ends; empty lines are skipped, though they count
// as rows. A
// record with more fields or more bytes of text than the limits allow stops
// the parse, so that whatever the text, no more than one record is held.
class CsvParser {
public:
    struct Limits {
        std::size_t mostFields;
        std::size_t mostRecordBytes;
    };
    // Answers false to stop the parse after this record.
    using RecordSink = std::function<bool(CsvRecord&& record)>;

    CsvParser(Limits limits, RecordSink sink);
    ~CsvParser();
    CsvParser(const CsvParser&) = delete;
    CsvParser& operator=(const CsvParser&) = delete;

    // Parses the next piece; false once the parse has stopped, on a fault of
    // the text (see Error) or at the sink's word.
    bool Feed(std::string_view text);
    // Ends the text, handing on a last record that lacks its line break.
    void Finish();

    // Where and why the text stopped the parse.
    const std::optional<CsvError>& Error() const { return m_error; }

private:
    static void OnField(void* bytes, std::size_t size, void* self);
    static void OnRecordEnd(int terminator, void* self);
    void FeedSpan(std::string_view span);
    void Fail(CsvError::Kind kind);

    struct ParserDeleter {
        void operator()(csv_parser* parser) const;
    };

    Limits m_limits;
    RecordSink m_sink;
    std::unique_ptr<csv_parser, ParserDeleter> m_parser;
    CsvRecord m_current;
    std::size_t m_rows = 0;  // the rows begun so far, empty ones included
    std::size_t m_recordBytes = 0;
    bool m_betweenRecords = true;  // the next byte that is not a line break begins a record
    bool m_afterReturn = false;    // the last byte was a carriage return ending a row
    bool m_stopped = false;
    std::optional<CsvError> m_error;
};

// One record of CSV text: every field quoted, quotes doubled, ended by "\r\n".
std::string FormatCsvRecord(const std::vector<std::string>& fields);

}  // namespace quorbex::csv
