// Printing a dictionary file that the desktop or a later start asks for: the
// record text of its window, on a printer or into a PDF file.
#pragma once

#include <QString>

namespace quorbex {

class CMainFrame;

namespace platform {
class DocumentTemplate;
}

// Prints the record text of the dictionary at path (see
// CZorvikDrugView::PrintToPrinter for printerName). A file that is open
// already is printed from its window; another one opens for the print and
// closes again, leaving the windows as they stood. False when the file
// could not be opened or printed.
bool PrintDictionaryFile(platform::DocumentTemplate& docTemplate, CMainFrame& mainFrame,
                         const QString& path, const QString& printerName);

}  // namespace quorbex
