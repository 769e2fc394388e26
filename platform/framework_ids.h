// Identifiers of the framework's own commands, bars and status bar panes.
#pragma once

#include "platform/command_id.h"

namespace quorbex::platform {

inline constexpr CommandId ID_FILE_NEW{0xE100};
inline constexpr CommandId ID_FILE_OPEN{0xE101};
inline constexpr CommandId ID_FILE_CLOSE{0xE102};
inline constexpr CommandId ID_FILE_SAVE{0xE103};
inline constexpr CommandId ID_FILE_SAVE_AS{0xE104};
inline constexpr CommandId ID_FILE_PRINT_SETUP{0xE106};
inline constexpr CommandId ID_FILE_PRINT{0xE107};
inline constexpr CommandId ID_FILE_PRINT_PREVIEW{0xE109};
inline constexpr CommandId ID_FILE_MRU_FILE1{0xE110};
inline constexpr CommandId ID_EDIT_COPY{0xE122};
inline constexpr CommandId ID_EDIT_CUT{0xE123};
inline constexpr CommandId ID_EDIT_PASTE{0xE125};
inline constexpr CommandId ID_EDIT_UNDO{0xE12B};
inline constexpr CommandId ID_WINDOW_ARRANGE{0xE131};
inline constexpr CommandId ID_WINDOW_CASCADE{0xE132};
inline constexpr CommandId ID_WINDOW_TILE_HORZ{0xE133};
inline constexpr CommandId ID_APP_ABOUT{0xE140};
inline constexpr CommandId ID_APP_EXIT{0xE141};
inline constexpr CommandId ID_NEXT_PANE{0xE150};
inline constexpr CommandId ID_PREV_PANE{0xE151};

inline constexpr unsigned AFX_IDW_TOOLBAR = 0xE800;
inline constexpr unsigned AFX_IDW_STATUS_BAR = 0xE801;

inline constexpr unsigned ID_INDICATOR_CAPS = 0xE701;
inline constexpr unsigned ID_INDICATOR_NUM = 0xE702;
inline constexpr unsigned ID_INDICATOR_SCRL = 0xE703;

}  // namespace quorbex::platform
