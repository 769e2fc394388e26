#include "csv/csv_text.h"

#include <csv.h>

#include <new>

namespace quorbex::csv {

namespace {

// Spaces and tabs are data: a field keeps them at either end.
int NoSpaceCharacters(unsigned char) {
    return 0;
}

bool IsLineBreak(char byte) {
    return byte == '\r' || byte == '\n';
}

}  // namespace

void CsvParser::ParserDeleter::operator()(csv_parser* parser) const {
    csv_free(parser);
    delete parser;
}

CsvParser::CsvParser(Limits limits, RecordSink sink)
    : m_limits(limits), m_sink(std::move(sink)), m_parser(new csv_parser{}) {
    if (csv_init(m_parser.get(), CSV_STRICT | CSV_STRICT_FINI) != 0) {
        throw std::bad_alloc();
    }
    csv_set_space_func(m_parser.get(), NoSpaceCharacters);
}

CsvParser::~CsvParser() = default;

void CsvParser::OnField(void* bytes, std::size_t size, void* data) {
    auto& self = *static_cast<CsvParser*>(data);
    if (self.m_stopped) {
        return;
    }
    if (self.m_current.fields.size() == self.m_limits.mostFields) {
        self.Fail(CsvError::Kind::TooManyFields);
        return;
    }
    self.m_current.fields.emplace_back(static_cast<const char*>(bytes), size);
}

void CsvParser::OnRecordEnd(int /*terminator*/, void* data) {
    auto& self = *static_cast<CsvParser*>(data);
    if (self.m_stopped) {
        return;
    }
    self.m_betweenRecords = true;
    if (!self.m_sink(std::move(self.m_current))) {
        self.m_stopped = true;
    }
    self.m_current = CsvRecord{};
}

void CsvParser::Fail(CsvError::Kind kind) {
    m_error = CsvError{kind, m_current.row};
    m_stopped = true;
}

bool CsvParser::Feed(std::string_view text) {
    // Records end only at a line break, so feeding the text in spans that
    // each end at one tells where every row begins.
    while (!text.empty() && !m_stopped) {
        if (m_betweenRecords && IsLineBreak(text.front())) {
            // An empty row, unless this is the line feed of the "\r\n" that
            // ended the row before; libcsv would skip it too.
            const bool endsReturn = text.front() == '\n' && m_afterReturn;
            if (!endsReturn) {
                ++m_rows;
            }
            m_afterReturn = !endsReturn && text.front() == '\r';
            text.remove_prefix(1);
            continue;
        }
        const std::size_t lineBreak = text.find_first_of("\r\n");
        const std::size_t length =
            lineBreak == std::string_view::npos ? text.size() : lineBreak + 1;
        FeedSpan(text.substr(0, length));
        text.remove_prefix(length);
    }
    return !m_stopped;
}

void CsvParser::FeedSpan(std::string_view span) {
    if (m_betweenRecords) {
        m_betweenRecords = false;
        m_current.row = ++m_rows;
        m_recordBytes = 0;
    }
    m_recordBytes += span.size();
    if (m_recordBytes > m_limits.mostRecordBytes) {
        Fail(CsvError::Kind::TooLong);
        return;
    }
    const std::size_t parsed =
        csv_parse(m_parser.get(), span.data(), span.size(), OnField, OnRecordEnd, this);
    // A record beyond the limits, or the sink, may have stopped the parse
    // inside the span; what libcsv found after that point does not count.
    if (m_stopped) {
        return;
    }
    if (parsed != span.size()) {
        const int error = csv_error(m_parser.get());
        if (error == CSV_ENOMEM || error == CSV_ETOOBIG) {
            throw std::bad_alloc();
        }
        Fail(CsvError::Kind::Quoting);
        return;
    }
    // A record ends only at the span's last byte, its one line break.
    m_afterReturn = m_betweenRecords && span.back() == '\r';
}

void CsvParser::Finish() {
    if (m_stopped) {
        return;
    }
    if (csv_fini(m_parser.get(), OnField, OnRecordEnd, this) != 0) {
        const int error = csv_error(m_parser.get());
        if (error == CSV_ENOMEM || error == CSV_ETOOBIG) {
            throw std::bad_alloc();
        }
        Fail(CsvError::Kind::UnclosedQuote);
    }
    m_stopped = true;
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

}  // namespace quorbex::csv
