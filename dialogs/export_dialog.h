// Asks where to export a drug list as CSV, and whether cells that a
// spreadsheet would take as formulas are guarded (on unless turned off): a
// shared dictionary could otherwise carry a formula into a colleague's
// spreadsheet.
#pragma once

#include <QDialog>

#include "csv/formula_cells.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace quorbex {

class ExportDialog : public QDialog {
    Q_OBJECT
public:
    // path: the file suggested.
    explicit ExportDialog(const QString& path, QWidget* parent = nullptr);

    QString Path() const;
    csv::FormulaCells Formulas() const;

    QLineEdit* PathBox() const { return m_path; }
    QCheckBox* GuardBox() const { return m_guard; }
    QPushButton* OkButton() const { return m_ok; }

private:
    void Browse();

    QLineEdit* m_path;
    QCheckBox* m_guard;
    QPushButton* m_ok;
};

}  // namespace quorbex
