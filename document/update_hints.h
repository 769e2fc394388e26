// The bits a dictionary document passes to its views when it changed.
#pragma once

namespace quorbex {

inline constexpr int HINT_TEXT = 0x01;     // render the current record's text
inline constexpr int HINT_SELECT = 0x02;   // select the tree item of the current result
inline constexpr int HINT_REBUILD = 0x04;  // rebuild the tree and the record counts
inline constexpr int HINT_RELABEL = 0x08;  // relabel the tree item of the current result

}  // namespace quorbex
