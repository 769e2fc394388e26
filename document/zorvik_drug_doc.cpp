#include "document/zorvik_drug_doc.h"

#include <algorithm>

#include "document/record_undo_commands.h"
#include "platform/memory_image.h"
#include "platform/user_interface.h"

namespace quorbex {

namespace {

constexpr int ALL_FIELDS = -1;

}  // namespace

CZorvikDrugDoc::ChangeBatch::ChangeBatch(CZorvikDrugDoc& document) : m_document(document) {
    ++m_document.m_batchDepth;
}

CZorvikDrugDoc::ChangeBatch::~ChangeBatch() {
    if (--m_document.m_batchDepth == 0) {
        m_document.SendChanges();
    }
}

CZorvikDrugDoc::CZorvikDrugDoc(platform::UserInterface& ui) : Document(ui) {
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

// Suggestions stand only for an empty list, and their numbers only until
// records come or go.
void CZorvikDrugDoc::NoteResultsReset() {
    m_resetPending = true;
    m_suggestions.clear();
}

void CZorvikDrugDoc::NoteResultChanged(int index) {
    if (std::find(m_changedPending.begin(), m_changedPending.end(), index) ==
        m_changedPending.end()) {
        m_changedPending.push_back(index);
    }
}

// A reset covers every row; the current result is told after any reset,
// after its record was rewritten, and whenever it, or its texts, are not what
// the views were last told.
void CZorvikDrugDoc::SendChanges() {
    const bool reset = std::exchange(m_resetPending, false);
    const std::vector<int> changed = std::exchange(m_changedPending, {});
    const bool current = reset || m_nCurrent != m_toldCurrent ||
                         m_currentStrings != m_toldStrings ||
                         std::find(changed.begin(), changed.end(), m_nCurrent) != changed.end();
    m_toldCurrent = m_nCurrent;
    m_toldStrings = m_currentStrings;
    if (reset) {
        emit resultsReset();
    } else {
        for (const int index : changed) {
            emit resultChanged(index);
        }
    }
    if (current) {
        emit currentChanged(m_nCurrent);
    }
}

bool CZorvikDrugDoc::Serialize(platform::Archive& archive) {
    if (archive.IsLoading()) {
        return m_store.LoadFromFile(archive.GetFile());
    }
    return m_store.SaveToFile(&archive.GetFile());
}

bool CZorvikDrugDoc::OnOpenDocument(const QString& path) {
    const bool opened = Document::OnOpenDocument(path);
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
    {
        const ChangeBatch batch(*this);
        if (RunQuery(std::string(), ALL_FIELDS, SORT_BY_TRADE_NAME)) {
            SelectFirst();
        } else {
            ClearCurrentStrings();
        }
    }
    Ui().EndWaitCursor();
}

bool CZorvikDrugDoc::RunQuery(const std::string& pattern, int mask, int sortKey) {
    const ChangeBatch batch(*this);
    ClearResults();
    m_strSearchPattern = pattern;
    m_nSearchedMask = mask;
    m_nSearchedSortKey = sortKey;
    m_quickSearch = false;
    const bool found = m_store.Query(pattern, m_resultList, mask, sortKey);
    m_nResultCount = found ? static_cast<int>(m_resultList.size()) : 0;
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
    const ChangeBatch batch(*this);
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

void CZorvikDrugDoc::SetCurrent(int index) {
    const ChangeBatch batch(*this);
    m_nCurrent = index;
}

int CZorvikDrugDoc::GetRecordCount() {
    std::uint32_t count = 0;
    m_store.ReadRecordCount(count);
    return static_cast<int>(count);
}

std::string_view CZorvikDrugDoc::PeekResultField(int index, Field field) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_resultList.size()) {
        return {};
    }
    return m_store.PeekField(m_resultList[static_cast<std::size_t>(index)], field);
}

bool CZorvikDrugDoc::IsFull() const {
    return m_store.GetCount() >= DICT_MAX_RECORDS;
}

// A full dictionary refuses the record; the document then stays exactly as
// it was, strings included, and answers false.
bool CZorvikDrugDoc::AddRecord() {
    if (IsFull()) {
        return false;
    }
    const ChangeBatch batch(*this);
    ExchangeFields(m_store, m_currentStrings, false);
    if (!m_store.AppendRecord()) {
        return false;
    }
    std::uint32_t number = 0;
    m_store.ReadRecordCount(number);
    m_resultList.push_back(number);
    m_nResultCount = static_cast<int>(m_resultList.size());
    NoteResultsReset();
    return SelectResult(m_nResultCount - 1);
}

void CZorvikDrugDoc::UpdateCurrentRecord() {
    if (m_nCurrent < 0 || m_nCurrent >= static_cast<int>(m_resultList.size())) {
        return;
    }
    const ChangeBatch batch(*this);
    m_store.GoToRecord(m_resultList[static_cast<std::size_t>(m_nCurrent)]);
    ExchangeFields(m_store, m_currentStrings, false);
    m_store.WriteCurrentRecord();
    NoteResultChanged(m_nCurrent);
}

void CZorvikDrugDoc::DeleteResult(int index) {
    if (index < 0 || index >= m_nResultCount) {
        return;
    }
    const ChangeBatch batch(*this);
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
    NoteResultsReset();
    if (!SelectResult(std::min(m_nCurrent, m_nResultCount - 1))) {
        SetCurrent(std::min(m_nCurrent, m_nResultCount - 1));
    }
}

void CZorvikDrugDoc::ClearResults() {
    const ChangeBatch batch(*this);
    m_resultList.clear();
    NoteResultsReset();
}

void CZorvikDrugDoc::ClearCurrentStrings() {
    const ChangeBatch batch(*this);
    m_currentStrings = DrugFields();
}

bool CZorvikDrugDoc::Search(const std::string& pattern) {
    const ChangeBatch batch(*this);
    if (RunQuery(pattern, m_nSearchMask, m_nSortKey)) {
        SelectFirst();
        return true;
    }
    ClearCurrentStrings();
    return false;
}

QuickStatus CZorvikDrugDoc::QuickSearch(const std::string& query) {
    return RunQuickSearch(query, m_nSearchMask, m_nSortKey);
}

QuickStatus CZorvikDrugDoc::RunQuickSearch(const std::string& query, int mask, int sortKey) {
    const ChangeBatch batch(*this);
    QuickResult found = m_store.QuickFind(query, mask, sortKey);
    if (found.status == QuickStatus::Blank) {
        if (RunQuery(std::string(), mask, sortKey)) {
            SelectFirst();
        } else {
            ClearCurrentStrings();
        }
    } else {
        ClearResults();
        for (const QuickHit& hit : found.hits) {
            m_resultList.push_back(hit.number);
        }
        m_nResultCount = static_cast<int>(m_resultList.size());
        m_nSearchedMask = mask;
        m_nSearchedSortKey = sortKey;
        if (!SelectFirst()) {
            SetCurrent(-1);
            ClearCurrentStrings();
        }
    }
    m_strSearchPattern = query;
    m_quickSearch = true;
    m_quickStatus = found.status;
    m_suggestions = std::move(found.suggestions);
    return m_quickStatus;
}

bool CZorvikDrugDoc::TakeSuggestion(std::size_t index) {
    if (index >= m_suggestions.size()) {
        return false;
    }
    const std::uint32_t number = m_suggestions[index];
    const ChangeBatch batch(*this);
    QuickSearch(std::string(m_store.PeekField(number, Field::TradeName)));
    return ShowRecord(number);
}

bool CZorvikDrugDoc::ShowRecord(std::uint32_t number) {
    if (number < 1 || number > m_store.GetCount()) {
        return false;
    }
    const auto found = std::find(m_resultList.begin(), m_resultList.end(), number);
    if (found != m_resultList.end()) {
        return SelectResult(static_cast<int>(found - m_resultList.begin()));
    }
    const ChangeBatch batch(*this);
    ClearResults();
    m_resultList.push_back(number);
    m_nResultCount = 1;
    return SelectResult(0);
}

std::uint32_t CZorvikDrugDoc::GetCurrentNumber() const {
    if (m_nCurrent < 0 || static_cast<std::size_t>(m_nCurrent) >= m_resultList.size()) {
        return 0;
    }
    return m_resultList[static_cast<std::size_t>(m_nCurrent)];
}

bool CZorvikDrugDoc::AppendDrug(const DrugFields& drug) {
    const ChangeBatch batch(*this);
    const DrugFields before = m_currentStrings;
    m_currentStrings = drug;
    if (!AddRecord()) {
        m_currentStrings = before;
        return false;
    }
    AddAppendUndoStep(m_store.GetCount());
    SetModifiedFlag(true);
    return true;
}

bool CZorvikDrugDoc::AppendRecords(const std::vector<DrugFields>& records) {
    if (m_store.GetCount() + records.size() > DICT_MAX_RECORDS) {
        return false;
    }
    if (records.empty()) {
        return true;
    }
    const ChangeBatch batch(*this);
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
    NoteResultsReset();
    SelectResult(static_cast<int>(firstNew));
    AddAppendUndoStep(firstNumber);
    SetModifiedFlag(true);
    return true;
}

bool CZorvikDrugDoc::ReplaceAndAppend(
    const std::vector<std::pair<std::uint32_t, DrugFields>>& replacements,
    const std::vector<DrugFields>& appended) {
    if (m_store.GetCount() + appended.size() > DICT_MAX_RECORDS) {
        return false;
    }
    if (replacements.empty()) {
        return AppendRecords(appended);
    }
    const ChangeBatch batch(*this);
    m_undoStack.beginMacro(QString());
    for (const auto& [number, drug] : replacements) {
        const std::optional<RecordBytes> before = StoredRecord(number);
        if (!before) {
            continue;
        }
        DrugFields stored = drug;
        ExchangeFields(m_store, stored, false);
        m_store.WriteCurrentRecord();
        const std::optional<RecordBytes> after = StoredRecord(number);
        m_undoStack.push(new ModifyRecordCommand(*this, number, *before, *after));
        const auto found = std::find(m_resultList.begin(), m_resultList.end(), number);
        if (found != m_resultList.end()) {
            NoteResultChanged(static_cast<int>(found - m_resultList.begin()));
        }
    }
    AppendRecords(appended);
    m_undoStack.endMacro();
    // The current record may be one of those replaced.
    SelectResult(m_nCurrent);
    SetModifiedFlag(true);
    return true;
}

void CZorvikDrugDoc::ModifyCurrent(const DrugFields& drug) {
    if (m_nCurrent < 0 || m_nCurrent >= m_nResultCount) {
        return;
    }
    const ChangeBatch batch(*this);
    const std::uint32_t number = m_resultList[static_cast<std::size_t>(m_nCurrent)];
    const std::optional<RecordBytes> before = StoredRecord(number);
    m_currentStrings = drug;
    UpdateCurrentRecord();
    const std::optional<RecordBytes> after = StoredRecord(number);
    if (before && after) {
        m_undoStack.push(new ModifyRecordCommand(*this, number, *before, *after));
    }
    SetModifiedFlag(true);
}

void CZorvikDrugDoc::DeleteCurrent() {
    if (m_nCurrent < 0 || m_nCurrent >= m_nResultCount) {
        return;
    }
    const ChangeBatch batch(*this);
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
}

bool CZorvikDrugDoc::Reload(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return false;
    }
    // Tried on a store of its own first: a refused file leaves this one whole.
    {
        RecordStore trial;
        platform::ByteArrayFile file(bytes);
        if (!trial.LoadFromFile(file)) {
            return false;
        }
    }
    const ChangeBatch batch(*this);
    platform::ByteArrayFile file(bytes);
    m_store.LoadFromFile(file);
    SearchAgainKeepingCurrent();
    m_undoStack.clear();
    KeepDiskBytes(bytes);
    SetModifiedFlag(false);
    return true;
}

bool CZorvikDrugDoc::ReplaceAllRecords(const std::vector<RecordBytes>& records) {
    if (records.size() > DICT_MAX_RECORDS) {
        return false;
    }
    std::vector<RecordBytes> before = m_store.GetRecords();
    if (!m_store.ReplaceRecords(records)) {
        return false;
    }
    {
        const ChangeBatch batch(*this);
        SearchAgainKeepingCurrent();
    }
    m_undoStack.push(new ReplaceRecordsCommand(*this, std::move(before), records));
    SetModifiedFlag(true);
    return true;
}

void CZorvikDrugDoc::SetAllStoredRecords(const std::vector<RecordBytes>& records) {
    if (m_store.ReplaceRecords(records)) {
        SearchAgainKeepingCurrent();
    }
}

void CZorvikDrugDoc::SearchAgainKeepingCurrent() {
    const ChangeBatch batch(*this);
    const bool hadCurrent = m_nCurrent >= 0;
    const std::string name(ListedName(m_currentStrings));
    const int place = m_nCurrent;
    if (m_quickSearch) {
        RunQuickSearch(m_strSearchPattern, m_nSearchedMask, m_nSearchedSortKey);
        if (m_nResultCount == 0) {
            return;
        }
    } else if (!RunQuery(m_strSearchPattern, m_nSearchedMask, m_nSearchedSortKey)) {
        ClearCurrentStrings();
        return;
    }
    int current = std::clamp(place, 0, m_nResultCount - 1);
    if (hadCurrent) {
        for (int index = 0; index < m_nResultCount; ++index) {
            if (ListedName(PeekResultField(index, Field::TradeName),
                           PeekResultField(index, Field::EnglishName)) == name) {
                current = index;
                break;
            }
        }
    }
    SelectResult(current);
}

SearchOptions CZorvikDrugDoc::GetOptions() const {
    return {m_nSearchMask, m_nSortKey, m_bConfirmDelete};
}

void CZorvikDrugDoc::SetOptions(const SearchOptions& options) {
    if (options == GetOptions()) {
        return;
    }
    m_nSearchMask = options.searchMask;
    m_nSortKey = options.sortKey;
    m_bConfirmDelete = options.confirmDelete;
    emit optionsChanged();
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
    const ChangeBatch batch(*this);
    for (const RecordBytes& record : records) {
        m_store.SetRecordBuffer(record);
        if (!m_store.AppendRecord()) {
            break;
        }
        m_resultList.push_back(m_store.GetCount());
    }
    m_nResultCount = static_cast<int>(m_resultList.size());
    NoteResultsReset();
    if (!SelectResult(m_nResultCount - 1)) {
        ClearCurrentStrings();
    }
}

// As a delete: the records leave the store and the result list; the current
// result stays current, or when it went, the one after it (the one before it
// at the end of the list).
void CZorvikDrugDoc::RemoveStoredRecords(std::uint32_t first, std::size_t count) {
    const ChangeBatch batch(*this);
    for (std::uint32_t number = first + static_cast<std::uint32_t>(count); number > first;
         --number) {
        RemoveRecordNumber(number - 1);
    }
    if (!SelectResult(m_nCurrent)) {
        SetCurrent(-1);
        ClearCurrentStrings();
    }
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
    NoteResultsReset();
}

void CZorvikDrugDoc::MakeRecordCurrent(std::uint32_t number) {
    const auto found = std::find(m_resultList.begin(), m_resultList.end(), number);
    if (found != m_resultList.end()) {
        SelectResult(static_cast<int>(found - m_resultList.begin()));
    }
}

// As a modify: the record's text and its result are renewed; when it is in
// the result list it becomes current.
void CZorvikDrugDoc::WriteStoredRecord(std::uint32_t number, const RecordBytes& bytes) {
    if (!m_store.GoToRecord(number)) {
        return;
    }
    const ChangeBatch batch(*this);
    m_store.SetRecordBuffer(bytes);
    m_store.WriteCurrentRecord();
    const auto found = std::find(m_resultList.begin(), m_resultList.end(), number);
    if (found == m_resultList.end()) {
        SelectResult(m_nCurrent);
        return;
    }
    const int position = static_cast<int>(found - m_resultList.begin());
    NoteResultChanged(position);
    SelectResult(position);
}

// The deleted record back at its number, and in the result list at the
// place it had (the end, if the list is shorter now), current.
void CZorvikDrugDoc::InsertStoredRecord(std::uint32_t number, const RecordBytes& bytes,
                                        int position) {
    m_store.SetRecordBuffer(bytes);
    if (!m_store.InsertRecord(number)) {
        return;
    }
    const ChangeBatch batch(*this);
    for (std::uint32_t& entry : m_resultList) {
        if (entry >= number) {
            ++entry;
        }
    }
    const int at = std::clamp(position, 0, static_cast<int>(m_resultList.size()));
    m_resultList.insert(m_resultList.begin() + at, number);
    m_nResultCount = static_cast<int>(m_resultList.size());
    NoteResultsReset();
    SelectResult(at);
}

}  // namespace quorbex
