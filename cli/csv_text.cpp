#include "cli/csv_text.h"

#include <csv.h>

#include <new>

namespace quorbex::zvk {

namespace {

// Collects libcsv's callbacks into records, remembering the line on which
// each record begins.
struct Collector {
    CsvTable table;
    CsvRecord current;
    std::size_t line = 1;
    bool betweenRecords = true;  // the next byte that is not a line break begins a record

    static void OnField(void* bytes, std::size_t size, void* data) {
        auto& self = *static_cast<Collector*>(data);
        self.current.fields.emplace_back(static_cast<const char*>(bytes), size);
    }

    static void OnRecordEnd(int /*terminator*/, void* data) {
        auto& self = *static_cast<Collector*>(data);
        self.table.records.push_back(std::move(self.current));
        self.current = CsvRecord{};
        self.betweenRecords = true;
    }
};

// Spaces and tabs are data: a field keeps them at either end.
int NoSpaceCharacters(unsigned char) {
    return 0;
}

class Parser {
public:
    Parser() {
        if (csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
            throw std::bad_alloc();
        }
        csv_set_space_func(&m_parser, NoSpaceCharacters);
    }
    ~Parser() { csv_free(&m_parser); }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    csv_parser* get() { return &m_parser; }

private:
    csv_parser m_parser{};
};

std::string ParseErrorMessage(csv_parser* parser, const char* strictMessage) {
    const int error = csv_error(parser);
    if (error == CSV_ENOMEM || error == CSV_ETOOBIG) {
        throw std::bad_alloc();
    }
    return strictMessage;
}

}  // namespace

CsvTable ParseCsv(std::string_view text) {
    Parser parser;
    Collector collector;
    // One byte at a time, so that the collector knows the line of every
    // record start and of a fault.
    for (const char byte : text) {
        if (collector.betweenRecords && byte != '\r' && byte != '\n') {
            collector.betweenRecords = false;
            collector.current.line = collector.line;
        }
        if (csv_parse(parser.get(), &byte, 1, Collector::OnField, Collector::OnRecordEnd,
                      &collector) != 1) {
            collector.table.error =
                CsvError{collector.line,
                         ParseErrorMessage(
                             parser.get(),
                             "a quote inside an unquoted field, or text after a closing quote")};
            return std::move(collector.table);
        }
        if (byte == '\n') {
            ++collector.line;
        }
    }
    if (csv_fini(parser.get(), Collector::OnField, Collector::OnRecordEnd, &collector) != 0) {
        collector.table.error =
            CsvError{collector.current.line,
                     ParseErrorMessage(parser.get(), "a quoted field is not closed")};
    }
    return std::move(collector.table);
}

std::string FormatCsvRecord(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty()) {
            line += ',';
        }
        std::string quoted(csv_write(nullptr, 0, field.data(), field.size()), '\0');
        csv_write(quoted.data(), quoted.size(), field.data(), field.size());
        line += quoted;
    }
    return line + "\r\n";
}

}  // namespace quorbex::zvk
