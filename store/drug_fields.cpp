#include "store/drug_fields.h"

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

void ExchangeFields(RecordStore& store, DrugFields& fields, bool read) {
    store.ExchangeTradeName(fields.tradeName, read);
    store.ExchangePinyinInitials(fields.pinyinInitials, read);
    store.ExchangeEnglishName(fields.englishName, read);
    store.ExchangeOtherNames(fields.otherNames, read);
    store.ExchangeFunction(fields.function, read);
    store.ExchangeUsage(fields.usage, read);
    store.ExchangeCautions(fields.cautions, read);
}

std::string RenderRecordText(const DrugFields& fields) {
    std::string text;
    if (!fields.tradeName.empty()) {
        text += "[\xC6\xB7\xC3\xFB]" + fields.tradeName;  // [品名]
        if (!fields.otherNames.empty()) {
            text += "(" + fields.otherNames + ")";
        }
    }
    if (!fields.englishName.empty()) {
        text += "\r\n[\xD3\xA2\xCE\xC4]" + fields.englishName;  // [英文]
    }
    if (!fields.function.empty()) {
        text += "\r\n\r\n[\xB9\xA6\xC4\xDC]\r\n" + fields.function;  // [功能]
    }
    if (!fields.usage.empty()) {
        text += "\r\n\r\n[\xD3\xC3\xB7\xA8]\r\n" + fields.usage;  // [用法]
    }
    if (!fields.cautions.empty()) {
        text += "\r\n\r\n[\xD7\xA2\xD2\xE2\xCA\xC2\xCF\xEE]\r\n" + fields.cautions;  // [注意事项]
    }
    return text;
}

}  // namespace quorbex
