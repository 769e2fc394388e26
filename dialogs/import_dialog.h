// Asks what to import: the CSV file, its encoding (told from the file, or
// chosen), and whether its drugs make a new dictionary or are appended to
// the open one.
#pragma once

#include <QDialog>

#include "csv/text_encoding.h"

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

    QLineEdit* PathBox() const { return m_path; }
    QComboBox* EncodingBox() const { return m_encoding; }
    QRadioButton* NewDictionaryChoice() const { return m_newDictionary; }
    QRadioButton* AppendChoice() const { return m_append; }
    QPushButton* OkButton() const { return m_ok; }

private:
    void Browse();

    QLineEdit* m_path;
    QComboBox* m_encoding;
    QRadioButton* m_newDictionary;
    QRadioButton* m_append;
    QPushButton* m_ok;
};

}  // namespace quorbex
