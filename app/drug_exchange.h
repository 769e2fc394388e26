// The program's side of drug lists in CSV files: importing one into a new
// dictionary (named after the file) or onto the open one, and exporting the
// open dictionary or its results. A faulty file is refused whole, its faults
// listed in the program's language. An import fills in missing pinyin
// initials when asked, and skips, replaces or keeps beside them the drugs
// the dictionary already has (same trade name, or same English name for a
// drug without one), in one undo step.
#pragma once

#include <vector>

#include "store/drug_fields.h"
#include "store/record_store.h"

class QWidget;

namespace quorbex {

class CZorvikDrugDoc;

namespace platform {
class DocumentTemplate;
class UserInterface;
}  // namespace platform

// Asks for the file, its encoding and where its drugs go (onto open, when
// not null, or into a new dictionary), then imports it.
void ImportDrugs(platform::UserInterface& ui, platform::DocumentTemplate& docTemplate,
                 CZorvikDrugDoc* open, QWidget* parent);

// Asks where to write and whether formulas are guarded, then writes the
// whole dictionary in file order, or only its results in their order, as
// CSV (UTF-8 with a byte order mark, so that spreadsheets take it as UTF-8).
void ExportDrugs(platform::UserInterface& ui, CZorvikDrugDoc& document, bool resultsOnly,
                 QWidget* parent);

}  // namespace quorbex
