// The right pane of a dictionary window: the current record as word-wrapped
// text under bracketed headings in the user's language, with the places
// where the last search matched marked. It shows each record that becomes
// current, and prints and previews that text. The text can be edited, but
// the edits are never kept: the first edit of a shown record says so in the
// main window's status bar.
#pragma once

#include <QPlainTextEdit>

class QPrinter;

namespace quorbex {

class CZorvikDrugDoc;

class CZorvikDrugView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CZorvikDrugView(CZorvikDrugDoc& document, QWidget* parent = nullptr);

    // Shows the document's current record.
    void Render();

    // Prints the rendered record, paginated, to an already set-up printer.
    void PrintTo(QPrinter& printer) const;

    // Prints on the printer of that name, into a PDF file when the name ends
    // in ".pdf", or on the default printer when the name is empty. Tells the
    // user and answers false when there is no such printer.
    bool PrintToPrinter(const QString& printerName);

    void OnFilePrint();
    void OnFilePrintPreview();

private:
    void NameOutput(QPrinter& printer) const;
    void OnTextEdited();

    CZorvikDrugDoc& m_document;
    bool m_rendering = false;
    bool m_editNoticeShown = false;
};

}  // namespace quorbex
