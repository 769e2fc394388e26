// The left pane of a dictionary window: the results of the last search as a
// tree under one root item, on the document's results model. Choosing an
// item makes its result the document's current one, and the item of the
// current result is selected whenever another becomes current. Dotted lines
// join the results to the root, and a label cut off by the pane's width
// shows in full as a tool tip.
#pragma once

#include <QTreeView>

#include "document/drug_results_model.h"

namespace quorbex {

class CZorvikDrugDoc;

class CZorvikDrugTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit CZorvikDrugTreeView(CZorvikDrugDoc& document, QWidget* parent = nullptr);

    DrugResultsModel& Results() { return m_results; }
    QModelIndex RootIndex() const { return m_results.RootIndex(); }
    QModelIndex ResultIndex(int result) const { return m_results.ResultIndex(result); }

protected:
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;
    bool viewportEvent(QEvent* event) override;

private:
    void SelectCurrent(int result);
    void OnSelChanged(const QModelIndex& caret);

    CZorvikDrugDoc& m_document;
    DrugResultsModel m_results;
    bool m_selecting = false;
};

}  // namespace quorbex
