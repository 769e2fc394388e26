// What the record text shows in place of a record when the quick search
// found nothing but names some drugs it may have meant: a line that says so
// and a button for each of them, which takes it as the search and shows it.
#pragma once

#include <QFrame>

class QAbstractButton;
class QLabel;
class QVBoxLayout;

namespace quorbex {

class CZorvikDrugDoc;

class DrugSuggestions : public QFrame {
    Q_OBJECT
public:
    // Lies over the top of parent, the record text's viewport.
    DrugSuggestions(CZorvikDrugDoc& document, QWidget* parent);

    // The buttons shown, the closest drug first.
    QList<QAbstractButton*> Buttons() const;

signals:
    // A suggestion was taken: its drug is the current one now.
    void taken();

private:
    void Update();

    CZorvikDrugDoc& m_document;
    QLabel* m_heading;
    QVBoxLayout* m_layout;
};

}  // namespace quorbex
