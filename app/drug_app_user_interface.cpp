#include "app/drug_app_user_interface.h"

#include "dialogs/drug_entry_dialog.h"
#include "dialogs/merge_conflict_dialog.h"
#include "dialogs/text_input_dialog.h"

namespace quorbex {

bool DrugAppUserInterface::InputText(const QString& prompt, std::string& text, int limit) {
    return quorbex::InputText(*this, MainWindow(), prompt, text, limit);
}

std::unique_ptr<DrugEntryPrompt> DrugAppUserInterface::CreateDrugEntryDialog() {
    return std::make_unique<DrugEntryDialog>(*this);
}

std::unique_ptr<ConflictPrompt> DrugAppUserInterface::CreateConflictDialog() {
    return std::make_unique<MergeConflictDialog>(*this, MainWindow());
}

}  // namespace quorbex
