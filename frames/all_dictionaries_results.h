// A dock of the main window that lists what the quick search finds in every
// open dictionary, the hits of each under a heading that names it and counts
// them, best first as in the window. Enter or a double click on a hit shows
// that drug in its dictionary's window, among the results of the same query.
#pragma once

#include <QDockWidget>
#include <QList>
#include <QPointer>
#include <string>

class QTreeWidget;
class QTreeWidgetItem;

namespace quorbex {

class CZorvikDrugFrame;

class AllDictionariesResults : public QDockWidget {
    Q_OBJECT
public:
    explicit AllDictionariesResults(QWidget* parent);

    // Runs query (as typed) in the dictionary of each window, in order, with
    // that window's fields and order, and lists the hits; the first is
    // current.
    void Search(const QString& query, const QList<CZorvikDrugFrame*>& windows);
    // Says that there is nothing to search for.
    void ShowBlank();

    QTreeWidget* Results() const { return m_results; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Show(QTreeWidgetItem* item);
    void ShowNote(const QString& note);

    QTreeWidget* m_results;
    std::string m_query;                          // GBK
    QList<QPointer<CZorvikDrugFrame>> m_windows;  // of the headings, in order
};

}  // namespace quorbex
