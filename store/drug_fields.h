// The seven texts of one drug record, GBK bytes, and their exchange with the
// store's current-record buffer.
#pragma once

#include <string>

#include "store/record_store.h"

namespace quorbex {

struct DrugFields {
    std::string tradeName;
    std::string pinyinInitials;
    std::string englishName;
    std::string otherNames;
    std::string function;
    std::string usage;
    std::string cautions;

    std::string& operator[](Field field);
    const std::string& operator[](Field field) const;
    bool operator==(const DrugFields&) const = default;
};

// All seven field exchanges in one direction: with read set the fields
// receive the buffer's texts, otherwise they are cut to their limits and
// written into the buffer.
void ExchangeFields(RecordStore& store, DrugFields& fields, bool read);

// The record text as the record view shows it: the trade name with its other
// names, the English name, then the function, usage and cautions under
// bracketed headings. GBK, with "\r\n" line breaks; pinyin never appears.
std::string RenderRecordText(const DrugFields& fields);

}  // namespace quorbex
