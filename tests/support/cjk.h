// Whether a text holds Chinese (or other CJK) characters: ideographs, their
// radicals and strokes, CJK punctuation, kana, bopomofo and the full-width
// forms that Chinese text uses for its punctuation.
#pragma once

#include <QList>
#include <QString>

namespace quorbex::testing {

constexpr bool IsCjk(char32_t c) {
    return (c >= 0x2E80 && c <= 0x33FF) ||  // radicals, punctuation, kana, bopomofo
           (c >= 0x3400 && c <= 0x9FFF) ||  // ideographs
           (c >= 0xF900 && c <= 0xFAFF) ||  // compatibility ideographs
           (c >= 0xFE30 && c <= 0xFE4F) ||  // compatibility forms
           (c >= 0xFF00 && c <= 0xFFEF) ||  // full-width forms
           (c >= 0x20000 && c <= 0x3FFFF);  // supplementary ideographs
}

inline bool HoldsCjk(const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        if (IsCjk(c)) {
            return true;
        }
    }
    return false;
}

}  // namespace quorbex::testing
