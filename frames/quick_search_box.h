// The search box of the drug tool bar: each change of its text runs the
// quick search (store/quick_match.h) in the active dictionary with its
// current fields and order, and the tree and the record text follow at once.
// Escape empties it, lists every drug and gives the focus back to the tree;
// Enter goes on to the first result, or with none to the first drug
// suggested. A query is done with when left with Enter, Escape or the
// focus: the drug it shows then counts as viewed in the window's history
// (those it passed over while typing do not), and it becomes one of the
// user's recent queries when it found something, which Down offers. It takes as much GBK text as a
// quick search can use and says beside it when an edit went beyond that or brought a character that
// GBK cannot hold. It follows the active dictionary window and is disabled without one.
#pragma once

#include <QPointer>
#include <QWidget>

class QAbstractItemView;
class QCompleter;
class QLabel;
class QLineEdit;
class QStringListModel;

namespace quorbex {

class CZorvikDrugDoc;
class CZorvikDrugFrame;

class QuickSearchBox : public QWidget {
    Q_OBJECT
public:
    explicit QuickSearchBox(QWidget* parent = nullptr);

    // The dictionary window searched from now on, or none.
    void Follow(CZorvikDrugFrame* frame);
    // Puts the focus in the box with its text selected, ready for a new pattern.
    void FocusBox();

    QLineEdit* Edit() const { return m_edit; }
    // Why the last edit did not arrive whole; hidden otherwise.
    QLabel* RefusalLabel() const { return m_refusal; }
    // The last queries, the most recent first, and the list that offers them.
    static constexpr int RECENT_QUERIES_MAX = 10;
    QStringList RecentQueries() const { return m_recentQueries; }
    QAbstractItemView* RecentQueriesList() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Search();
    void ShowPattern();
    void GoToFirstResult();
    void ShowNote(const QString& note);
    // The query shown is done with: its drug was viewed, and it is a recent
    // query when it found something.
    void QueryDone();
    void OpenRecentQueries();

    QLineEdit* m_edit;
    QLabel* m_refusal;
    QStringList m_recentQueries;
    QStringListModel* m_recentModel;
    QCompleter* m_recentList;
    bool m_refusedInThisEdit = false;
    bool m_showingPattern = false;  // the text shown is the document's, not an edit
    QPointer<CZorvikDrugFrame> m_frame;
    QPointer<CZorvikDrugDoc> m_document;
    QMetaObject::Connection m_resultsConnection;
};

}  // namespace quorbex
