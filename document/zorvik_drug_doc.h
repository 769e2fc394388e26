// The document of one drug dictionary: its record store, the results of the
// last search with the current result and its seven texts, the search
// options, and the record commands. It tells its views what changed through
// update hints, and everyone else through its signals.
#pragma once

#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/drug_entry_prompt.h"
#include "platform/document.h"
#include "store/drug_fields.h"
#include "store/record_store.h"

namespace quorbex {

class CZorvikDrugDoc : public platform::Document {
    Q_OBJECT
public:
    CZorvikDrugDoc(platform::UserInterface& ui, DrugEntryPromptFactory createEntryDialog);

    bool Serialize(platform::Archive& archive) override;
    bool OnOpenDocument(const QString& path) override;
    // Takes a recovery file's image and lists every record, as an open does.
    bool OnRecoverDocument(const QByteArray& image) override;

    bool RunQuery(const std::string& pattern, int mask, int sortKey);
    // The pattern and the fields of the last query, for showing where it
    // matched; the empty pattern after opening.
    const std::string& GetSearchPattern() const { return m_strSearchPattern; }
    int GetSearchedMask() const { return m_nSearchedMask; }
    bool SelectResult(int index);
    bool SelectFirst();
    // The seven texts of the current record.
    const DrugFields& GetCurrentStrings() const { return m_currentStrings; }
    int GetResultCount() const { return m_nResultCount; }
    int GetCurrentIndex() const { return m_nCurrent; }
    int GetRecordCount();
    void GetSortKey(int& sortKey) const { sortKey = m_nSortKey; }
    bool AddRecord();
    // Appends the records as one change: all of them, or none when the
    // dictionary cannot hold them all (it then answers false). They become
    // results after the current ones, the first of them current; the views
    // are rebuilt and the dictionary is marked modified. Undo takes them all
    // back in one step.
    bool AppendRecords(const std::vector<DrugFields>& records);
    void UpdateCurrentRecord();
    void DeleteResult(int index);
    void ClearResults();
    void ClearCurrentStrings();

    const ResultList& GetResultList() const { return m_resultList; }
    int GetSearchMask() const { return m_nSearchMask; }
    bool GetConfirmDelete() const { return m_bConfirmDelete; }
    // Whether the item of an option command (sort order, search field,
    // confirm delete) carries its mark; false for any other command.
    bool IsOptionChecked(unsigned id) const;
    RecordStore& GetStore() { return m_store; }

    // The appends, modifications and deletions of records, to undo and
    // redo. Its clean state is the saved one: undoing or redoing back to it
    // clears the modified flag.
    QUndoStack& UndoStack() { return m_undoStack; }
    // Makes the records from first to the last, just appended to the store
    // in one go, one step of the undo stack.
    void AddAppendUndoStep(std::uint32_t first);

    // Record commands.
    void OnDrugAppend();
    void OnDrugSearch();
    // A search as the user types: pattern (GBK, at most the search prompt's
    // bytes) with the current fields and order; nothing found shows an
    // empty list and no message.
    void QuickSearch(const std::string& pattern);
    void OnDrugDelete();
    void OnDrugModify();
    void OnDrugSave();
    void OnConfirmDelete();
    void OnSortKey(unsigned id);
    void OnSearchField(unsigned id);
    // The arrow beside the drug tool bar's button buttonId was pressed: the
    // search and delete buttons show their options under the button.
    void OnDrugBarDropDown(unsigned buttonId);
    void OnRecordUndo();
    void OnRecordRedo();

signals:
    // The result list was replaced or shortened, or a result was added.
    void resultsChanged();
    // Another result became current, or none is.
    void currentChanged(int index);
    // The search fields, the sort order or the delete confirmation changed.
    void optionsChanged();

private:
    friend class AppendRecordsCommand;
    friend class ModifyRecordCommand;
    friend class DeleteRecordCommand;

    void SetCurrent(int index);
    // Every record, by trade name, the first current; the views are told.
    void ListEveryRecord();
    // Follows the undo stack's clean state with the modified flag, and the
    // modified flag with the clean state.
    void TieModifiedFlagToUndoStack();
    std::optional<RecordBytes> StoredRecord(std::uint32_t number);

    // What undo and redo do to the store, the result list and the current
    // result; each tells the views with the hints of the command it repeats
    // or takes back.
    void AppendStoredRecords(const std::vector<RecordBytes>& records);
    void RemoveStoredRecords(std::uint32_t first, std::size_t count);
    void WriteStoredRecord(std::uint32_t number, const RecordBytes& bytes);
    void InsertStoredRecord(std::uint32_t number, const RecordBytes& bytes, int position);
    void RemoveRecordNumber(std::uint32_t number);
    void MakeRecordCurrent(std::uint32_t number);

    ResultList m_resultList;
    RecordStore m_store;
    int m_nSortKey = SORT_BY_TRADE_NAME;
    bool m_bConfirmDelete = true;
    int m_nResultCount = 0;
    int m_nCurrent = -1;
    DrugFields m_currentStrings;
    std::string m_strSearchPattern;
    int m_nSearchedMask = 0;
    int m_nSearchMask =
        SEARCH_TRADE_NAME | SEARCH_PINYIN | SEARCH_OTHER_NAMES | SEARCH_ENGLISH_NAME;

    DrugEntryPromptFactory m_createEntryDialog;
    // Last, so that its steps go before the document they refer to.
    QUndoStack m_undoStack;
};

}  // namespace quorbex
