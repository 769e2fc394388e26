// The seven texts of one drug record, GBK bytes, and their exchange with the
// store's current-record buffer.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// The name a record is listed by: its trade name, or its English name when
// it has none (only an empty name counts as none; blanks are a name).
std::string_view ListedName(std::string_view tradeName, std::string_view englishName);
inline std::string_view ListedName(const DrugFields& record) {
    return ListedName(record.tradeName, record.englishName);
}

// All seven field exchanges in one direction: with read set the fields
// receive the buffer's texts, otherwise they are cut to their limits and
// written into the buffer.
void ExchangeFields(RecordStore& store, DrugFields& fields, bool read);

// The records of numbers (1-based) in the store, in that order.
std::vector<DrugFields> ReadRecords(RecordStore& store, const ResultList& numbers);
// Every record of the store, in file order.
std::vector<DrugFields> AllRecords(RecordStore& store);

// The headings of the record text's sections.
struct RecordHeadings {
    std::string tradeName;
    std::string englishName;
    std::string function;
    std::string usage;
    std::string cautions;
};

// The headings a record's text is stored and exchanged with, GBK:
// [品名], [英文], [功能], [用法] and [注意事项].
const RecordHeadings& StoredHeadings();

// The record text as the record view shows it: the trade name with its other
// names, the English name, then the function, usage and cautions under their
// headings, with "\r\n" line breaks; pinyin never appears. The fields and
// the headings are in one encoding (GBK for the stored headings), which the
// text keeps: everything else in it is ASCII.
std::string RenderRecordText(const DrugFields& fields,
                             const RecordHeadings& headings = StoredHeadings());

// Where each field's text begins in the record text, by Field; npos for a
// field that it does not show.
using FieldStarts = std::array<std::size_t, 7>;
std::string RenderRecordText(const DrugFields& fields, const RecordHeadings& headings,
                             FieldStarts& starts);

}  // namespace quorbex
