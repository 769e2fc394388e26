// The record commands of one dictionary as conversations with the user:
// search asks for a pattern, append and modify run the entry dialog, delete
// asks first, and each tells the user when there is nothing to act on. What
// they change they change through the document; they reach the user only
// through the user-interface services, which tests replace.
#pragma once

#include "document/drug_entry_prompt.h"
#include "platform/command_id.h"

namespace quorbex {

class CZorvikDrugDoc;

namespace platform {
class UserInterface;
}

class RecordCommands {
public:
    RecordCommands(CZorvikDrugDoc& document, platform::UserInterface& ui,
                   DrugEntryPromptFactory createEntryDialog);

    void OnDrugSearch();
    void OnDrugAppend();
    void OnDrugModify();
    void OnDrugDelete();
    void OnDrugSave();
    void OnConfirmDelete();
    // The order chosen from the search button's drop-down menu; an id that
    // chooses no order changes nothing.
    void OnSortKey(platform::CommandId id);
    // Flips the search field of id.
    void OnSearchField(platform::CommandId id);
    void OnRecordUndo();
    void OnRecordRedo();

    CZorvikDrugDoc& Document() const { return m_document; }

private:
    void OnOptionCommand(platform::CommandId id);

    CZorvikDrugDoc& m_document;
    platform::UserInterface& m_ui;
    DrugEntryPromptFactory m_createEntryDialog;
};

}  // namespace quorbex
