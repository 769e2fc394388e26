// The left pane of a dictionary window: the results of the last search as a
// tree under one root item, labelled by the sort key. Choosing an item
// makes its result the document's current one. Dotted lines join the
// results to the root, and a label cut off by the pane's width shows in full
// as a tool tip.
#pragma once

#include <QIcon>
#include <QTreeWidget>

#include "platform/view.h"

namespace quorbex {

class CZorvikDrugDoc;

class CZorvikDrugTreeView : public QTreeWidget, public platform::View {
public:
    explicit CZorvikDrugTreeView(QWidget* parent = nullptr);

    void OnUpdate(platform::View* sender, int hint) override;

    QTreeWidgetItem* RootItem() const;

protected:
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;
    bool viewportEvent(QEvent* event) override;

private:
    CZorvikDrugDoc* Document() const;
    void Rebuild(CZorvikDrugDoc& document);
    void Relabel(CZorvikDrugDoc& document);
    void SelectCurrent(CZorvikDrugDoc& document);
    void OnSelChanged();

    QIcon m_resultIcon;  // a closed book, an open one while selected
    QIcon m_rootIcon;
    bool m_updating = false;
};

}  // namespace quorbex
