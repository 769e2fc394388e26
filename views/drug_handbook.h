// A printed handbook of drugs: a title page with the dictionary's name, the
// date, the number of drugs and what else says what the handbook holds; a
// contents list of the drugs' names with their page numbers; then each drug
// under its name as a heading, as the record view shows it. So that no dose
// is read as another drug's, every page of drugs opens with a running head
// that names its first and last drugs, a page that goes on with a drug from
// the page before begins with "NAME（续）", and a heading never ends a page.
// The page number stands at the foot of every page; everything lies within
// the margins of the device's page layout.
#pragma once

#include <QDate>
#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

#include "store/drug_fields.h"

class QPagedPaintDevice;

namespace quorbex {

class DrugHandbook {
public:
    // The drugs in the order the handbook lists them; details are the title
    // page's lines under the number of drugs; font is the body's.
    DrugHandbook(QString title, QDate date, QStringList details, std::vector<DrugFields> drugs,
                 QFont font);

    // Lays the handbook out on the device's pages and paints it there; false,
    // with nothing painted, when the device cannot be painted on.
    bool Print(QPagedPaintDevice& device) const;

private:
    QString m_title;
    QDate m_date;
    QStringList m_details;
    std::vector<DrugFields> m_drugs;
    QFont m_font;
};

// Where a document's PDF goes by default: beside the dictionary, named after
// it ("folder/name.pdf"), or in the home folder for one never saved.
QString DefaultPdfPath(const QString& dictionaryPath, const QString& title);

}  // namespace quorbex
