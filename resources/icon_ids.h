// Identifiers and locations of the program's icons.
#pragma once

#include <QString>

namespace quorbex {

inline constexpr unsigned IDR_MAINFRAME = 128;    // the application's icon
inline constexpr unsigned IDR_DRUGTYPE = 130;     // a dictionary file's icon
inline constexpr unsigned IDI_CLOSED_BOOK = 141;  // a result in the tree
inline constexpr unsigned IDI_OPEN_BOOK = 143;    // the selected result

// The resource path of icon id; empty for an unknown id.
QString IconPath(unsigned id);

}  // namespace quorbex
