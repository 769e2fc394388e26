#include "app/import_faults.h"

#include <QStringList>

#include "resources/strings.h"

namespace quorbex {

namespace {

QString FieldName(std::optional<Field> field) {
    switch (field.value_or(Field::TradeName)) {
        case Field::TradeName:
            return Tr(UiText::FieldTradeName);
        case Field::PinyinInitials:
            return Tr(UiText::FieldPinyin);
        case Field::EnglishName:
            return Tr(UiText::FieldEnglishName);
        case Field::OtherNames:
            return Tr(UiText::FieldOtherNames);
        case Field::Function:
            return Tr(UiText::FieldFunction);
        case Field::Usage:
            return Tr(UiText::FieldUsage);
        case Field::Cautions:
            return Tr(UiText::FieldCautions);
    }
    return QString();
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString SkippedColumns(const csv::CsvFault& fault) {
    QStringList columns;
    for (std::size_t i = 0; i < fault.columns.size(); ++i) {
        const std::string name = i < fault.names.size() ? fault.names[i] : std::string();
        columns.append(name.empty() ? Tr(UiText::FaultUnnamedColumn).arg(fault.columns[i])
                                    : QStringLiteral("\u201C%1\u201D").arg(Utf8(name)));
    }
    return Tr(UiText::FaultSkippedColumns)
        .arg(fault.columns.size())
        .arg(columns.join(Tr(UiText::HandbookFieldSeparator)));
}

QString CodePoint(const QString& character) {
    const QList<uint> codePoints = character.toUcs4();
    return codePoints.isEmpty()
               ? QString()
               : QStringLiteral("U+%1").arg(codePoints.front(), 4, 16, QLatin1Char('0')).toUpper();
}

QString What(const csv::CsvFault& fault) {
    using Kind = csv::CsvFault::Kind;
    const QString field = FieldName(fault.field);
    switch (fault.kind) {
        case Kind::Quoting:
            return Tr(UiText::FaultQuoting);
        case Kind::UnclosedQuote:
            return Tr(UiText::FaultUnclosedQuote);
        case Kind::TooManyCells:
            return Tr(UiText::FaultTooManyCells).arg(fault.limit);
        case Kind::RowTooLong:
            return Tr(UiText::FaultRowTooLong).arg(fault.limit);
        case Kind::Empty:
            return Tr(UiText::FaultEmpty);
        case Kind::NoFieldNamed:
            return Tr(UiText::FaultNoFieldNamed);
        case Kind::DuplicateField:
            return Tr(UiText::FaultDuplicateField)
                .arg(fault.columns.empty() ? 0 : fault.columns.front())
                .arg(fault.columns.size() < 2 ? 0 : fault.columns[1])
                .arg(field);
        case Kind::NoNameColumn:
            return Tr(UiText::FaultNoNameColumn);
        case Kind::SkippedColumns:
            return SkippedColumns(fault);
        case Kind::TooManyDrugs:
            return Tr(UiText::FaultTooManyDrugs).arg(fault.limit);
        case Kind::CellCount:
            return Tr(UiText::FaultCellCount).arg(fault.count).arg(fault.limit);
        case Kind::HoldsNul:
            return Tr(UiText::FaultHoldsNul).arg(field);
        case Kind::HoldsLineBreak:
            return Tr(UiText::FaultHoldsLineBreak).arg(field);
        case Kind::NotUtf8:
            return Tr(UiText::FaultNotUtf8).arg(field);
        case Kind::NotGbk:
            return Tr(UiText::FaultNotGbk).arg(field);
        case Kind::Unencodable: {
            const QString character = Utf8(fault.character);
            return Tr(UiText::FaultUnencodable).arg(field, character, CodePoint(character));
        }
        case Kind::TooLong:
            return Tr(UiText::FaultTooLong).arg(field).arg(fault.count).arg(fault.limit);
        case Kind::NoName:
            return Tr(UiText::FaultNoName);
        case Kind::NotExportable:
            return Tr(UiText::FaultNotExportable).arg(fault.row).arg(field);
    }
    return QString();
}

}  // namespace

QString DescribeImportFault(const csv::CsvFault& fault) {
    const QString what = What(fault);
    if (fault.row == 0 || fault.kind == csv::CsvFault::Kind::NotExportable) {
        return what;
    }
    if (fault.drugName.empty()) {
        return Tr(UiText::FaultAtRow).arg(fault.row).arg(what);
    }
    return Tr(UiText::FaultAtRowOfDrug).arg(fault.row).arg(Utf8(fault.drugName), what);
}

QString FaultLines(const csv::FaultList& faults) {
    QStringList lines;
    for (const csv::CsvFault& fault : faults.Shown()) {
        lines.append(DescribeImportFault(fault));
    }
    if (faults.NotShown() > 0) {
        lines.append(Tr(UiText::MoreFaults).arg(faults.NotShown()));
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace quorbex
