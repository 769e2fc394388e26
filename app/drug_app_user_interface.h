// The program's user-interface services: the Qt ones, with the text prompt
// and the drug entry and merge conflict dialogs of this program.
#pragma once

#include <memory>

#include "document/conflict_prompt.h"
#include "document/drug_entry_prompt.h"
#include "platform/qt_user_interface.h"

namespace quorbex {

class DrugAppUserInterface : public platform::QtUserInterface {
public:
    bool InputText(const QString& prompt, std::string& text, int limit) override;

    // A new drug entry dialog, without a parent window.
    std::unique_ptr<DrugEntryPrompt> CreateDrugEntryDialog();
    // A new dialog that settles a merge's conflicts, over the main window.
    std::unique_ptr<ConflictPrompt> CreateConflictDialog();
};

}  // namespace quorbex
