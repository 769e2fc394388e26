// The document of one drug dictionary: its record store, the results of the
// last search with the current result and its seven texts, the search
// options and the undo stack of record changes. It says nothing to the
// user: what changed goes out as signals, once per operation.
#pragma once

#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/document.h"
#include "resources/search_options.h"
#include "store/drug_fields.h"
#include "store/record_store.h"

namespace quorbex {

class CZorvikDrugDoc : public platform::Document {
    Q_OBJECT
public:
    explicit CZorvikDrugDoc(platform::UserInterface& ui);

    bool Serialize(platform::Archive& archive) override;
    // Opens the file and lists every record, the first current; after a
    // failure too, as the listing of an empty dictionary.
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
    void UpdateCurrentRecord();
    void DeleteResult(int index);
    void ClearResults();
    void ClearCurrentStrings();

    const ResultList& GetResultList() const { return m_resultList; }
    // One field of result index's record, read without moving the current
    // record; empty for an index outside the list.
    std::string_view PeekResultField(int index, Field field) const;
    RecordStore& GetStore() { return m_store; }
    // Whether the dictionary holds as many records as it can.
    bool IsFull() const;

    // What the record commands do to the data, each one change that the
    // views hear of once and the undo stack can take back.
    //
    // Searches with the options' fields and order: the first result becomes
    // current, or with none the current strings are emptied. False when
    // nothing matched.
    bool Search(const std::string& pattern);
    // Appends the drug as a new record, the last result and current; false,
    // with nothing changed, when the dictionary is full.
    bool AppendDrug(const DrugFields& drug);
    // Appends the records as one change: all of them, or none when the
    // dictionary cannot hold them all (it then answers false). They become
    // results after the current ones, the first of them current.
    bool AppendRecords(const std::vector<DrugFields>& records);
    // Writes each replacement over the record of its number, then appends
    // the records, as one change that one undo takes back; false, with
    // nothing changed, when the dictionary cannot hold the appended ones.
    bool ReplaceAndAppend(const std::vector<std::pair<std::uint32_t, DrugFields>>& replacements,
                          const std::vector<DrugFields>& appended);
    // Writes drug over the current result's record, which keeps its place.
    // Nothing without a current result.
    void ModifyCurrent(const DrugFields& drug);
    // Deletes the current result's record; the next result becomes current
    // (the one before it at the end of the list). Nothing without one.
    void DeleteCurrent();

    int GetSearchMask() const { return m_nSearchMask; }
    bool GetConfirmDelete() const { return m_bConfirmDelete; }
    SearchOptions GetOptions() const;
    // The options of the next search and delete; the results shown stay.
    void SetOptions(const SearchOptions& options);

    // The appends, modifications and deletions of records, to undo and
    // redo. Its clean state is the saved one: undoing or redoing back to it
    // clears the modified flag.
    QUndoStack& UndoStack() { return m_undoStack; }

signals:
    // The result list was replaced, or results came or went: any result
    // may stand in another row now, under a label of the sort key.
    void resultsReset();
    // The record of the result at index was rewritten in its place.
    void resultChanged(int index);
    // Another result became current, none is, or the current texts changed;
    // also after every reset of the results.
    void currentChanged(int index);
    // The search fields, the sort order or the delete confirmation changed.
    void optionsChanged();

private:
    friend class AppendRecordsCommand;
    friend class ModifyRecordCommand;
    friend class DeleteRecordCommand;

    // Holds the signals of the changes made while it lives, and sends them
    // when the outermost one ends: each change is told once, when the
    // document is consistent again.
    class ChangeBatch {
    public:
        explicit ChangeBatch(CZorvikDrugDoc& document);
        ~ChangeBatch();
        ChangeBatch(const ChangeBatch&) = delete;
        ChangeBatch& operator=(const ChangeBatch&) = delete;

    private:
        CZorvikDrugDoc& m_document;
    };

    void SetCurrent(int index);
    void NoteResultsReset();
    void NoteResultChanged(int index);
    void SendChanges();
    // Every record, by trade name, the first current.
    void ListEveryRecord();
    // Follows the undo stack's clean state with the modified flag, and the
    // modified flag with the clean state.
    void TieModifiedFlagToUndoStack();
    std::optional<RecordBytes> StoredRecord(std::uint32_t number);
    // Makes the records from first to the last, just appended to the store
    // in one go, one step of the undo stack.
    void AddAppendUndoStep(std::uint32_t first);

    // What undo and redo do to the store, the result list and the current
    // result.
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
    int m_nSearchMask = SearchOptions().searchMask;

    // The changes not yet told, while a batch is open.
    int m_batchDepth = 0;
    bool m_resetPending = false;
    std::vector<int> m_changedPending;
    // The current result and texts as the views were last told of them.
    int m_toldCurrent = -1;
    DrugFields m_toldStrings;

    // Last, so that its steps go before the document they refer to.
    QUndoStack m_undoStack;
};

}  // namespace quorbex
