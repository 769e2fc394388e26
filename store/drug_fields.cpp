#include "store/drug_fields.h"

#include <numeric>
#include <utility>

namespace quorbex {

std::string& DrugFields::operator[](Field field) {
    return const_cast<std::string&>(std::as_const(*this)[field]);
}

const std::string& DrugFields::operator[](Field field) const {
    switch (field) {
        case Field::TradeName:
            return tradeName;
        case Field::PinyinInitials:
            return pinyinInitials;
        case Field::EnglishName:
            return englishName;
        case Field::OtherNames:
            return otherNames;
        case Field::Function:
            return function;
        case Field::Usage:
            return usage;
        case Field::Cautions:
            break;
    }
    return cautions;
}

std::string_view ListedName(std::string_view tradeName, std::string_view englishName) {
    return tradeName.empty() ? englishName : tradeName;
}

void ExchangeFields(RecordStore& store, DrugFields& fields, bool read) {
    store.ExchangeTradeName(fields.tradeName, read);
    store.ExchangePinyinInitials(fields.pinyinInitials, read);
    store.ExchangeEnglishName(fields.englishName, read);
    store.ExchangeOtherNames(fields.otherNames, read);
    store.ExchangeFunction(fields.function, read);
    store.ExchangeUsage(fields.usage, read);
    store.ExchangeCautions(fields.cautions, read);
}

std::vector<DrugFields> ReadRecords(RecordStore& store, const ResultList& numbers) {
    std::vector<DrugFields> records(numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        store.GoToRecord(numbers[i]);
        ExchangeFields(store, records[i], true);
    }
    return records;
}

std::vector<DrugFields> AllRecords(RecordStore& store) {
    ResultList inFileOrder(store.GetCount());
    std::iota(inFileOrder.begin(), inFileOrder.end(), 1U);
    return ReadRecords(store, inFileOrder);
}

const RecordHeadings& StoredHeadings() {
    static const RecordHeadings headings{
        .tradeName = "[\xC6\xB7\xC3\xFB]",                 // [品名]
        .englishName = "[\xD3\xA2\xCE\xC4]",               // [英文]
        .function = "[\xB9\xA6\xC4\xDC]",                  // [功能]
        .usage = "[\xD3\xC3\xB7\xA8]",                     // [用法]
        .cautions = "[\xD7\xA2\xD2\xE2\xCA\xC2\xCF\xEE]",  // [注意事项]
    };
    return headings;
}

std::string RenderRecordText(const DrugFields& fields, const RecordHeadings& headings) {
    FieldStarts starts;
    return RenderRecordText(fields, headings, starts);
}

std::string RenderRecordText(const DrugFields& fields, const RecordHeadings& headings,
                             FieldStarts& starts) {
    starts.fill(std::string::npos);
    std::string text;
    const auto append = [&](Field field, const std::string& before, const std::string& after) {
        text += before;
        starts[static_cast<std::size_t>(field)] = text.size();
        text += fields[field] + after;
    };
    if (!fields.tradeName.empty()) {
        append(Field::TradeName, headings.tradeName, "");
        if (!fields.otherNames.empty()) {
            append(Field::OtherNames, "(", ")");
        }
    }
    if (!fields.englishName.empty()) {
        append(Field::EnglishName, "\r\n" + headings.englishName, "");
    }
    if (!fields.function.empty()) {
        append(Field::Function, "\r\n\r\n" + headings.function + "\r\n", "");
    }
    if (!fields.usage.empty()) {
        append(Field::Usage, "\r\n\r\n" + headings.usage + "\r\n", "");
    }
    if (!fields.cautions.empty()) {
        append(Field::Cautions, "\r\n\r\n" + headings.cautions + "\r\n", "");
    }
    return text;
}

}  // namespace quorbex
