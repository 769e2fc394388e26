#include "views/zorvik_drug_tree_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolTip>
#include <string>

#include "document/update_hints.h"
#include "document/zorvik_drug_doc.h"
#include "platform/user_interface.h"
#include "resources/icon_ids.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"
#include "store/gbk_codec.h"

namespace quorbex {

namespace {

QString FromGbk(const std::string& text) {
    return QString::fromStdString(GbkToUtf8(text));
}

// The label of a result: the name the results are ordered by, or the other
// name when that one is empty.
const std::string& DisplayName(const std::string& tradeName, const std::string& englishName,
                               int sortKey) {
    if (sortKey == SORT_BY_ENGLISH_NAME) {
        return englishName.empty() ? tradeName : englishName;
    }
    return tradeName.empty() ? englishName : tradeName;
}

}  // namespace

CZorvikDrugTreeView::CZorvikDrugTreeView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setRootIsDecorated(false);
    setUniformRowHeights(true);

    const QPixmap closedBook = QIcon(IconPath(IDI_CLOSED_BOOK)).pixmap(16, 16);
    const QPixmap openBook = QIcon(IconPath(IDI_OPEN_BOOK)).pixmap(16, 16);
    m_rootIcon.addPixmap(closedBook, QIcon::Normal);
    m_rootIcon.addPixmap(closedBook, QIcon::Selected);
    m_resultIcon.addPixmap(closedBook, QIcon::Normal);
    m_resultIcon.addPixmap(openBook, QIcon::Selected);

    connect(this, &QTreeWidget::currentItemChanged, this, [this] { OnSelChanged(); });
}

QTreeWidgetItem* CZorvikDrugTreeView::RootItem() const {
    return topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
}

CZorvikDrugDoc* CZorvikDrugTreeView::Document() const {
    return dynamic_cast<CZorvikDrugDoc*>(GetDocument());
}

void CZorvikDrugTreeView::OnUpdate(platform::View*, int hint) {
    setUpdatesEnabled(false);
    if (CZorvikDrugDoc* document = Document()) {
        if ((hint & HINT_REBUILD) != 0) {
            Rebuild(*document);
        }
        if ((hint & HINT_RELABEL) != 0) {
            Relabel(*document);
        }
        if ((hint & HINT_SELECT) != 0) {
            SelectCurrent(*document);
        }
    }
    setUpdatesEnabled(true);
    viewport()->repaint();
}

void CZorvikDrugTreeView::Rebuild(CZorvikDrugDoc& document) {
    // Items come and go here; the selection changes this causes mean nothing.
    m_updating = true;
    clear();
    const int resultCount = document.GetResultCount();
    const int saved = document.GetCurrentIndex();

    auto* root = new QTreeWidgetItem(QStringList(Tr(UiText::ResultsRoot)));
    root->setIcon(0, m_rootIcon);
    addTopLevelItem(root);
    if (resultCount > 0) {
        QList<QTreeWidgetItem*> items;
        items.reserve(resultCount);
        // Each result is made current to read its names, and the current one
        // is made current again afterwards: nothing changed for anyone else.
        const QSignalBlocker quiet(document);
        for (int i = 0; i < resultCount; ++i) {
            document.SelectResult(i);
            const DrugFields& fields = document.GetCurrentStrings();
            int sortKey = 0;
            document.GetSortKey(sortKey);
            auto* item = new QTreeWidgetItem(
                QStringList(FromGbk(DisplayName(fields.tradeName, fields.englishName, sortKey))));
            item->setIcon(0, m_resultIcon);
            item->setData(0, Qt::UserRole, i);
            items.append(item);
        }
        root->addChildren(items);
        document.SelectResult(saved);
    }
    m_updating = false;
    if (resultCount > 0) {
        document.UpdateAllViews(this, HINT_TEXT);
    }
    document.Ui().SetStatusPaneText(
        ID_INDICATOR_RECORDS,
        Tr(UiText::RecordsPane).arg(document.GetRecordCount()).arg(document.GetResultCount()));
    root->setExpanded(true);
}

void CZorvikDrugTreeView::Relabel(CZorvikDrugDoc& document) {
    const int current = document.GetCurrentIndex();
    const DrugFields& fields = document.GetCurrentStrings();
    // A relabel names the item by its trade name whatever the sort key.
    const QString label = FromGbk(fields.tradeName.empty() ? fields.englishName : fields.tradeName);
    QTreeWidgetItem* root = RootItem();
    for (int i = 0; root != nullptr && i < root->childCount(); ++i) {
        if (root->child(i)->data(0, Qt::UserRole).toInt() == current) {
            root->child(i)->setText(0, label);
            return;
        }
    }
}

void CZorvikDrugTreeView::SelectCurrent(CZorvikDrugDoc& document) {
    const int current = document.GetCurrentIndex();
    QTreeWidgetItem* root = RootItem();
    for (int i = 0; root != nullptr && i < root->childCount(); ++i) {
        QTreeWidgetItem* item = root->child(i);
        if (item->data(0, Qt::UserRole).toInt() == current) {
            setCurrentItem(item);
            scrollToItem(item);
            return;
        }
    }
}

// Each result's line runs from the root's down to the result, the last
// result's line ending there; the root itself has none.
void CZorvikDrugTreeView::drawBranches(QPainter* painter, const QRect& rect,
                                       const QModelIndex& index) const {
    QTreeWidget::drawBranches(painter, rect, index);
    if (!index.parent().isValid()) {
        return;
    }
    const QRect cell(rect.right() + 1 - indentation(), rect.top(), indentation(), rect.height());
    const int x = cell.left() + cell.width() / 2;
    const int y = cell.top() + cell.height() / 2;
    const bool last = index.row() + 1 >= model()->rowCount(index.parent());
    painter->save();
    painter->setPen(QPen(palette().color(QPalette::Dark), 1, Qt::DotLine));
    painter->drawLine(x, cell.top(), x, last ? y : cell.bottom());
    painter->drawLine(x, y, cell.right(), y);
    painter->restore();
}

bool CZorvikDrugTreeView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QTreeWidget::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QRect shown = visualRect(index);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    QAbstractItemDelegate* delegate = itemDelegateForIndex(index);
    const int wanted = delegate != nullptr ? delegate->sizeHint(option, index).width() : 0;
    if (index.isValid() && shown.left() + wanted > viewport()->width()) {
        QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(), this, shown);
    } else {
        QToolTip::hideText();
    }
    return true;
}

void CZorvikDrugTreeView::OnSelChanged() {
    QTreeWidgetItem* caret = currentItem();
    CZorvikDrugDoc* document = Document();
    if (m_updating || caret == nullptr || caret == RootItem() || document == nullptr) {
        return;
    }
    document->SelectResult(caret->data(0, Qt::UserRole).toInt());
    document->UpdateAllViews(this, HINT_TEXT);
}

}  // namespace quorbex
