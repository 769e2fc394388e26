// A dictionary's plain image read byte by byte as the file format lays it
// out, without the store: what the tests and the fuzz targets hold the store
// to.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "store/dictionary_format.h"
#include "store/drug_fields.h"

namespace quorbex::testing {

using ImageView = std::span<const std::uint8_t>;

// Record n's bytes as the store reads them: zero where the image ends before it.
inline std::vector<std::uint8_t> PlainRecord(ImageView image, std::uint32_t n) {
    std::vector<std::uint8_t> record(DICT_RECORD_SIZE, 0);
    const std::uint64_t position = RecordOffset(n);
    if (position < image.size()) {
        const auto present = std::min<std::uint64_t>(DICT_RECORD_SIZE, image.size() - position);
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(position), present, record.begin());
    }
    return record;
}

// A field's text in a record's bytes: up to its first NUL, at most the
// field's width.
inline std::string PlainField(ImageView record, Field field) {
    const FieldLayout& layout = LayoutOf(field);
    const auto first = record.begin() + layout.offset;
    return std::string(first, std::find(first, first + layout.limit + 1, 0));
}

inline DrugFields PlainFields(ImageView record) {
    DrugFields fields;
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        fields[layout.field] = PlainField(record, layout.field);
    }
    return fields;
}

}  // namespace quorbex::testing
