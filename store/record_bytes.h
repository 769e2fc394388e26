// One record's 698 bytes as a value, and the texts of its fields.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/dictionary_format.h"

namespace quorbex {

// One record's bytes, exactly as the image holds them.
using RecordBytes = std::array<std::uint8_t, DICT_RECORD_SIZE>;

// The field's text: its bytes up to the first NUL, at most the field's width.
// Valid as long as record is.
std::string_view FieldText(const RecordBytes& record, Field field);

// Cuts text to the field's limit in bytes (a cut that may split a GBK
// character) and stores it with its NUL, the rest of the field zero.
void StoreFieldText(RecordBytes& record, Field field, std::string& text);

}  // namespace quorbex
