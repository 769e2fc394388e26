// A printed handbook of drugs: a title page with the dictionary's name, the
// date and the number of drugs; a contents list of the drugs' names with
// their page numbers; then each drug under its name as a heading, as the
// record view shows it; the page number at the foot of every page.
#pragma once

#include <QDate>
#include <QFont>
#include <QString>
#include <vector>

#include "store/drug_fields.h"

class QPrinter;
class QTextDocument;

namespace quorbex {

class DrugHandbook {
public:
    // The drugs in the order the handbook lists them; font is the body's.
    DrugHandbook(QString title, QDate date, std::vector<DrugFields> drugs, QFont font);

    // Lays the handbook out on printer's pages and prints it there.
    void Print(QPrinter& printer) const;

private:
    std::unique_ptr<QTextDocument> Layout(QPrinter& printer, std::vector<int>& pages) const;

    QString m_title;
    QDate m_date;
    std::vector<DrugFields> m_drugs;
    QFont m_font;
};

// Where a document's PDF goes by default: beside the dictionary, named after
// it ("folder/name.pdf"), or in the home folder for one never saved.
QString DefaultPdfPath(const QString& dictionaryPath, const QString& title);

}  // namespace quorbex
