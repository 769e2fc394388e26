// Identifiers of the framework's own commands.
#pragma once

namespace quorbex::platform {

inline constexpr unsigned ID_FILE_NEW = 0xE100;
inline constexpr unsigned ID_FILE_OPEN = 0xE101;
inline constexpr unsigned ID_FILE_CLOSE = 0xE102;
inline constexpr unsigned ID_FILE_SAVE = 0xE103;
inline constexpr unsigned ID_FILE_SAVE_AS = 0xE104;
inline constexpr unsigned ID_FILE_PRINT = 0xE107;
inline constexpr unsigned ID_FILE_PRINT_DIRECT = 0xE108;
inline constexpr unsigned ID_FILE_PRINT_PREVIEW = 0xE109;

}  // namespace quorbex::platform
