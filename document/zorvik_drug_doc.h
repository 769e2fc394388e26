// The document of one drug dictionary: its record store, the results of the
// last search with the current result and its seven texts, the search
// options, and the record commands. It tells its views what changed through
// update hints, and everyone else through its signals.
#pragma once

#include <QString>
#include <string>

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

    bool RunQuery(const std::string& pattern, int mask, int sortKey);
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
    // are rebuilt and the dictionary is marked modified.
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

    // Record commands.
    void OnDrugAppend();
    void OnDrugSearch();
    void OnDrugDelete();
    void OnDrugModify();
    void OnDrugSave();
    void OnConfirmDelete();
    void OnSortKey(unsigned id);
    void OnSearchField(unsigned id);
    // The arrow beside the drug tool bar's button buttonId was pressed: the
    // search and delete buttons show their options under the button.
    void OnDrugBarDropDown(unsigned buttonId);

signals:
    // The result list was replaced or shortened, or a result was added.
    void resultsChanged();
    // Another result became current, or none is.
    void currentChanged(int index);
    // The search fields, the sort order or the delete confirmation changed.
    void optionsChanged();

private:
    void SetCurrent(int index);

    ResultList m_resultList;
    RecordStore m_store;
    int m_nSortKey = SORT_BY_TRADE_NAME;
    bool m_bConfirmDelete = true;
    int m_nResultCount = 0;
    int m_nCurrent = -1;
    DrugFields m_currentStrings;
    int m_nSearchMask =
        SEARCH_TRADE_NAME | SEARCH_PINYIN | SEARCH_OTHER_NAMES | SEARCH_ENGLISH_NAME;

    DrugEntryPromptFactory m_createEntryDialog;
};

}  // namespace quorbex
