#include "csv/drug_csv.h"

#include <algorithm>
#include <array>

#include "csv/unencodable.h"
#include "store/gbk_codec.h"

namespace quorbex::csv {

namespace {

// Spreadsheets often begin their UTF-8 files with a byte order mark.
constexpr std::string_view UTF8_BYTE_ORDER_MARK = "\xEF\xBB\xBF";

// Far more CSV text than any record needs: its seven fields hold at most 690
// bytes of GBK, at most three bytes of UTF-8 each, with every quote doubled.
// A longer record is faulty whatever follows.
constexpr std::size_t MOST_RECORD_BYTES = 64 * 1024;

std::vector<std::string> HeaderRow() {
    std::vector<std::string> names;
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        names.emplace_back(layout.name);
    }
    return names;
}

std::string Join(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ",") + name;
    }
    return text;
}

// The columns lie in the order of the fields in a record.
std::size_t ColumnOf(Field field) {
    return static_cast<std::size_t>(field);
}

std::string Line(std::size_t line) {
    return "line " + std::to_string(line);
}

// The GBK form of one field as the text holds it, or nothing with a fault added.
std::optional<std::string> FieldToGbk(const std::string& text, TextEncoding encoding,
                                      std::size_t line, const FieldLayout& layout,
                                      FaultList& faults) {
    const std::string where = Line(line) + ", field " + std::string(layout.name) + ": ";
    if (text.find('\0') != std::string::npos) {
        faults.Add(where + "holds a NUL character");
        return std::nullopt;
    }
    // The names are single lines, as the entry dialog's boxes for them are.
    const bool multiLine = layout.field == Field::Function || layout.field == Field::Usage ||
                           layout.field == Field::Cautions;
    if (!multiLine && text.find_first_of("\t\r\n") != std::string::npos) {
        faults.Add(where + "holds a tab or a line break, which a name cannot hold");
        return std::nullopt;
    }
    std::optional<std::string> gbk;
    if (encoding == TextEncoding::Gbk) {
        if (!IsGbkText(text)) {
            faults.Add(where + "holds bytes that are not GBK text");
            return std::nullopt;
        }
        gbk = text;
    } else {
        GbkEncodeError error;
        gbk = Utf8ToGbk(text, &error);
        if (!gbk) {
            faults.Add(where + "holds " + DescribeUnencodable(error));
            return std::nullopt;
        }
    }
    if (gbk->size() > layout.limit) {
        faults.Add(where + std::to_string(gbk->size()) + " bytes in GBK, more than the field's " +
                   std::to_string(layout.limit));
        return std::nullopt;
    }
    return gbk;
}

}  // namespace

DrugCsvReader::DrugCsvReader(TextEncoding encoding, FormulaCells formulas)
    : m_encoding(encoding == TextEncoding::Gbk ? TextEncoding::Gbk : TextEncoding::Utf8),
      m_formulas(formulas),
      m_parser({FIELD_LAYOUTS.size(), MOST_RECORD_BYTES},
               [this](CsvRecord&& record) { return TakeRecord(std::move(record)); }) {}

bool DrugCsvReader::Feed(std::string_view text) {
    if (!m_startChecked && m_encoding == TextEncoding::Gbk) {
        m_startChecked = true;
    }
    if (!m_startChecked) {
        const std::size_t wanted = UTF8_BYTE_ORDER_MARK.size() - m_start.size();
        m_start.append(text.substr(0, wanted));
        text.remove_prefix(std::min(wanted, text.size()));
        if (m_start.size() < UTF8_BYTE_ORDER_MARK.size()) {
            return true;
        }
        m_startChecked = true;
        if (m_start != UTF8_BYTE_ORDER_MARK && !FeedParser(m_start)) {
            return false;
        }
    }
    return FeedParser(text);
}

void DrugCsvReader::Finish() {
    if (!m_startChecked) {
        m_startChecked = true;
        FeedParser(m_start);
    }
    m_parser.Finish();
    ReportParseError();
    if (!m_headerSeen) {
        m_faults.Add(Line(1) + ": the header row must be " + Join(HeaderRow()));
    }
}

bool DrugCsvReader::FeedParser(std::string_view text) {
    if (m_parser.Feed(text)) {
        return true;
    }
    ReportParseError();
    return false;
}

bool DrugCsvReader::TakeRecord(CsvRecord&& record) {
    if (!m_headerSeen) {
        m_headerSeen = true;
        if (record.fields != HeaderRow()) {
            m_faults.Add(Line(record.line) + ": the header row must be " + Join(HeaderRow()));
        }
        return true;
    }
    if (++m_rows > DICT_MAX_RECORDS) {
        m_faults.Add(Line(record.line) + ": more than " + std::to_string(DICT_MAX_RECORDS) +
                     " records, the most a dictionary holds");
        return false;
    }
    if (record.fields.size() != FIELD_LAYOUTS.size()) {
        m_faults.Add(Line(record.line) + ": " + std::to_string(record.fields.size()) +
                     " fields, a record has " + std::to_string(FIELD_LAYOUTS.size()));
        return true;
    }
    if (m_formulas == FormulaCells::Guarded) {
        for (std::string& cell : record.fields) {
            cell = UnguardFormula(cell);
        }
    }
    DrugFields fields;
    for (std::size_t i = 0; i < FIELD_LAYOUTS.size(); ++i) {
        const FieldLayout& layout = FIELD_LAYOUTS[i];
        if (auto gbk = FieldToGbk(record.fields[i], m_encoding, record.line, layout, m_faults)) {
            fields[layout.field] = std::move(*gbk);
        }
    }
    if (record.fields[ColumnOf(Field::TradeName)].empty() &&
        record.fields[ColumnOf(Field::EnglishName)].empty()) {
        m_faults.Add(Line(record.line) +
                     ", fields TradeName and EnglishName: both empty, a record needs at least "
                     "one of them");
    }
    // Once anything is at fault nothing will be written: the records need not be kept.
    if (m_faults.Empty()) {
        m_records.push_back(std::move(fields));
    }
    return true;
}

void DrugCsvReader::ReportParseError() {
    const std::optional<CsvError>& error = m_parser.Error();
    if (!error || m_parseErrorReported) {
        return;
    }
    m_parseErrorReported = true;
    const std::string where = Line(error->line) + ": ";
    switch (error->kind) {
        case CsvError::Kind::Quoting:
            m_faults.Add(where + "a quote inside an unquoted field, or text after a closing quote");
            break;
        case CsvError::Kind::UnclosedQuote:
            m_faults.Add(where + "a quoted field is not closed");
            break;
        case CsvError::Kind::TooManyFields:
            m_faults.Add(where + "more than " + std::to_string(FIELD_LAYOUTS.size()) +
                         " fields, a record has " + std::to_string(FIELD_LAYOUTS.size()) +
                         "; reading stopped here");
            break;
        case CsvError::Kind::TooLong:
            m_faults.Add(where + "a record of more than " + std::to_string(MOST_RECORD_BYTES) +
                         " bytes, far more than any drug record holds; reading stopped here");
            break;
    }
}

DrugCsvReading ReadDrugCsv(const std::function<std::size_t(char*, std::size_t)>& read,
                           const std::function<void()>& rewind, TextEncoding encoding,
                           FormulaCells formulas) {
    // Read in pieces, so that no file, however large or faulty, is held whole.
    std::array<char, 64 * 1024> piece;
    if (encoding == TextEncoding::Auto) {
        EncodingDetector detector;
        for (std::size_t got = piece.size(); got == piece.size();) {
            got = read(piece.data(), piece.size());
            detector.Feed(std::string_view(piece.data(), got));
        }
        encoding = detector.Result();
        rewind();
    }
    DrugCsvReader reader(encoding, formulas);
    for (;;) {
        const std::size_t got = read(piece.data(), piece.size());
        if (!reader.Feed(std::string_view(piece.data(), got)) || got < piece.size()) {
            break;
        }
    }
    reader.Finish();
    return {encoding, std::move(reader.Records()), reader.Faults()};
}

FaultList UnconvertibleFields(const std::vector<DrugFields>& records) {
    FaultList faults;
    for (std::size_t i = 0; i < records.size(); ++i) {
        for (const FieldLayout& layout : FIELD_LAYOUTS) {
            if (!IsGbkText(records[i][layout.field])) {
                faults.Add("record " + std::to_string(i + 1) + ", field " +
                           std::string(layout.name) +
                           ": bytes that are not GBK text, which would be written as U+FFFD");
            }
        }
    }
    return faults;
}

void WriteDrugCsv(const std::vector<DrugFields>& records, std::ostream& out,
                  FormulaCells formulas) {
    out << FormatCsvRecord(HeaderRow());
    for (const DrugFields& record : records) {
        std::vector<std::string> row;
        for (const FieldLayout& layout : FIELD_LAYOUTS) {
            std::string cell = GbkToUtf8(record[layout.field]);
            row.push_back(formulas == FormulaCells::Guarded ? GuardFormula(cell) : std::move(cell));
        }
        out << FormatCsvRecord(row);
    }
}

}  // namespace quorbex::csv
