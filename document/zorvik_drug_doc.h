// The document of one drug dictionary: its record store, the results of the
// last search with the current result and its seven texts, the search
// options and the undo stack of record changes. It says nothing to the
// user: what changed goes out as signals, once per operation.
#pragma once

#include <QByteArray>
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
    // The quick search (store/quick_match.h) for query with the options'
    // fields and order: the hits become the results, best first, the first
    // current; a blank query lists every record as the empty pattern does;
    // with no hit the current strings are emptied and the suggestions kept
    // until the next search.
    QuickStatus QuickSearch(const std::string& query);
    // Whether the last search was the quick search, whose rules then say
    // where the pattern matched.
    bool IsQuickSearch() const { return m_quickSearch; }
    QuickStatus GetQuickStatus() const { return m_quickStatus; }
    // Record numbers offered when the last quick search found nothing, until
    // the results next change.
    const std::vector<std::uint32_t>& GetSuggestions() const { return m_suggestions; }
    // Quick-searches the trade name of suggestion index and makes its record
    // current; false for an index that names no suggestion.
    bool TakeSuggestion(std::size_t index);
    // Makes record number current: selected among the results, or listed
    // alone when it is not one of them; the pattern stays. False for a
    // number the dictionary does not hold.
    bool ShowRecord(std::uint32_t number);
    // The number of the current result's record; 0 without one.
    std::uint32_t GetCurrentNumber() const;
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

    // Takes bytes, the file as it now stands on disk, for the records: the
    // last search runs again on them, the drug of the current name staying
    // current; the undo steps go and the document is unmodified, with bytes
    // as its file's. False, with nothing changed, when bytes are no
    // dictionary, or empty (a file being rewritten in place, seen halfway).
    bool Reload(const QByteArray& bytes);
    // Makes records the dictionary's records as one step of the undo stack;
    // the last search runs again on them, as after a reload. False, with
    // nothing changed, for more than DICT_MAX_RECORDS records.
    bool ReplaceAllRecords(const std::vector<RecordBytes>& records);
    // The file now holds bytes, which the records have taken in: what the
    // next merge starts from and what a save compares the file with.
    void AdoptDiskBytes(QByteArray bytes) { KeepDiskBytes(std::move(bytes)); }

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
    friend class ReplaceRecordsCommand;

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
    void SetAllStoredRecords(const std::vector<RecordBytes>& records);
    // Runs the last search again after the records changed as a whole: the
    // first result of the current drug's name becomes current, else the
    // result at the current one's place.
    void SearchAgainKeepingCurrent();
    QuickStatus RunQuickSearch(const std::string& query, int mask, int sortKey);

    ResultList m_resultList;
    RecordStore m_store;
    int m_nSortKey = SORT_BY_TRADE_NAME;
    bool m_bConfirmDelete = true;
    int m_nResultCount = 0;
    int m_nCurrent = -1;
    DrugFields m_currentStrings;
    std::string m_strSearchPattern;
    int m_nSearchedMask = 0;
    int m_nSearchedSortKey = SORT_BY_TRADE_NAME;
    bool m_quickSearch = false;
    QuickStatus m_quickStatus = QuickStatus::Blank;
    std::vector<std::uint32_t> m_suggestions;
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
