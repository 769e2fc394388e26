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
// the order the results are listed in (for the whole dictionary, the
// current sort order); its text in font.
DrugHandbook HandbookOf(CZorvikDrugDoc& document, bool resultsOnly, const QFont& font);

// Prints or previews the handbook, or asks where to write its PDF (beside
// the dictionary, named after it, by default) and writes it.
void OutputHandbook(platform::UserInterface& ui, CZorvikDrugDoc& document, HandbookOutput output,
                    bool resultsOnly, const QFont& font, QWidget* parent);

// Writes the handbook of every drug in the dictionary file, ordered by trade
// name, into the PDF file out, showing no window. Answers false, with the
// reason in error, when the dictionary cannot be read or the PDF written.
bool WriteHandbookPdf(const QString& dictionary, const QString& out, QString& error);

}  // namespace quorbex
