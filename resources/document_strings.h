// The strings of the dictionary document type, separated by newlines:
// window title, document name, new-file name, filter name, extension, shell
// type id and shell type name.
#pragma once

namespace quorbex {

inline constexpr char IDR_DRUGTYPE_STRINGS[] =
    "\n我的药物字典_\n新药物字典\n药物字典文件 (*.*.zvk)\n.zvk\nZorvik.DrugFile\n药物字典";

}  // namespace quorbex
