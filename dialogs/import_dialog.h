// Asks what to import: the CSV file, its encoding (told from the file, or
// chosen), whether its drugs make a new dictionary or are appended to the
// open one, and whether the apostrophes that guard formulas are taken off
// (on unless turned off, as the export guards them unless told not to).
#pragma once

#include <QDialog>

#include "csv/formula_cells.h"
#include "csv/text_encoding.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quorbex {

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    // canAppend: a dictionary is open to append to; appending is then chosen.
    ImportDialog(bool canAppend, QWidget* parent = nullptr);

    QString Path() const;
    csv::TextEncoding Encoding() const;
    bool AppendToOpenDictionary() const;
    // Guarded: the apostrophe that an export put before a formula is taken off.
    csv::FormulaCells Formulas() const;

    QLineEdit* PathBox() const { return m_path; }
    QComboBox* EncodingBox() const { return m_encoding; }
    QRadioButton* NewDictionaryChoice() const { return m_newDictionary; }
    QRadioButton* AppendChoice() const { return m_append; }
    QCheckBox* UnguardBox() const { return m_unguard; }
    QPushButton* OkButton() const { return m_ok; }

private:
    void Browse();

    QLineEdit* m_path;
    QComboBox* m_encoding;
    QRadioButton* m_newDictionary;
    QRadioButton* m_append;
    QCheckBox* m_unguard;
    QPushButton* m_ok;
};

}  // namespace quorbex
