#include "document/drug_results_model.h"

#include <QIcon>
#include <QPixmap>
#include <algorithm>

#include "document/zorvik_drug_doc.h"
#include "platform/gbk_text.h"
#include "platform/svg_icon.h"
#include "resources/icon_ids.h"
#include "resources/strings.h"

namespace quorbex {

namespace {

// The root's rows have this internal id, the root's own row none.
constexpr quintptr RESULT_ROW = 1;

struct TreeIcons {
    QIcon root;
    QIcon result;
};

// A closed book for every row, an open one for a selected result. Made once
// for every model: icons of each model's own would put new copies of the
// same pictures in the pixmap cache with every window opened, until the
// cache is full.
const TreeIcons& SharedTreeIcons() {
    static const TreeIcons icons = [] {
        const QPixmap closedBook = platform::SvgIcon(IconPath(IDI_CLOSED_BOOK)).pixmap(16, 16);
        const QPixmap openBook = platform::SvgIcon(IconPath(IDI_OPEN_BOOK)).pixmap(16, 16);
        TreeIcons made;
        made.root.addPixmap(closedBook, QIcon::Normal);
        made.root.addPixmap(closedBook, QIcon::Selected);
        made.result.addPixmap(closedBook, QIcon::Normal);
        made.result.addPixmap(openBook, QIcon::Selected);
        return made;
    }();
    return icons;
}

}  // namespace

DrugResultsModel::DrugResultsModel(CZorvikDrugDoc& document, QObject* parent)
    : QAbstractItemModel(parent), m_document(document) {
    connect(&document, &CZorvikDrugDoc::resultsReset, this, &DrugResultsModel::Reset);
    connect(&document, &CZorvikDrugDoc::resultChanged, this, &DrugResultsModel::Relabel);
}

void DrugResultsModel::Reset() {
    beginResetModel();
    m_listed = true;
    m_document.GetSortKey(m_labelSortKey);
    m_relabelled.clear();
    endResetModel();
}

void DrugResultsModel::Relabel(int result) {
    const QModelIndex row = ResultIndex(result);
    if (row.isValid()) {
        m_relabelled.insert(result);
        emit dataChanged(row, row, {Qt::DisplayRole});
    }
}

QModelIndex DrugResultsModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent)) {
        return {};
    }
    return createIndex(row, column, parent.isValid() ? RESULT_ROW : 0);
}

QModelIndex DrugResultsModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() != RESULT_ROW) {
        return {};
    }
    return createIndex(0, 0, quintptr{0});
}

int DrugResultsModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return m_listed ? 1 : 0;
    }
    if (parent.internalId() == RESULT_ROW || parent.column() != 0) {
        return 0;
    }
    return static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(std::max(m_document.GetResultCount(), 0)),
                              m_document.GetResultList().size()));
}

int DrugResultsModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant DrugResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const bool root = index.internalId() != RESULT_ROW;
    switch (role) {
        case Qt::DisplayRole:
            return root ? Tr(UiText::ResultsRoot) : Label(index.row());
        case Qt::DecorationRole:
            return root ? SharedTreeIcons().root : SharedTreeIcons().result;
        default:
            return {};
    }
}

QString DrugResultsModel::Label(int result) const {
    const std::string_view tradeName = m_document.PeekResultField(result, Field::TradeName);
    const std::string_view englishName = m_document.PeekResultField(result, Field::EnglishName);
    if (m_labelSortKey == SORT_BY_ENGLISH_NAME && !m_relabelled.contains(result)) {
        return platform::FromGbk(englishName.empty() ? tradeName : englishName);
    }
    return platform::FromGbk(ListedName(tradeName, englishName));
}

QModelIndex DrugResultsModel::RootIndex() const {
    return index(0, 0);
}

QModelIndex DrugResultsModel::ResultIndex(int result) const {
    return index(result, 0, RootIndex());
}

int DrugResultsModel::ResultOf(const QModelIndex& index) {
    return index.isValid() && index.internalId() == RESULT_ROW ? index.row() : -1;
}

}  // namespace quorbex
