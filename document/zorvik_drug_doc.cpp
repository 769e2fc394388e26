#include "document/zorvik_drug_doc.h"

#include <QFile>
#include <algorithm>
#include <array>

#include "document/update_hints.h"
#include "platform/device_file.h"
#include "platform/message_box.h"
#include "platform/user_interface.h"
#include "resources/menus.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"
#include "store/gbk_codec.h"

namespace quorbex {

using platform::IDOK;
using platform::IDYES;
using platform::MB_ICONERROR;
using platform::MB_ICONINFORMATION;
using platform::MB_ICONQUESTION;
using platform::MB_YESNO;

namespace {

constexpr int ALL_FIELDS = -1;
constexpr int SEARCH_PROMPT_LIMIT = 10;

struct SearchFieldCommand {
    unsigned id;
    int bit;
};

// The identifiers are not in bit order: 115 flips the English-name bit.
constexpr std::array<SearchFieldCommand, 8> SEARCH_FIELD_COMMANDS{{
    {ID_SEARCH_TRADE_NAME, SEARCH_TRADE_NAME},
    {ID_SEARCH_ENGLISH_NAME, SEARCH_ENGLISH_NAME},
    {ID_SEARCH_PINYIN, SEARCH_PINYIN},
    {ID_SEARCH_OTHER_NAMES, SEARCH_OTHER_NAMES},
    {ID_SEARCH_FUNCTION, SEARCH_FUNCTION},
    {ID_SEARCH_USAGE, SEARCH_USAGE},
    {ID_SEARCH_CAUTIONS, SEARCH_CAUTIONS},
    {ID_SEARCH_ALL, SEARCH_ALL},
}};

// The SearchMask bit of a search-field command; 0 for any other command.
int SearchBitOf(unsigned id) {
    for (const SearchFieldCommand& command : SEARCH_FIELD_COMMANDS) {
        if (command.id == id) {
            return command.bit;
        }
    }
    return 0;
}

QString FromGbk(const std::string& text) {
    return QString::fromStdString(GbkToUtf8(text));
}

}  // namespace

CZorvikDrugDoc::CZorvikDrugDoc(platform::UserInterface& ui,
                               DrugEntryPromptFactory createEntryDialog)
    : Document(ui), m_createEntryDialog(std::move(createEntryDialog)) {}

bool CZorvikDrugDoc::Serialize(platform::Archive& archive) {
    if (archive.IsLoading()) {
        return m_store.LoadFromFile(archive.GetFile());
    }
    return m_store.SaveToFile(&archive.GetFile());
}

bool CZorvikDrugDoc::OnOpenDocument(const QString& path) {
    bool opened = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportSaveLoadException(path, platform::DescribeFileError(file), false);
    } else {
        platform::DeviceFile deviceFile(file);
        if (m_store.LoadFromFile(deviceFile)) {
            opened = Document::OnOpenDocument(path);
        } else if (file.error() != QFileDevice::NoError) {
            ReportSaveLoadException(path, platform::DescribeFileError(file), false);
        } else {
            Ui().MessageBox(Tr(UiText::NotADictionary), Tr(UiText::OpenErrorCaption), MB_ICONERROR);
        }
        file.close();
    }

    Ui().BeginWaitCursor();
    if (RunQuery(std::string(), ALL_FIELDS, SORT_BY_TRADE_NAME)) {
        SelectFirst();
    } else {
        ClearCurrentStrings();
    }
    UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);
    Ui().EndWaitCursor();
    return opened;
}

bool CZorvikDrugDoc::RunQuery(const std::string& pattern, int mask, int sortKey) {
    ClearResults();
    const bool found = m_store.Query(pattern, m_resultList, mask, sortKey);
    m_nResultCount = found ? static_cast<int>(m_resultList.size()) : 0;
    emit resultsChanged();
    if (!found) {
        SetCurrent(-1);
        return false;
    }
    return SelectResult(m_nResultCount - 1);
}

bool CZorvikDrugDoc::SelectResult(int index) {
    if (index < 0 || index >= m_nResultCount) {
        return false;
    }
    if (!m_store.GoToRecord(m_resultList[static_cast<std::size_t>(index)])) {
        return false;
    }
    ExchangeFields(m_store, m_currentStrings, true);
    SetCurrent(index);
    return true;
}

bool CZorvikDrugDoc::SelectFirst() {
    if (m_nResultCount < 1) {
        return false;
    }
    return SelectResult(0);
}

// The current index names another record, or none: everyone is told, even
// when the number stayed, since the record behind it may be another.
void CZorvikDrugDoc::SetCurrent(int index) {
    m_nCurrent = index;
    emit currentChanged(index);
}

int CZorvikDrugDoc::GetRecordCount() {
    std::uint32_t count = 0;
    m_store.ReadRecordCount(count);
    return static_cast<int>(count);
}

// A full dictionary refuses the record; the document then stays exactly as
// it was, strings included, and answers false.
bool CZorvikDrugDoc::AddRecord() {
    if (m_store.GetCount() >= DICT_MAX_RECORDS) {
        return false;
    }
    ExchangeFields(m_store, m_currentStrings, false);
    if (!m_store.AppendRecord()) {
        return false;
    }
    std::uint32_t number = 0;
    m_store.ReadRecordCount(number);
    m_resultList.push_back(number);
    m_nResultCount = static_cast<int>(m_resultList.size());
    emit resultsChanged();
    return SelectResult(m_nResultCount - 1);
}

bool CZorvikDrugDoc::AppendRecords(const std::vector<DrugFields>& records) {
    if (m_store.GetCount() + records.size() > DICT_MAX_RECORDS) {
        return false;
    }
    if (records.empty()) {
        return true;
    }
    const std::size_t firstNew = m_resultList.size();
    for (const DrugFields& record : records) {
        DrugFields stored = record;
        ExchangeFields(m_store, stored, false);
        if (!m_store.AppendRecord()) {
            // The image could not grow: take back what was appended.
            while (m_resultList.size() > firstNew) {
                m_store.GoToRecord(m_resultList.back());
                m_store.DeleteCurrentRecord();
                m_resultList.pop_back();
            }
            return false;
        }
        m_resultList.push_back(static_cast<std::uint32_t>(m_store.GetCount()));
    }
    m_nResultCount = static_cast<int>(m_resultList.size());
    emit resultsChanged();
    SelectResult(static_cast<int>(firstNew));
    UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);
    SetModifiedFlag(true);
    return true;
}

void CZorvikDrugDoc::UpdateCurrentRecord() {
    if (m_nCurrent < 0 || m_nCurrent >= static_cast<int>(m_resultList.size())) {
        return;
    }
    m_store.GoToRecord(m_resultList[static_cast<std::size_t>(m_nCurrent)]);
    ExchangeFields(m_store, m_currentStrings, false);
    m_store.WriteCurrentRecord();
}

void CZorvikDrugDoc::DeleteResult(int index) {
    if (index < 0 || index >= m_nResultCount) {
        return;
    }
    const std::uint32_t number = m_resultList[static_cast<std::size_t>(index)];
    m_store.GoToRecord(number);
    m_store.DeleteCurrentRecord();
    m_resultList.erase(m_resultList.begin() + index);
    for (std::uint32_t& entry : m_resultList) {
        if (entry > number) {
            --entry;
        }
    }
    m_nResultCount = static_cast<int>(m_resultList.size());
    emit resultsChanged();
    if (!SelectResult(std::min(m_nCurrent, m_nResultCount - 1))) {
        SetCurrent(std::min(m_nCurrent, m_nResultCount - 1));
    }
}

void CZorvikDrugDoc::ClearResults() {
    m_resultList.clear();
    emit resultsChanged();
}

void CZorvikDrugDoc::ClearCurrentStrings() {
    m_currentStrings = DrugFields();
}

bool CZorvikDrugDoc::IsOptionChecked(unsigned id) const {
    switch (id) {
        case ID_SORT_BY_TRADE_NAME:
            return m_nSortKey == SORT_BY_TRADE_NAME;
        case ID_SORT_BY_ENGLISH_NAME:
            return m_nSortKey == SORT_BY_ENGLISH_NAME;
        case ID_CONFIRM_DELETE:
            return m_bConfirmDelete;
        default:
            return (m_nSearchMask & SearchBitOf(id)) != 0;
    }
}

void CZorvikDrugDoc::OnDrugSearch() {
    std::string text;
    if (Ui().InputText(Tr(UiText::SearchPrompt), text, SEARCH_PROMPT_LIMIT) != IDOK) {
        return;
    }
    Ui().BeginWaitCursor();
    if (RunQuery(text, m_nSearchMask, m_nSortKey)) {
        SelectFirst();
    } else {
        Ui().MessageBox(Tr(UiText::NothingFound), Tr(UiText::SearchFailedCaption), MB_ICONERROR);
        ClearCurrentStrings();
    }
    UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);
    Ui().EndWaitCursor();
}

void CZorvikDrugDoc::OnDrugAppend() {
    const std::unique_ptr<DrugEntryPrompt> dialog = m_createEntryDialog();
    if (dialog->DoModal() != IDOK) {
        return;
    }
    const DrugFields before = m_currentStrings;
    dialog->ExchangeFields(m_currentStrings, true);
    if (!AddRecord()) {
        m_currentStrings = before;
        Ui().MessageBox(Tr(UiText::DictionaryFull), Tr(UiText::AppendCaption), MB_ICONERROR);
        return;
    }
    UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);
    SetModifiedFlag(true);
}

void CZorvikDrugDoc::OnDrugModify() {
    if (GetCurrentIndex() < 0) {
        Ui().MessageBox(Tr(UiText::NoDrugToModify), Tr(UiText::ModifyCaption), MB_ICONINFORMATION);
        return;
    }
    SelectResult(m_nCurrent);
    const std::unique_ptr<DrugEntryPrompt> dialog = m_createEntryDialog();
    dialog->ExchangeFields(m_currentStrings, false);
    if (dialog->DoModal() != IDOK) {
        return;
    }
    dialog->ExchangeFields(m_currentStrings, true);
    UpdateCurrentRecord();
    UpdateAllViews(nullptr, HINT_TEXT | HINT_RELABEL);
    SetModifiedFlag(true);
}

void CZorvikDrugDoc::OnDrugDelete() {
    if (GetCurrentIndex() < 0) {
        Ui().MessageBox(Tr(UiText::NothingToDelete), Tr(UiText::DeleteCaption), MB_ICONINFORMATION);
        return;
    }
    const DrugFields& drug = m_currentStrings;
    const std::string& name = drug.tradeName.empty() ? drug.englishName : drug.tradeName;
    if (m_bConfirmDelete &&
        Ui().MessageBox(Tr(UiText::DeleteQuestion).arg(FromGbk(name)), Tr(UiText::DeleteCaption),
                        MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    DeleteResult(m_nCurrent);
    SetModifiedFlag(true);
    if (!SelectResult(m_nCurrent)) {
        ClearCurrentStrings();
    }
    UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);
}

void CZorvikDrugDoc::OnDrugSave() {
    DoFileSave();
}

void CZorvikDrugDoc::OnConfirmDelete() {
    m_bConfirmDelete = !m_bConfirmDelete;
    emit optionsChanged();
}

// 103 lies between the two orders and chooses neither.
void CZorvikDrugDoc::OnSortKey(unsigned id) {
    if (id == ID_SORT_BY_TRADE_NAME) {
        m_nSortKey = SORT_BY_TRADE_NAME;
    } else if (id == ID_SORT_BY_ENGLISH_NAME) {
        m_nSortKey = SORT_BY_ENGLISH_NAME;
    } else {
        return;
    }
    emit optionsChanged();
}

// Each bit on its own: "all fields" does not change the others.
void CZorvikDrugDoc::OnSearchField(unsigned id) {
    const int bit = SearchBitOf(id);
    if (bit != 0) {
        m_nSearchMask ^= bit;
        emit optionsChanged();
    }
}

void CZorvikDrugDoc::OnDrugBarDropDown(unsigned buttonId) {
    std::span<const unsigned> menu;
    if (buttonId == ID_DRUG_SEARCH) {
        menu = SEARCH_OPTIONS_MENU;
    } else if (buttonId == ID_DRUG_DELETE) {
        menu = DELETE_OPTIONS_MENU;
    } else {
        return;
    }
    const auto button = Ui().ToolBarButtonRect(IDW_DRUG_TOOLBAR, buttonId);
    if (!button) {
        return;
    }
    // The menu's top-left corner goes to the button's bottom-left corner.
    Ui().TrackPopupMenu(menu, QPoint(button->left(), button->top() + button->height()));
}

}  // namespace quorbex
