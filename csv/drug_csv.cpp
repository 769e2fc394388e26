#include "csv/drug_csv.h"

#include <algorithm>
#include <array>

#include "csv/column_names.h"
#include "csv/unencodable.h"
#include "store/gbk_codec.h"

namespace quorbex::csv {

namespace {

using Kind = CsvFault::Kind;

// Spreadsheets often begin their UTF-8 files with a byte order mark.
constexpr std::string_view UTF8_BYTE_ORDER_MARK = "\xEF\xBB\xBF";

// Far more CSV text than any record needs: its seven fields hold at most 690
// bytes of GBK, at most three bytes of UTF-8 each, with every quote doubled;
// the cells of skipped columns come on top. A longer row is faulty whatever
// follows.
constexpr std::size_t MOST_RECORD_BYTES = 64 * 1024;
// More columns than any drug list has.
constexpr std::size_t MOST_CELLS = 100;

std::vector<std::string> HeaderRow() {
    std::vector<std::string> names;
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        names.emplace_back(layout.name);
    }
    return names;
}

std::vector<std::optional<Field>> FileOrder() {
    std::vector<std::optional<Field>> fields;
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        fields.emplace_back(layout.field);
    }
    return fields;
}

// A cell that shows nothing: empty, or only blanks and tabs.
bool IsBlank(const std::string& cell) {
    return cell.find_first_not_of(" \t") == std::string::npos;
}

// Why one field's text cannot be stored, or nothing with its GBK form in gbk.
std::optional<CsvFault> FieldToGbk(const std::string& text, TextEncoding encoding,
                                   const FieldLayout& layout, std::string& gbk) {
    CsvFault fault(Kind::HoldsNul);
    fault.field = layout.field;
    if (text.find('\0') != std::string::npos) {
        return fault;
    }
    // The names are single lines, as the entry dialog's boxes for them are.
    const bool multiLine = layout.field == Field::Function || layout.field == Field::Usage ||
                           layout.field == Field::Cautions;
    if (!multiLine && text.find_first_of("\t\r\n") != std::string::npos) {
        fault.kind = Kind::HoldsLineBreak;
        return fault;
    }
    if (encoding == TextEncoding::Gbk) {
        if (!IsGbkText(text)) {
            fault.kind = Kind::NotGbk;
            return fault;
        }
        gbk = text;
    } else {
        GbkEncodeError error;
        std::optional<std::string> converted = Utf8ToGbk(text, &error);
        if (!converted) {
            const std::optional<std::u32string> character = DecodeUtf8(error.character);
            fault.kind = character && character->size() == 1 ? Kind::Unencodable : Kind::NotUtf8;
            fault.character = fault.kind == Kind::Unencodable ? error.character : std::string();
            return fault;
        }
        gbk = std::move(*converted);
    }
    if (gbk.size() > layout.limit) {
        fault.kind = Kind::TooLong;
        fault.count = gbk.size();
        fault.limit = layout.limit;
        return fault;
    }
    return std::nullopt;
}

}  // namespace

DrugCsvReader::DrugCsvReader(TextEncoding encoding, CsvColumns columns, FormulaCells formulas)
    : m_encoding(encoding == TextEncoding::Gbk ? TextEncoding::Gbk : TextEncoding::Utf8),
      m_given(std::move(columns)),
      m_formulas(formulas),
      m_parser({MOST_CELLS, MOST_RECORD_BYTES},
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
    if (!m_anyRow) {
        m_faults.Add(CsvFault(Kind::Empty));
    }
    CsvFault skipped(Kind::SkippedColumns, 1);
    for (std::size_t i = 0, u = 0; i < m_namedSkipped.size() || u < m_unnamed.size();) {
        const bool named = u == m_unnamed.size() ||
                           (i < m_namedSkipped.size() && m_namedSkipped[i] < m_unnamed[u]);
        if (named) {
            skipped.columns.push_back(m_namedSkipped[i]);
            skipped.names.push_back(m_skippedNames[i++]);
        } else if (m_unnamedUsed[u++]) {
            skipped.columns.push_back(m_unnamed[u - 1]);
            skipped.names.emplace_back();
        }
    }
    if (!skipped.columns.empty()) {
        m_warnings.push_back(std::move(skipped));
    }
}

bool DrugCsvReader::FeedParser(std::string_view text) {
    if (m_parser.Feed(text)) {
        return true;
    }
    ReportParseError();
    return false;
}

std::string DrugCsvReader::ToUtf8(const std::string& cell) const {
    return m_encoding == TextEncoding::Gbk ? GbkToUtf8(cell) : cell;
}

bool DrugCsvReader::TakeRecord(CsvRecord&& record) {
    if (std::all_of(record.fields.begin(), record.fields.end(), IsBlank)) {
        return true;
    }
    if (m_formulas == FormulaCells::Guarded) {
        for (std::string& cell : record.fields) {
            cell = UnguardFormula(cell);
        }
    }
    if (m_anyRow) {
        return TakeDrug(record);
    }
    m_anyRow = true;
    // The first row: the columns become known.
    if (m_given.fields.empty() && m_given.headerRow) {
        return TakeHeader(record);
    }
    const std::vector<std::optional<Field>> columns =
        m_given.fields.empty() ? FileOrder() : m_given.fields;
    if (m_given.headerRow) {
        // The given columns stand in for the header's names.
        return UseColumns(columns, {}, record.row);
    }
    return UseColumns(columns, {}, 0) && TakeDrug(record);
}

bool DrugCsvReader::TakeHeader(const CsvRecord& record) {
    std::vector<std::string> names;
    std::vector<std::optional<Field>> columns;
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
        const std::string name = ShownName(ToUtf8(record.fields[i]));
        const std::optional<Field> field = FieldNamedBy(ToUtf8(record.fields[i]));
        if (!field && !IsBlank(record.fields[i])) {
            m_namedSkipped.push_back(i + 1);
            m_skippedNames.push_back(name);
        } else if (!field) {
            m_unnamed.push_back(i + 1);
            m_unnamedUsed.push_back(false);
        }
        names.push_back(name);
        columns.push_back(field);
    }
    if (std::none_of(columns.begin(), columns.end(),
                     [](const std::optional<Field>& field) { return field.has_value(); })) {
        m_faults.Add(CsvFault(Kind::NoFieldNamed, record.row));
        // A header that names nothing skips nothing: it is none.
        m_namedSkipped.clear();
        m_skippedNames.clear();
        return false;
    }
    return UseColumns(std::move(columns), names, record.row);
}

// Takes the columns unless two name the same field or none holds a name.
bool DrugCsvReader::UseColumns(std::vector<std::optional<Field>> columns,
                               const std::vector<std::string>& names, std::size_t row) {
    bool usable = true;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const auto earlier =
            std::find(columns.begin(), columns.begin() + static_cast<long>(i), columns[i]);
        if (!columns[i] || earlier == columns.begin() + static_cast<long>(i)) {
            continue;
        }
        CsvFault fault(Kind::DuplicateField, row, columns[i]);
        const std::size_t first = static_cast<std::size_t>(earlier - columns.begin());
        fault.columns = {first + 1, i + 1};
        if (!names.empty()) {
            fault.names = {names[first], names[i]};
        }
        m_faults.Add(std::move(fault));
        usable = false;
    }
    const auto holds = [&columns](Field field) {
        return std::find(columns.begin(), columns.end(), field) != columns.end();
    };
    if (!holds(Field::TradeName) && !holds(Field::EnglishName)) {
        m_faults.Add(CsvFault(Kind::NoNameColumn, row));
        usable = false;
    }
    m_columns = std::move(columns);
    return usable;
}

const std::string* DrugCsvReader::CellOf(const CsvRecord& record, Field field) const {
    const auto column = std::find(m_columns.begin(), m_columns.end(), field);
    const auto index = static_cast<std::size_t>(column - m_columns.begin());
    return column == m_columns.end() || index >= record.fields.size() ? nullptr
                                                                      : &record.fields[index];
}

std::string DrugCsvReader::DrugName(const CsvRecord& record) const {
    for (const Field field : {Field::TradeName, Field::EnglishName}) {
        const std::string* cell = CellOf(record, field);
        if (cell != nullptr && !IsBlank(*cell)) {
            return ShownName(ToUtf8(*cell));
        }
    }
    return std::string();
}

bool DrugCsvReader::TakeDrug(const CsvRecord& record) {
    const auto rowFault = [&](Kind kind) {
        CsvFault fault(kind, record.row);
        fault.drugName = DrugName(record);
        return fault;
    };
    if (++m_drugs > DICT_MAX_RECORDS) {
        CsvFault fault(Kind::TooManyDrugs, record.row);
        fault.limit = DICT_MAX_RECORDS;
        m_faults.Add(std::move(fault));
        return false;
    }
    std::size_t cells = record.fields.size();
    while (cells > m_columns.size() && IsBlank(record.fields[cells - 1])) {
        --cells;
    }
    if (cells != m_columns.size()) {
        CsvFault fault = rowFault(Kind::CellCount);
        fault.count = cells;
        fault.limit = m_columns.size();
        m_faults.Add(std::move(fault));
        return true;
    }
    DrugFields fields;
    // A row that holds something only outside a drug's fields (its names but
    // blanks) is no drug, as a blank row is none: its export would be a blank
    // row, which no import reads back.
    bool anyField = false;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (!m_columns[i]) {
            const auto unnamed = std::find(m_unnamed.begin(), m_unnamed.end(), i + 1);
            if (unnamed != m_unnamed.end() && !IsBlank(record.fields[i])) {
                m_unnamedUsed[static_cast<std::size_t>(unnamed - m_unnamed.begin())] = true;
            }
            continue;
        }
        anyField = anyField || !IsBlank(record.fields[i]);
        if (std::optional<CsvFault> fault = FieldToGbk(
                record.fields[i], m_encoding, LayoutOf(*m_columns[i]), fields[*m_columns[i]])) {
            fault->row = record.row;
            fault->drugName = DrugName(record);
            m_faults.Add(std::move(*fault));
        }
    }
    const std::string* tradeName = CellOf(record, Field::TradeName);
    const std::string* englishName = CellOf(record, Field::EnglishName);
    if ((tradeName == nullptr || tradeName->empty()) &&
        (englishName == nullptr || englishName->empty())) {
        m_faults.Add(rowFault(Kind::NoName));
    }
    // Once anything is at fault nothing will be written: the records need not be kept.
    if (m_faults.Empty() && anyField) {
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
    CsvFault fault(Kind::Quoting, error->row);
    switch (error->kind) {
        case CsvError::Kind::Quoting:
            break;
        case CsvError::Kind::UnclosedQuote:
            fault.kind = Kind::UnclosedQuote;
            break;
        case CsvError::Kind::TooManyFields:
            fault.kind = Kind::TooManyCells;
            fault.limit = MOST_CELLS;
            break;
        case CsvError::Kind::TooLong:
            fault.kind = Kind::RowTooLong;
            fault.limit = MOST_RECORD_BYTES;
            break;
    }
    m_faults.Add(std::move(fault));
}

DrugCsvReading ReadDrugCsv(const std::function<std::size_t(char*, std::size_t)>& read,
                           const std::function<void()>& rewind, TextEncoding encoding,
                           const CsvColumns& columns, FormulaCells formulas) {
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
    DrugCsvReader reader(encoding, columns, formulas);
    for (;;) {
        const std::size_t got = read(piece.data(), piece.size());
        if (!reader.Feed(std::string_view(piece.data(), got)) || got < piece.size()) {
            break;
        }
    }
    reader.Finish();
    return {encoding, std::move(reader.Records()), reader.Faults(), reader.Warnings()};
}

FaultList UnconvertibleFields(const std::vector<DrugFields>& records) {
    FaultList faults;
    for (std::size_t i = 0; i < records.size(); ++i) {
        for (const FieldLayout& layout : FIELD_LAYOUTS) {
            if (!IsGbkText(records[i][layout.field])) {
                faults.Add(CsvFault(Kind::NotExportable, i + 1, layout.field));
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
