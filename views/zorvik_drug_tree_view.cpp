#include "views/zorvik_drug_tree_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "document/zorvik_drug_doc.h"

namespace quorbex {

CZorvikDrugTreeView::CZorvikDrugTreeView(CZorvikDrugDoc& document, QWidget* parent)
    : QTreeView(parent), m_document(document), m_results(document) {
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setModel(&m_results);

    // Every listing shows its results under the open root.
    connect(&m_results, &QAbstractItemModel::modelReset, this, [this] { expand(RootIndex()); });
    connect(&document, &CZorvikDrugDoc::currentChanged, this, &CZorvikDrugTreeView::SelectCurrent);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& caret) { OnSelChanged(caret); });
}

// The item of result is selected and scrolled into view; without one the
// selection stays as it is.
void CZorvikDrugTreeView::SelectCurrent(int result) {
    const QModelIndex item = ResultIndex(result);
    if (!item.isValid()) {
        return;
    }
    m_selecting = true;
    selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
    scrollTo(item);
    m_selecting = false;
}

// The root stands for no result: choosing it changes nothing.
void CZorvikDrugTreeView::OnSelChanged(const QModelIndex& caret) {
    const int result = DrugResultsModel::ResultOf(caret);
    if (!m_selecting && result >= 0) {
        m_document.SelectResult(result);
    }
}

// Each result's line runs from the root's down to the result, the last
// result's line ending there; the root itself has none.
void CZorvikDrugTreeView::drawBranches(QPainter* painter, const QRect& rect,
                                       const QModelIndex& index) const {
    QTreeView::drawBranches(painter, rect, index);
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
        return QTreeView::viewportEvent(event);
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

}  // namespace quorbex
