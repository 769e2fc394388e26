// The right pane of a dictionary window: the current record as word-wrapped
// text under bracketed headings in the user's language. It also prints and
// previews that text.
#pragma once

#include <QPlainTextEdit>

#include "platform/view.h"

class QPrinter;

namespace quorbex {

namespace platform {
class UserInterface;
}

class CZorvikDrugView : public QPlainTextEdit, public platform::View {
public:
    explicit CZorvikDrugView(QWidget* parent = nullptr);

    void OnUpdate(platform::View* sender, int hint) override;

    // Prints the rendered record, paginated, to an already set-up printer.
    void PrintTo(QPrinter& printer) const;

    // Prints on the printer of that name, into a PDF file when the name ends
    // in ".pdf", or on the default printer when the name is empty. Tells the
    // user and answers false when there is no such printer.
    bool PrintToPrinter(const QString& printerName);

    void OnFilePrint();
    void OnFilePrintPreview();

private:
    platform::UserInterface* Ui() const;
    void NameOutput(QPrinter& printer) const;
};

}  // namespace quorbex
