// Comma-separated values as RFC 4180 describes them, over libcsv. Fields are
// kept byte for byte: no trimming, and line breaks inside quoted fields stay
// exactly as they are in the text ("\r\n" or "\n").
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbex::zvk {

struct CsvRecord {
    std::size_t line = 0;  // 1-based line on which the record begins
    std::vector<std::string> fields;
};

struct CsvError {
    std::size_t line = 0;
    std::string message;
};

struct CsvTable {
    std::vector<CsvRecord> records;
    std::optional<CsvError> error;  // set when the text is not well-formed CSV
};

// Splits text into records. Empty lines between records are skipped. On
// malformed quoting the records before the fault are kept and error says
// where it lies.
CsvTable ParseCsv(std::string_view text);

// One record of CSV text: every field quoted, quotes doubled, ended by "\r\n".
std::string FormatCsvRecord(const std::vector<std::string>& fields);

}  // namespace quorbex::zvk
