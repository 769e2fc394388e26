#include "document/zorvik_drug_doc.h"

#include <QFile>
#include <algorithm>
#include <array>

#include "document/update_hints.h"
#include "platform/device_file.h"
#include "platform/message_box.h"
#include "platform/user_interface.h"
#include "resources/resource_ids.h"
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
    const char* text;
};

// In the order the search menu lists them: the order of the bits.
constexpr std::array<SearchFieldCommand, 7> SEARCH_FIELD_COMMANDS{{
    {ID_SEARCH_TRADE_NAME, SEARCH_TRADE_NAME, "搜索品名"},
    {ID_SEARCH_PINYIN, SEARCH_PINYIN, "搜索拼音"},
    {ID_SEARCH_OTHER_NAMES, SEARCH_OTHER_NAMES, "搜索别名"},
    {ID_SEARCH_ENGLISH_NAME, SEARCH_ENGLISH_NAME, "搜索英文"},
    {ID_SEARCH_FUNCTION, SEARCH_FUNCTION, "搜索功能"},
    {ID_SEARCH_USAGE, SEARCH_USAGE, "搜索用法"},
    {ID_SEARCH_CAUTIONS, SEARCH_CAUTIONS, "搜索禁忌"},
}};

QString FromGbk(const std::string& text) {
    return QString::fromStdString(GbkToUtf8(text));
}

}  // namespace

CZorvikDrugDoc::CZorvikDrugDoc(platform::UserInterface& ui,
                               DrugEntryPromptFactory createEntryDialog)
    : Document(ui), m_createEntryDialog(std::move(createEntryDialog)) {
    platform::CommandMap& commands = Commands();
    commands.On(ID_DRUG_APPEND, [this] { OnDrugAppend(); });
    commands.On(ID_DRUG_SEARCH, [this] { OnDrugSearch(); });
    commands.On(ID_DRUG_DELETE, [this] { OnDrugDelete(); });
    commands.On(ID_DRUG_MODIFY, [this] { OnDrugModify(); });
    commands.On(ID_DRUG_SAVE, [this] { OnDrugSave(); });
    commands.On(ID_CONFIRM_DELETE, [this] { OnConfirmDelete(); });
    commands.OnRange(ID_SORT_BY_TRADE_NAME, ID_SORT_BY_ENGLISH_NAME,
                     [this](unsigned id) { OnSortKey(id); });
    commands.OnRange(ID_SEARCH_TRADE_NAME, ID_SEARCH_ALL,
                     [this](unsigned id) { OnSearchField(id); });
    commands.OnNotify(IDW_DRUG_TOOLBAR, platform::TBN_DROPDOWN,
                      [this](const platform::Notification& n) { OnDrugBarDropDown(n); });
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
            Ui().MessageBox(QStringLiteral("此文件不是有效药物库文件,可能已被破坏"),
                            QStringLiteral("文件打开错误..."), MB_ICONERROR);
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
    if (!m_store.Query(pattern, m_resultList, mask, sortKey)) {
        m_nResultCount = 0;
        m_nCurrent = -1;
        return false;
    }
    m_nResultCount = static_cast<int>(m_resultList.size());
    m_nCurrent = m_nResultCount - 1;
    return SelectResult(m_nResultCount - 1);
}

bool CZorvikDrugDoc::SelectResult(int index) {
    if (index < 0 || index >= m_nResultCount) {
        return false;
    }
    if (!m_store.GoToRecord(m_resultList[static_cast<std::size_t>(index)])) {
        return false;
    }
    ReadRecordBuffer();
    m_nCurrent = index;
    return true;
}

bool CZorvikDrugDoc::SelectFirst() {
    if (m_nResultCount < 1) {
        return false;
    }
    m_nCurrent = 0;
    return SelectResult(0);
}

void CZorvikDrugDoc::GetCurrentStrings(std::string& tradeName, std::string& englishName,
                                       std::string& otherNames, std::string& pinyinInitials,
                                       std::string& function, std::string& usage,
                                       std::string& cautions) const {
    tradeName = m_strTradeName;
    englishName = m_strEnglishName;
    otherNames = m_strOtherNames;
    pinyinInitials = m_strPinyinInitials;
    function = m_strFunction;
    usage = m_strUsage;
    cautions = m_strCautions;
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
    WriteRecordBuffer();
    if (!m_store.AppendRecord()) {
        return false;
    }
    std::uint32_t number = 0;
    m_store.ReadRecordCount(number);
    m_resultList.push_back(number);
    m_nResultCount = static_cast<int>(m_resultList.size());
    m_nCurrent = m_nResultCount - 1;
    return SelectResult(m_nCurrent);
}

void CZorvikDrugDoc::UpdateCurrentRecord() {
    if (m_nCurrent < 0 || m_nCurrent >= static_cast<int>(m_resultList.size())) {
        return;
    }
    m_store.GoToRecord(m_resultList[static_cast<std::size_t>(m_nCurrent)]);
    WriteRecordBuffer();
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
    if (m_nCurrent >= m_nResultCount) {
        --m_nCurrent;
    }
    SelectResult(m_nCurrent);
}

void CZorvikDrugDoc::ClearResults() {
    m_resultList.clear();
}

void CZorvikDrugDoc::ClearCurrentStrings() {
    m_strTradeName.clear();
    m_strEnglishName.clear();
    m_strOtherNames.clear();
    m_strPinyinInitials.clear();
    m_strFunction.clear();
    m_strUsage.clear();
    m_strCautions.clear();
}

void CZorvikDrugDoc::ReadRecordBuffer() {
    m_store.ExchangeTradeName(m_strTradeName, true);
    m_store.ExchangeEnglishName(m_strEnglishName, true);
    m_store.ExchangeOtherNames(m_strOtherNames, true);
    m_store.ExchangePinyinInitials(m_strPinyinInitials, true);
    m_store.ExchangeFunction(m_strFunction, true);
    m_store.ExchangeUsage(m_strUsage, true);
    m_store.ExchangeCautions(m_strCautions, true);
}

void CZorvikDrugDoc::WriteRecordBuffer() {
    m_store.ExchangeTradeName(m_strTradeName, false);
    m_store.ExchangeEnglishName(m_strEnglishName, false);
    m_store.ExchangeOtherNames(m_strOtherNames, false);
    m_store.ExchangePinyinInitials(m_strPinyinInitials, false);
    m_store.ExchangeFunction(m_strFunction, false);
    m_store.ExchangeUsage(m_strUsage, false);
    m_store.ExchangeCautions(m_strCautions, false);
}

void CZorvikDrugDoc::OnDrugSearch() {
    std::string text;
    if (Ui().InputText(QStringLiteral("请输入要查找的内容:"), text, SEARCH_PROMPT_LIMIT) != IDOK) {
        return;
    }
    Ui().BeginWaitCursor();
    if (RunQuery(text, m_nSearchMask, m_nSortKey)) {
        SelectFirst();
    } else {
        Ui().MessageBox(QStringLiteral("没查到满足条件的药物记录!!!"), QStringLiteral("查询失败.."),
                        MB_ICONERROR);
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
    const std::array<std::string, 7> before{m_strTradeName,  m_strPinyinInitials, m_strEnglishName,
                                            m_strOtherNames, m_strUsage,          m_strFunction,
                                            m_strCautions};
    dialog->ExchangeFields(m_strTradeName, m_strPinyinInitials, m_strEnglishName, m_strOtherNames,
                           m_strUsage, m_strFunction, m_strCautions, true);
    if (!AddRecord()) {
        m_strTradeName = before[0];
        m_strPinyinInitials = before[1];
        m_strEnglishName = before[2];
        m_strOtherNames = before[3];
        m_strUsage = before[4];
        m_strFunction = before[5];
        m_strCautions = before[6];
        Ui().MessageBox(QStringLiteral("药物字典已满,最多只能存放2000条药物记录!"),
                        QStringLiteral("追加..."), MB_ICONERROR);
        return;
    }
    UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);
    SetModifiedFlag(true);
}

void CZorvikDrugDoc::OnDrugModify() {
    if (GetCurrentIndex() < 0) {
        Ui().MessageBox(QStringLiteral("字典中无药物!"), QStringLiteral("修改..."),
                        MB_ICONINFORMATION);
        return;
    }
    SelectResult(m_nCurrent);
    const std::unique_ptr<DrugEntryPrompt> dialog = m_createEntryDialog();
    dialog->ExchangeFields(m_strTradeName, m_strPinyinInitials, m_strEnglishName, m_strOtherNames,
                           m_strUsage, m_strFunction, m_strCautions, false);
    if (dialog->DoModal() != IDOK) {
        return;
    }
    dialog->ExchangeFields(m_strTradeName, m_strPinyinInitials, m_strEnglishName, m_strOtherNames,
                           m_strUsage, m_strFunction, m_strCautions, true);
    UpdateCurrentRecord();
    UpdateAllViews(nullptr, HINT_TEXT | HINT_RELABEL);
    SetModifiedFlag(true);
}

void CZorvikDrugDoc::OnDrugDelete() {
    if (GetCurrentIndex() < 0) {
        Ui().MessageBox(QStringLiteral("记录已被删完!"), QStringLiteral("删除..."),
                        MB_ICONINFORMATION);
        return;
    }
    const std::string& name = m_strTradeName.empty() ? m_strEnglishName : m_strTradeName;
    const QString question =
        QStringLiteral("将要删除药物:\n\n") + FromGbk(name) + QStringLiteral("\n\n确认吗?");
    if (m_bConfirmDelete &&
        Ui().MessageBox(question, QStringLiteral("删除..."), MB_YESNO | MB_ICONQUESTION) != IDYES) {
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
}

void CZorvikDrugDoc::OnSortKey(unsigned id) {
    if (id == ID_SORT_BY_TRADE_NAME) {
        m_nSortKey = SORT_BY_TRADE_NAME;
    } else if (id == ID_SORT_BY_ENGLISH_NAME) {
        m_nSortKey = SORT_BY_ENGLISH_NAME;
    }
}

void CZorvikDrugDoc::OnSearchField(unsigned id) {
    if (id == ID_SEARCH_ALL) {
        m_nSearchMask ^= SEARCH_ALL;
        return;
    }
    for (const SearchFieldCommand& command : SEARCH_FIELD_COMMANDS) {
        if (command.id == id) {
            m_nSearchMask ^= command.bit;
        }
    }
}

void CZorvikDrugDoc::OnDrugBarDropDown(const platform::Notification& notification) {
    using platform::MF_CHECKED;
    using platform::MF_SEPARATOR;
    using platform::MF_STRING;

    platform::PopupMenu menu;
    if (notification.item == ID_DRUG_SEARCH) {
        menu.AppendMenu(MF_STRING, ID_SORT_BY_TRADE_NAME, QStringLiteral("按品名排序"));
        menu.AppendMenu(MF_STRING, ID_SORT_BY_ENGLISH_NAME, QStringLiteral("按英文排序"));
        menu.AppendMenu(MF_SEPARATOR);
        for (const SearchFieldCommand& command : SEARCH_FIELD_COMMANDS) {
            menu.AppendMenu(MF_STRING | ((m_nSearchMask & command.bit) != 0 ? MF_CHECKED : 0),
                            command.id, QString::fromUtf8(command.text));
        }
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING | ((m_nSearchMask & SEARCH_ALL) != 0 ? MF_CHECKED : 0),
                        ID_SEARCH_ALL, QStringLiteral("全部搜索"));
        if (m_nSortKey == SORT_BY_TRADE_NAME) {
            menu.CheckMenuRadioItem(ID_SORT_BY_TRADE_NAME, ID_SORT_BY_ENGLISH_NAME,
                                    ID_SORT_BY_TRADE_NAME, platform::MF_BYCOMMAND);
        } else if (m_nSortKey == SORT_BY_ENGLISH_NAME) {
            menu.CheckMenuRadioItem(ID_SORT_BY_TRADE_NAME, ID_SORT_BY_ENGLISH_NAME,
                                    ID_SORT_BY_ENGLISH_NAME, platform::MF_BYCOMMAND);
        }
    } else if (notification.item == ID_DRUG_DELETE) {
        menu.AppendMenu(MF_STRING | (m_bConfirmDelete ? MF_CHECKED : 0), ID_CONFIRM_DELETE,
                        QStringLiteral("确认删除"));
    } else {
        return;
    }
    const auto button = Ui().ToolBarButtonRect(IDW_DRUG_TOOLBAR, notification.item);
    if (!button) {
        return;
    }
    // The menu's top-left corner goes to the button's bottom-left corner.
    Ui().TrackPopupMenu(menu, QPoint(button->left(), button->top() + button->height()));
}

}  // namespace quorbex
