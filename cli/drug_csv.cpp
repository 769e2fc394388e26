#include "cli/drug_csv.h"

#include "cli/csv_text.h"
#include "cli/unencodable.h"
#include "store/gbk_codec.h"

namespace quorbex::zvk {

namespace {

// Spreadsheets often begin their UTF-8 files with a byte order mark.
constexpr std::string_view UTF8_BYTE_ORDER_MARK = "\xEF\xBB\xBF";

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

// The GBK form of one field, or nothing with a problem added.
std::optional<std::string> FieldToGbk(const std::string& utf8, std::size_t line,
                                      const FieldLayout& layout,
                                      std::vector<std::string>& problems) {
    const std::string where = Line(line) + ", field " + std::string(layout.name) + ": ";
    if (utf8.find('\0') != std::string::npos) {
        problems.push_back(where + "holds a NUL character");
        return std::nullopt;
    }
    // The names are single lines, as the entry dialog's boxes for them are.
    const bool multiLine = layout.field == Field::Function || layout.field == Field::Usage ||
                           layout.field == Field::Cautions;
    if (!multiLine && utf8.find_first_of("\t\r\n") != std::string::npos) {
        problems.push_back(where + "holds a tab or a line break, which a name cannot hold");
        return std::nullopt;
    }
    GbkEncodeError error;
    std::optional<std::string> gbk = Utf8ToGbk(utf8, &error);
    if (!gbk) {
        problems.push_back(where + "holds " + DescribeUnencodable(error));
        return std::nullopt;
    }
    if (gbk->size() > layout.limit) {
        problems.push_back(where + std::to_string(gbk->size()) +
                           " bytes in GBK, more than the field's " + std::to_string(layout.limit));
        return std::nullopt;
    }
    return gbk;
}

}  // namespace

std::vector<DrugFields> ReadDrugCsv(std::string_view csvText, std::vector<std::string>& problems) {
    if (csvText.starts_with(UTF8_BYTE_ORDER_MARK)) {
        csvText.remove_prefix(UTF8_BYTE_ORDER_MARK.size());
    }
    const CsvTable table = ParseCsv(csvText);
    std::vector<DrugFields> records;
    const std::vector<std::string> header = HeaderRow();
    if (table.records.empty() || table.records.front().fields != header) {
        const std::size_t line = table.records.empty() ? 1 : table.records.front().line;
        problems.push_back(Line(line) + ": the header row must be " + Join(header));
    }

    for (std::size_t row = 1; row < table.records.size(); ++row) {
        const CsvRecord& record = table.records[row];
        if (row > DICT_MAX_RECORDS) {
            problems.push_back(Line(record.line) + ": more than " +
                               std::to_string(DICT_MAX_RECORDS) +
                               " records, the most a dictionary holds");
            break;
        }
        if (record.fields.size() != FIELD_LAYOUTS.size()) {
            problems.push_back(Line(record.line) + ": " + std::to_string(record.fields.size()) +
                               " fields, a record has " + std::to_string(FIELD_LAYOUTS.size()));
            continue;
        }
        DrugFields fields;
        for (std::size_t i = 0; i < FIELD_LAYOUTS.size(); ++i) {
            const FieldLayout& layout = FIELD_LAYOUTS[i];
            if (auto gbk = FieldToGbk(record.fields[i], record.line, layout, problems)) {
                fields[layout.field] = std::move(*gbk);
            }
        }
        if (record.fields[ColumnOf(Field::TradeName)].empty() &&
            record.fields[ColumnOf(Field::EnglishName)].empty()) {
            problems.push_back(Line(record.line) +
                               ", fields TradeName and EnglishName: both empty, a record "
                               "needs at least one of them");
        }
        records.push_back(std::move(fields));
    }

    if (table.error) {
        problems.push_back(Line(table.error->line) + ": " + table.error->message);
    }
    return records;
}

void WriteDrugCsv(const std::vector<DrugFields>& records, std::ostream& out) {
    out << FormatCsvRecord(HeaderRow());
    for (const DrugFields& record : records) {
        std::vector<std::string> row;
        for (const FieldLayout& layout : FIELD_LAYOUTS) {
            row.push_back(GbkToUtf8(record[layout.field]));
        }
        out << FormatCsvRecord(row);
    }
}

}  // namespace quorbex::zvk
