// Asks what to import: the CSV file, its encoding (told from the file, or
// chosen), whether its drugs make a new dictionary or are appended to the
// open one, what becomes of drugs the dictionary already has, whether
// missing pinyin initials are filled in, and whether the apostrophes that
// guard formulas are taken off (on unless turned off, as the export guards
// them unless told not to). When the file's first row names no field of a
// drug, it shows the first rows and lets the user choose the field of each
// column; the choice is remembered for the next import.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "csv/drug_csv.h"
#include "csv/formula_cells.h"
#include "csv/text_encoding.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace quorbex {

enum class DuplicateDrugs { Skip, Replace, KeepBoth };

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
    bool FillPinyin() const;
    DuplicateDrugs Duplicates() const;
    // The columns as chosen, or the header row's names when they tell them.
    csv::CsvColumns Columns() const;

    QLineEdit* PathBox() const { return m_path; }
    QComboBox* EncodingBox() const { return m_encoding; }
    QRadioButton* NewDictionaryChoice() const { return m_newDictionary; }
    QRadioButton* AppendChoice() const { return m_append; }
    QCheckBox* UnguardBox() const { return m_unguard; }
    QCheckBox* FillPinyinBox() const { return m_fillPinyin; }
    QComboBox* DuplicatesBox() const { return m_duplicates; }
    // Shown only while the columns need choosing.
    QWidget* ColumnChooser() const { return m_chooser; }
    QCheckBox* HeaderRowBox() const { return m_headerRow; }
    QTableWidget* Preview() const { return m_preview; }
    // The choice of field for column (from 0) of the preview.
    QComboBox* ColumnBox(int column) const;
    QPushButton* OkButton() const { return m_ok; }

    void accept() override;

private:
    void Browse();
    void LoadPreview();
    void ShowColumns(const std::vector<QStringList>& rows);

    QLineEdit* m_path;
    QComboBox* m_encoding;
    QRadioButton* m_newDictionary;
    QRadioButton* m_append;
    QCheckBox* m_unguard;
    QCheckBox* m_fillPinyin;
    QComboBox* m_duplicates;
    QWidget* m_chooser;
    QCheckBox* m_headerRow;
    QTableWidget* m_preview;
    QPushButton* m_ok;
};

}  // namespace quorbex
