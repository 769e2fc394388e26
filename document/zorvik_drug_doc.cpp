#include "document/zorvik_drug_doc.h"

#include <QFile>
#include <algorithm>
#include <array>

#include "document/record_undo_commands.h"
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
    : Document(ui), m_createEntryDialog(std::move(createEntryDialog)) {
    TieModifiedFlagToUndoStack();
}

void CZorvikDrugDoc::TieModifiedFlagToUndoStack() {
    connect(&m_undoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { SetModifiedFlag(!clean); });
    connect(&m_undoStack, &QUndoStack::indexChanged, this, &Document::contentChanged);
    // A save makes the present state the clean one; a change that is not on
    // the stack (a restored recovery) leaves no state of the stack clean.
    connect(this, &Document::modifiedChanged, this, [this](bool modified) {
        if (!modified) {
            m_undoStack.setClean();
        } else if (m_undoStack.isClean()) {
            m_undoStack.resetClean();
        }
    });
}

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
    ListEveryRecord();
    return opened;
}

bool CZorvikDrugDoc::OnRecoverDocument(const QByteArray& image) {
    const bool recovered = Document::OnRecoverDocument(image);
    ListEveryRecord();
    return recovered;
}

void CZorvikDrugDoc::ListEveryRecord() {
    Ui().BeginWaitCursor();
    if (RunQuery(std::string(), ALL_FIELDS, SORT_BY_TRADE_NAME)) {
        SelectFirst();
    } else {
        ClearCurrentStrings();
    }
    UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);
    Ui().EndWaitCursor();
}

bool CZorvikDrugDoc::RunQuery(const std::string& pattern, int mask, int sortKey) {
    ClearResults();
    m_strSearchPattern = pattern;
    m_nSearchedMask = mask;
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
    const auto firstNumber = static_cast<std::uint32_t>(m_store.GetCount() + 1);
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
    AddAppendUndoStep(firstNumber);
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
        case ID_SORT_BY_PINYIN:
            return m_nSortKey == SORT_BY_PINYIN;
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

void CZorvikDrugDoc::QuickSearch(const std::string& pattern) {
    if (RunQuery(pattern, m_nSearchMask, m_nSortKey)) {
        SelectFirst();
    } else {
        ClearCurrentStrings();
    }
    UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);
}

// A full dictionary is refused before the entry dialog opens, so that nothing
// the user types there is lost.
void CZorvikDrugDoc::OnDrugAppend() {
    if (m_store.GetCount() >= DICT_MAX_RECORDS) {
        Ui().MessageBox(Tr(UiText::DictionaryFull), Tr(UiText::AppendCaption), MB_ICONERROR);
        return;
    }
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
    AddAppendUndoStep(m_store.GetCount());
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
    const std::uint32_t number = m_resultList[static_cast<std::size_t>(m_nCurrent)];
    const std::optional<RecordBytes> before = StoredRecord(number);
    dialog->ExchangeFields(m_currentStrings, true);
    UpdateCurrentRecord();
    const std::optional<RecordBytes> after = StoredRecord(number);
    UpdateAllViews(nullptr, HINT_TEXT | HINT_RELABEL);
    if (before && after) {
        m_undoStack.push(new ModifyRecordCommand(*this, number, *before, *after));
    }
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
    const int position = m_nCurrent;
    const std::uint32_t number = m_resultList[static_cast<std::size_t>(position)];
    const std::optional<RecordBytes> deleted = StoredRecord(number);
    DeleteResult(m_nCurrent);
    if (deleted) {
        m_undoStack.push(new DeleteRecordCommand(*this, number, *deleted, position));
    }
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
    } else if (id == ID_SORT_BY_PINYIN) {
        m_nSortKey = SORT_BY_PINYIN;
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

void CZorvikDrugDoc::OnRecordUndo() {
    m_undoStack.undo();
}

void CZorvikDrugDoc::OnRecordRedo() {
    m_undoStack.redo();
}

void CZorvikDrugDoc::AddAppendUndoStep(std::uint32_t first) {
    std::vector<RecordBytes> records;
    for (std::uint32_t number = first; number >= 1 && number <= m_store.GetCount(); ++number) {
        if (const std::optional<RecordBytes> record = StoredRecord(number)) {
            records.push_back(*record);
        }
    }
    if (!records.empty()) {
        m_undoStack.push(new AppendRecordsCommand(*this, first, std::move(records)));
    }
}

std::optional<RecordBytes> CZorvikDrugDoc::StoredRecord(std::uint32_t number) {
    if (!m_store.GoToRecord(number)) {
        return std::nullopt;
    }
    return m_store.GetRecordBuffer();
}

// As an append: each record at the end of the store and of the result list,
// the last one current.
void CZorvikDrugDoc::AppendStoredRecords(const std::vector<RecordBytes>& records) {
    for (const RecordBytes& record : records) {
        m_store.SetRecordBuffer(record);
        if (!m_store.AppendRecord()) {
            break;
        }
        m_resultList.push_back(m_store.GetCount());
    }
    m_nResultCount = static_cast<int>(m_resultList.size());
    emit resultsChanged();
    if (!SelectResult(m_nResultCount - 1)) {
        ClearCurrentStrings();
    }
    UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);
}

// As a delete: the records leave the store and the result list; the current
// result stays current, or when it went, the one after it (the one before it
// at the end of the list).
void CZorvikDrugDoc::RemoveStoredRecords(std::uint32_t first, std::size_t count) {
    for (std::uint32_t number = first + static_cast<std::uint32_t>(count); number > first;
         --number) {
        RemoveRecordNumber(number - 1);
    }
    if (!SelectResult(m_nCurrent)) {
        SetCurrent(-1);
        ClearCurrentStrings();
    }
    UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);
}

void CZorvikDrugDoc::RemoveRecordNumber(std::uint32_t number) {
    if (!m_store.GoToRecord(number) || !m_store.DeleteCurrentRecord()) {
        return;
    }
    const auto found = std::find(m_resultList.begin(), m_resultList.end(), number);
    if (found != m_resultList.end()) {
        const int position = static_cast<int>(found - m_resultList.begin());
        m_resultList.erase(found);
        if (position < m_nCurrent) {
            --m_nCurrent;
        }
    }
    for (std::uint32_t& entry : m_resultList) {
        if (entry > number) {
            --entry;
        }
    }
    m_nResultCount = static_cast<int>(m_resultList.size());
    m_nCurrent = std::min(m_nCurrent, m_nResultCount - 1);
    emit resultsChanged();
}

void CZorvikDrugDoc::MakeRecordCurrent(std::uint32_t number) {
    const auto found = std::find(m_resultList.begin(), m_resultList.end(), number);
    if (found != m_resultList.end()) {
        SelectResult(static_cast<int>(found - m_resultList.begin()));
    }
}

// As a modify: the record's text and tree item are renewed; when it is in
// the result list it becomes current, selected if it was not.
void CZorvikDrugDoc::WriteStoredRecord(std::uint32_t number, const RecordBytes& bytes) {
    if (!m_store.GoToRecord(number)) {
        return;
    }
    m_store.SetRecordBuffer(bytes);
    m_store.WriteCurrentRecord();
    int hint = HINT_TEXT | HINT_RELABEL;
    const auto found = std::find(m_resultList.begin(), m_resultList.end(), number);
    const int position =
        found != m_resultList.end() ? static_cast<int>(found - m_resultList.begin()) : m_nCurrent;
    if (position != m_nCurrent) {
        hint |= HINT_SELECT;
    }
    SelectResult(position);
    UpdateAllViews(nullptr, hint);
}

// The deleted record back at its number, and in the result list at the
// place it had (the end, if the list is shorter now), current.
void CZorvikDrugDoc::InsertStoredRecord(std::uint32_t number, const RecordBytes& bytes,
                                        int position) {
    m_store.SetRecordBuffer(bytes);
    if (!m_store.InsertRecord(number)) {
        return;
    }
    for (std::uint32_t& entry : m_resultList) {
        if (entry >= number) {
            ++entry;
        }
    }
    const int at = std::clamp(position, 0, static_cast<int>(m_resultList.size()));
    m_resultList.insert(m_resultList.begin() + at, number);
    m_nResultCount = static_cast<int>(m_resultList.size());
    emit resultsChanged();
    SelectResult(at);
    UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);
}

}  // namespace quorbex
