#include "frames/all_dictionaries_results.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>
#include <optional>

#include "document/zorvik_drug_doc.h"
#include "frames/drug_history.h"
#include "frames/zorvik_drug_frame.h"
#include "platform/gbk_text.h"
#include "resources/strings.h"
#include "views/zorvik_drug_tree_view.h"

namespace quorbex {

namespace {

constexpr int NUMBER_ROLE = Qt::UserRole;

}  // namespace

AllDictionariesResults::AllDictionariesResults(QWidget* parent)
    : QDockWidget(Tr(UiText::AllDictionariesTitle), parent), m_results(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("allDictionaries"));
    m_results->setColumnCount(2);
    m_results->setHeaderLabels({Tr(UiText::FieldTradeName), Tr(UiText::FieldEnglishName)});
    m_results->setRootIsDecorated(true);
    setWidget(m_results);
    connect(m_results, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Show(item); });
}

// The columns fit their contents from the first time the list is shown: a
// list sized so while hidden measures its headings at every start, loading
// the bold font of the headings for nothing.
void AllDictionariesResults::showEvent(QShowEvent* event) {
    m_results->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QDockWidget::showEvent(event);
}

void AllDictionariesResults::ShowNote(const QString& note) {
    auto* item = new QTreeWidgetItem(m_results, {note});
    item->setFlags(Qt::ItemIsEnabled);
    item->setFirstColumnSpanned(true);
}

void AllDictionariesResults::ShowBlank() {
    m_results->clear();
    m_windows.clear();
    ShowNote(Tr(UiText::AllDictionariesBlank));
}

void AllDictionariesResults::Search(const QString& query, const QList<CZorvikDrugFrame*>& windows) {
    m_results->clear();
    m_windows.clear();
    // The box takes only text that GBK holds.
    m_query = platform::ToGbk(query).value_or(std::string());
    QTreeWidgetItem* first = nullptr;
    for (CZorvikDrugFrame* window : windows) {
        CZorvikDrugDoc& document = window->GetDocument();
        int sortKey = 0;
        document.GetSortKey(sortKey);
        RecordStore& store = document.GetStore();
        const QuickResult found = store.QuickFind(m_query, document.GetSearchMask(), sortKey);
        if (found.status != QuickStatus::Found) {
            continue;
        }
        auto* heading =
            new QTreeWidgetItem(m_results, {Tr(UiText::AllDictionariesGroup)
                                                .arg(document.GetTitle())
                                                .arg(static_cast<int>(found.hits.size()))});
        heading->setFirstColumnSpanned(true);
        m_windows.append(window);
        for (const QuickHit& hit : found.hits) {
            auto* item = new QTreeWidgetItem(
                heading, {platform::FromGbk(store.PeekField(hit.number, Field::TradeName)),
                          platform::FromGbk(store.PeekField(hit.number, Field::EnglishName))});
            item->setData(0, NUMBER_ROLE, hit.number);
            if (first == nullptr) {
                first = item;
            }
        }
    }
    if (first == nullptr) {
        ShowNote(Tr(UiText::AllDictionariesNothing).arg(query.trimmed()));
        return;
    }
    m_results->expandAll();
    m_results->setCurrentItem(first);
}

// The window lists what the query finds in it, the drug current; a
// heading shows its window as it stands.
void AllDictionariesResults::Show(QTreeWidgetItem* item) {
    QTreeWidgetItem* heading = item->parent() != nullptr ? item->parent() : item;
    const int group = m_results->indexOfTopLevelItem(heading);
    if (group < 0 || group >= m_windows.size() || !m_windows[group]) {
        return;
    }
    CZorvikDrugFrame* window = m_windows[group];
    window->Activate();
    if (item != heading) {
        CZorvikDrugDoc& document = window->GetDocument();
        {
            // Only the drug chosen counts as viewed in the window.
            const DrugHistory::Passing searching(window->History());
            document.QuickSearch(m_query);
        }
        // Records may have come or gone since: the hit of that number and
        // name, or else the first of that name.
        const auto number = item->data(0, NUMBER_ROLE).toUInt();
        const std::optional<std::string> name = platform::ToGbk(item->text(0));
        int chosen = -1;
        for (int index = 0; name && index < document.GetResultCount(); ++index) {
            if (document.PeekResultField(index, Field::TradeName) != *name) {
                continue;
            }
            if (chosen < 0) {
                chosen = index;
            }
            if (document.GetResultList()[static_cast<std::size_t>(index)] == number) {
                chosen = index;
                break;
            }
        }
        document.SelectResult(std::max(chosen, 0));
    }
    window->TreeView()->setFocus(Qt::OtherFocusReason);
}

}  // namespace quorbex
