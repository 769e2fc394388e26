#include "store/record_bytes.h"

#include <algorithm>
#include <cstring>

namespace quorbex {

std::string_view FieldText(const RecordBytes& record, Field field) {
    const FieldLayout& layout = LayoutOf(field);
    const auto* bytes = reinterpret_cast<const char*>(record.data() + layout.offset);
    return std::string_view(bytes, ::strnlen(bytes, layout.limit + 1));
}

void StoreFieldText(RecordBytes& record, Field field, std::string& text) {
    const FieldLayout& layout = LayoutOf(field);
    if (text.size() > layout.limit) {
        text.resize(layout.limit);
    }
    std::uint8_t* bytes = record.data() + layout.offset;
    std::memcpy(bytes, text.data(), text.size());
    std::fill(bytes + text.size(), bytes + layout.limit + 1, 0);
}

}  // namespace quorbex
