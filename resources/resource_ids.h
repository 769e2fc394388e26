// Identifiers of the program's resources, commands and controls.
#pragma once

#include "platform/command_id.h"

namespace quorbex {

// The drug tool bar, the records pane of the status bar, and the bar toggles.
inline constexpr unsigned IDW_DRUG_TOOLBAR = 101;
inline constexpr platform::CommandId ID_TOGGLE_STANDARD_BAR{105};
inline constexpr platform::CommandId ID_TOGGLE_DRUG_BAR{106};
inline constexpr unsigned ID_INDICATOR_RECORDS = 112;

// Search options and sort order, chosen from the search button's drop-down menu.
inline constexpr platform::CommandId ID_SORT_BY_TRADE_NAME{102};
inline constexpr platform::CommandId ID_SORT_BY_ENGLISH_NAME{104};
inline constexpr platform::CommandId ID_SORT_BY_PINYIN{33000};
inline constexpr platform::CommandId ID_SEARCH_TRADE_NAME{114};
inline constexpr platform::CommandId ID_SEARCH_ENGLISH_NAME{115};
inline constexpr platform::CommandId ID_SEARCH_PINYIN{116};
inline constexpr platform::CommandId ID_SEARCH_OTHER_NAMES{117};
inline constexpr platform::CommandId ID_SEARCH_FUNCTION{118};
inline constexpr platform::CommandId ID_SEARCH_USAGE{119};
inline constexpr platform::CommandId ID_SEARCH_CAUTIONS{120};
inline constexpr platform::CommandId ID_SEARCH_ALL{121};

// Record commands of the drug tool bar.
inline constexpr platform::CommandId ID_DRUG_SEARCH{32774};
inline constexpr platform::CommandId ID_DRUG_APPEND{32775};
inline constexpr platform::CommandId ID_DRUG_DELETE{32778};
inline constexpr platform::CommandId ID_CONFIRM_DELETE{32781};
inline constexpr platform::CommandId ID_DRUG_MODIFY{32791};
inline constexpr platform::CommandId ID_DRUG_SAVE{32792};
// Puts the focus in the drug tool bar's quick search box.
inline constexpr platform::CommandId ID_QUICK_SEARCH{33001};

// Undo and redo of record changes, and the backup kept by a save.
inline constexpr platform::CommandId ID_RECORD_UNDO{33100};
inline constexpr platform::CommandId ID_RECORD_REDO{33101};
inline constexpr platform::CommandId ID_KEEP_BACKUP{33102};

// The drugs viewed in a window, back and forward, and the quick search in
// every open dictionary.
inline constexpr platform::CommandId ID_HISTORY_BACK{33103};
inline constexpr platform::CommandId ID_HISTORY_FORWARD{33104};
inline constexpr platform::CommandId ID_SEARCH_ALL_DICTIONARIES{33105};

// Drug lists to and from CSV files, the printed handbook, the text size and
// the user guide.
inline constexpr platform::CommandId ID_FILE_IMPORT{33050};
inline constexpr platform::CommandId ID_FILE_EXPORT_ALL{33051};
inline constexpr platform::CommandId ID_FILE_EXPORT_RESULTS{33052};
inline constexpr platform::CommandId ID_HANDBOOK_PRINT{33053};
inline constexpr platform::CommandId ID_HANDBOOK_PREVIEW{33054};
inline constexpr platform::CommandId ID_HANDBOOK_PDF{33055};
inline constexpr platform::CommandId ID_HANDBOOK_RESULTS_ONLY{33056};
inline constexpr platform::CommandId ID_VIEW_ZOOM_IN{33057};
inline constexpr platform::CommandId ID_VIEW_ZOOM_OUT{33058};
inline constexpr platform::CommandId ID_VIEW_ZOOM_RESET{33059};
inline constexpr platform::CommandId ID_HELP_GUIDE{33060};

// Another dictionary merged into the active one.
inline constexpr platform::CommandId ID_FILE_MERGE{33110};

}  // namespace quorbex
