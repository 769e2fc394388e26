#include "document/record_commands.h"

#include "document/zorvik_drug_doc.h"
#include "platform/gbk_text.h"
#include "platform/user_interface.h"
#include "resources/search_options.h"
#include "resources/strings.h"

namespace quorbex {

namespace {

constexpr int SEARCH_PROMPT_LIMIT = 10;

}  // namespace

RecordCommands::RecordCommands(CZorvikDrugDoc& document, platform::UserInterface& ui,
                               DrugEntryPromptFactory createEntryDialog)
    : m_document(document), m_ui(ui), m_createEntryDialog(std::move(createEntryDialog)) {}

void RecordCommands::OnDrugSearch() {
    std::string text;
    if (!m_ui.InputText(Tr(UiText::SearchPrompt), text, SEARCH_PROMPT_LIMIT)) {
        return;
    }
    m_ui.BeginWaitCursor();
    if (!m_document.Search(text)) {
        m_ui.MessageBox(Tr(UiText::NothingFound), Tr(UiText::SearchFailedCaption),
                        QMessageBox::Critical);
    }
    m_ui.EndWaitCursor();
}

// A full dictionary is refused before the entry dialog opens, so that nothing
// the user types there is lost.
void RecordCommands::OnDrugAppend() {
    if (m_document.IsFull()) {
        m_ui.MessageBox(Tr(UiText::DictionaryFull), Tr(UiText::AppendCaption),
                        QMessageBox::Critical);
        return;
    }
    const std::unique_ptr<DrugEntryPrompt> dialog = m_createEntryDialog();
    if (dialog->DoModal() != QDialog::Accepted) {
        return;
    }
    DrugFields drug;
    dialog->ExchangeFields(drug, true);
    if (!m_document.AppendDrug(drug)) {
        m_ui.MessageBox(Tr(UiText::DictionaryFull), Tr(UiText::AppendCaption),
                        QMessageBox::Critical);
    }
}

void RecordCommands::OnDrugModify() {
    if (m_document.GetCurrentIndex() < 0) {
        m_ui.MessageBox(Tr(UiText::NoDrugToModify), Tr(UiText::ModifyCaption),
                        QMessageBox::Information);
        return;
    }
    // The dialog starts from the record as stored.
    m_document.SelectResult(m_document.GetCurrentIndex());
    DrugFields drug = m_document.GetCurrentStrings();
    const std::unique_ptr<DrugEntryPrompt> dialog = m_createEntryDialog();
    dialog->ExchangeFields(drug, false);
    if (dialog->DoModal() != QDialog::Accepted) {
        return;
    }
    dialog->ExchangeFields(drug, true);
    m_document.ModifyCurrent(drug);
}

void RecordCommands::OnDrugDelete() {
    if (m_document.GetCurrentIndex() < 0) {
        m_ui.MessageBox(Tr(UiText::NothingToDelete), Tr(UiText::DeleteCaption),
                        QMessageBox::Information);
        return;
    }
    const QString name = platform::FromGbk(ListedName(m_document.GetCurrentStrings()));
    if (m_document.GetConfirmDelete() &&
        m_ui.MessageBox(Tr(UiText::DeleteQuestion).arg(name), Tr(UiText::DeleteCaption),
                        QMessageBox::Question,
                        QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    m_document.DeleteCurrent();
}

void RecordCommands::OnDrugSave() {
    m_document.DoFileSave();
}

void RecordCommands::OnConfirmDelete() {
    OnOptionCommand(ID_CONFIRM_DELETE);
}

void RecordCommands::OnSortKey(platform::CommandId id) {
    const OptionCommand* command = FindOptionCommand(id);
    if (command != nullptr && command->kind == OptionCommand::Kind::SortKey) {
        OnOptionCommand(id);
    }
}

void RecordCommands::OnSearchField(platform::CommandId id) {
    const OptionCommand* command = FindOptionCommand(id);
    if (command != nullptr && command->kind == OptionCommand::Kind::SearchField) {
        OnOptionCommand(id);
    }
}

void RecordCommands::OnOptionCommand(platform::CommandId id) {
    if (const std::optional<SearchOptions> options =
            AfterOptionCommand(m_document.GetOptions(), id)) {
        m_document.SetOptions(*options);
    }
}

void RecordCommands::OnRecordUndo() {
    m_document.UndoStack().undo();
}

void RecordCommands::OnRecordRedo() {
    m_document.UndoStack().redo();
}

}  // namespace quorbex
