// The handbook of the open dictionary, printed, previewed or written as a
// PDF file; and written for scripts from a dictionary file alone.
#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace quorbex {

class CZorvikDrugDoc;
class DrugHandbook;

namespace platform {
class UserInterface;
}

enum class HandbookOutput { Print, Preview, Pdf };

// The handbook of the document's results, or of its whole dictionary, in
// pinyin order, or by English name while the list is ordered so; its text
// in font. The title page of the results' handbook says what was searched.
DrugHandbook HandbookOf(CZorvikDrugDoc& document, bool resultsOnly, const QFont& font);

// Prints or previews the handbook on the shared printer, or asks where to
// write its PDF (beside the dictionary, named after it, by default) and
// writes it with the shared printer's page layout.
void OutputHandbook(platform::UserInterface& ui, CZorvikDrugDoc& document, HandbookOutput output,
                    bool resultsOnly, const QFont& font, QWidget* parent);

// Writes the handbook of every drug in the dictionary file, in the order of
// sortKey (SORT_BY_PINYIN, SORT_BY_TRADE_NAME or SORT_BY_ENGLISH_NAME), into
// the PDF file out, showing no window. Answers false, with the reason in
// error, when the dictionary cannot be read or the PDF written; an existing
// out is then left as it was.
bool WriteHandbookPdf(const QString& dictionary, const QString& out, int sortKey, QString& error);

}  // namespace quorbex
