// The document of one drug dictionary: its record store, the results of the
// last search with the current result and its seven texts, the search
// options, and the record commands.
#pragma once

#include <QString>
#include <string>

#include "document/drug_entry_prompt.h"
#include "platform/document.h"
#include "store/record_store.h"

namespace quorbex {

namespace platform {
struct Notification;
}

class CZorvikDrugDoc : public platform::Document {
public:
    CZorvikDrugDoc(platform::UserInterface& ui, DrugEntryPromptFactory createEntryDialog);

    bool Serialize(platform::Archive& archive) override;
    bool OnOpenDocument(const QString& path) override;

    bool RunQuery(const std::string& pattern, int mask, int sortKey);
    bool SelectResult(int index);
    bool SelectFirst();
    void GetCurrentStrings(std::string& tradeName, std::string& englishName,
                           std::string& otherNames, std::string& pinyinInitials,
                           std::string& function, std::string& usage, std::string& cautions) const;
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
    int GetSearchMask() const { return m_nSearchMask; }
    bool GetConfirmDelete() const { return m_bConfirmDelete; }
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
    void OnDrugBarDropDown(const platform::Notification& notification);

private:
    // The seven current strings to and from the store's record buffer.
    void ReadRecordBuffer();
    void WriteRecordBuffer();

    ResultList m_resultList;
    RecordStore m_store;
    int m_nSortKey = SORT_BY_TRADE_NAME;
    bool m_bConfirmDelete = true;
    int m_nResultCount = 0;
    int m_nCurrent = -1;
    std::string m_strTradeName;
    std::string m_strEnglishName;
    std::string m_strOtherNames;
    std::string m_strPinyinInitials;
    std::string m_strFunction;
    std::string m_strUsage;
    std::string m_strCautions;
    int m_nSearchMask =
        SEARCH_TRADE_NAME | SEARCH_PINYIN | SEARCH_OTHER_NAMES | SEARCH_ENGLISH_NAME;

    DrugEntryPromptFactory m_createEntryDialog;
};

}  // namespace quorbex
