// The search box of the drug tool bar: each change of its text searches the
// active dictionary with its current fields and order, and the tree and the
// record text follow at once. Escape empties it and lists every drug; Enter
// or Down goes on to the first result. It takes what the search prompt takes
// (10 bytes of GBK text) and says beside it why a character did not arrive.
// It follows the active dictionary window and is disabled without one.
#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;

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
    // Why the last character typed or pasted did not arrive; hidden otherwise.
    QLabel* RefusalLabel() const { return m_refusal; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Search();
    void ShowPattern();
    void GoToFirstResult();

    QLineEdit* m_edit;
    QLabel* m_refusal;
    bool m_refusedInThisEdit = false;
    bool m_showingPattern = false;  // the text shown is the document's, not an edit
    QPointer<CZorvikDrugFrame> m_frame;
    QPointer<CZorvikDrugDoc> m_document;
    QMetaObject::Connection m_resultsConnection;
};

}  // namespace quorbex
