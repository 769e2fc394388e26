#include "csv/csv_fault.h"

#include "csv/unencodable.h"

namespace quorbex::csv {

namespace {

// A long name is cut after this many characters.
constexpr std::size_t MOST_SHOWN_CHARACTERS = 24;

struct FieldWords {
    const char* name;  // as a sentence names it
    bool plural;
};

FieldWords WordsFor(Field field) {
    switch (field) {
        case Field::TradeName:
            return {"the trade name", false};
        case Field::PinyinInitials:
            return {"the pinyin initials", true};
        case Field::EnglishName:
            return {"the English name", false};
        case Field::OtherNames:
            return {"the other names", true};
        case Field::Function:
            return {"the function", false};
        case Field::Usage:
            return {"the usage", false};
        case Field::Cautions:
            return {"the cautions", true};
    }
    return {"the field", false};
}

// "the usage holds", "the cautions hold"; "is" and "are" with be set.
std::string FieldVerb(const CsvFault& fault, bool be) {
    const FieldWords words = WordsFor(fault.field.value_or(Field::TradeName));
    const char* verb =
        be ? (words.plural ? " are " : " is ") : (words.plural ? " hold " : " holds ");
    return std::string(words.name) + verb;
}

std::string Where(const CsvFault& fault) {
    if (fault.row == 0) {
        return std::string();
    }
    std::string where = "row " + std::to_string(fault.row);
    if (!fault.drugName.empty()) {
        where += " (" + fault.drugName + ")";
    }
    return where + ": ";
}

std::string SkippedColumns(const CsvFault& fault) {
    std::string list;
    for (std::size_t i = 0; i < fault.columns.size(); ++i) {
        const std::string& name = i < fault.names.size() ? fault.names[i] : std::string();
        list += i == 0 ? "" : ", ";
        list += name.empty() ? "column " + std::to_string(fault.columns[i]) : "\"" + name + "\"";
    }
    const bool one = fault.columns.size() == 1;
    return "skipped " + std::to_string(fault.columns.size()) +
           (one ? " column that names" : " columns that name") + " no field of a drug: " + list;
}

std::string DuplicateField(const CsvFault& fault) {
    std::string text = "columns";
    for (std::size_t i = 0; i < fault.columns.size(); ++i) {
        text += i == 0 ? " " : " and ";
        text += std::to_string(fault.columns[i]);
        if (i < fault.names.size()) {
            text += " (\"" + fault.names[i] + "\")";
        }
    }
    return text + " both name " + WordsFor(fault.field.value_or(Field::TradeName)).name;
}

std::string What(const CsvFault& fault) {
    using Kind = CsvFault::Kind;
    const std::string count = std::to_string(fault.count);
    const std::string limit = std::to_string(fault.limit);
    switch (fault.kind) {
        case Kind::Quoting:
            return "a quote inside an unquoted cell, or text after a closing quote";
        case Kind::UnclosedQuote:
            return "a quoted cell is not closed";
        case Kind::TooManyCells:
            return "more than " + limit + " cells, the most a row may have; reading stopped here";
        case Kind::RowTooLong:
            return "a row of more than " + limit +
                   " bytes, far more than any drug needs; reading stopped here";
        case Kind::Empty:
            return "the file holds no rows";
        case Kind::NoFieldNamed:
            return "the header row names no column as a field of a drug, such as 品名, 英文名, "
                   "用法 or TradeName";
        case Kind::DuplicateField:
            return DuplicateField(fault);
        case Kind::NoNameColumn:
            return "no column holds the trade name or the English name, one of which every drug "
                   "needs";
        case Kind::SkippedColumns:
            return SkippedColumns(fault);
        case Kind::TooManyDrugs:
            return "more than " + limit +
                   " drugs, the most a dictionary holds; reading stopped here";
        case Kind::CellCount:
            return count + " cells where " + limit + " are expected";
        case Kind::HoldsNul:
            return FieldVerb(fault, false) + "a NUL character";
        case Kind::HoldsLineBreak:
            return FieldVerb(fault, false) + "a tab or a line break, which a name cannot hold";
        case Kind::NotUtf8:
            return FieldVerb(fault, false) + "bytes that are not UTF-8";
        case Kind::NotGbk:
            return FieldVerb(fault, false) + "bytes that are not GBK text";
        case Kind::Unencodable:
            return FieldVerb(fault, false) + DescribeUnencodable({0, fault.character});
        case Kind::TooLong:
            return FieldVerb(fault, true) + count + " bytes in GBK, more than " + limit;
        case Kind::NoName:
            return "neither a trade name nor an English name; a drug needs at least one";
        case Kind::NotExportable:
            break;
    }
    return std::string();
}

}  // namespace

std::string DescribeFault(const CsvFault& fault) {
    if (fault.kind == CsvFault::Kind::NotExportable) {
        return "record " + std::to_string(fault.row) + ", field " +
               std::string(LayoutOf(fault.field.value_or(Field::TradeName)).name) +
               ": bytes that are not GBK text, which would be written as U+FFFD";
    }
    return Where(fault) + What(fault);
}

std::string ShownName(std::string_view utf8) {
    const std::optional<std::u32string> codePoints = DecodeUtf8(utf8);
    if (!codePoints) {
        return std::string();
    }
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        const bool starts = (byte & 0xC0) != 0x80;
        if (starts && ++characters > MOST_SHOWN_CHARACTERS) {
            shown += "…";
            break;
        }
        // A run of control characters (line breaks, tabs) shows as one space.
        if (byte >= 0x20 && byte != 0x7F) {
            shown += utf8[at];
        } else if (!shown.empty() && shown.back() != ' ') {
            shown += ' ';
        }
    }
    const std::size_t first = shown.find_first_not_of(' ');
    const std::size_t last = shown.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : shown.substr(first, last - first + 1);
}

}  // namespace quorbex::csv
