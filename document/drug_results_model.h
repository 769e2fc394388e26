// The results of a dictionary's last search as a two-level item model: one
// root row, "浏览药物结果", with a row for each result under it in result
// order; a result's row number is its index in the result list. Labels are
// read from the store as they are shown, without moving the current
// record: after each reset of the results a result is labelled by the sort
// key of that moment (its other name when that one is empty), and a result
// rewritten in its place by its trade name (its English name when it has
// none) until the next reset. Until the first listing there is no row at all.
#pragma once

#include <QAbstractItemModel>
#include <QSet>

namespace quorbex {

class CZorvikDrugDoc;

class DrugResultsModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit DrugResultsModel(CZorvikDrugDoc& document, QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    QModelIndex RootIndex() const;
    // The row of result index; invalid for an index outside the results.
    QModelIndex ResultIndex(int index) const;
    // The result a row stands for; -1 for the root and anything else.
    static int ResultOf(const QModelIndex& index);

private:
    void Reset();
    void Relabel(int result);
    QString Label(int result) const;

    CZorvikDrugDoc& m_document;
    bool m_listed = false;
    int m_labelSortKey = 0;
    QSet<int> m_relabelled;
};

}  // namespace quorbex
