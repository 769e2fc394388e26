#include "views/zorvik_drug_view.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

#include "document/update_hints.h"
#include "document/zorvik_drug_doc.h"
#include "platform/document.h"
#include "platform/message_box.h"
#include "platform/user_interface.h"
#include "resources/strings.h"
#include "store/drug_fields.h"
#include "store/gbk_codec.h"
#include "views/drug_handbook.h"
#include "views/record_text.h"
#include "views/shared_printer.h"

namespace quorbex {

CZorvikDrugView::CZorvikDrugView(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CZorvikDrugView::OnUpdate(platform::View*, int hint) {
    auto* document = dynamic_cast<CZorvikDrugDoc*>(GetDocument());
    if ((hint & HINT_TEXT) == 0 || document == nullptr) {
        return;
    }
    setPlainText(RecordViewText(document->GetCurrentStrings()));
}

void CZorvikDrugView::PrintTo(QPrinter& printer) const {
    std::unique_ptr<QTextDocument> printed(document()->clone());
    printed->setDefaultFont(font());
    printed->print(&printer);
}

platform::UserInterface* CZorvikDrugView::Ui() const {
    return GetDocument() != nullptr ? &GetDocument()->Ui() : nullptr;
}

// A PDF is titled after the dictionary; where there is no printer to print
// on, the file a print goes to is offered beside the dictionary, named after it.
void CZorvikDrugView::NameOutput(QPrinter& printer) const {
    const platform::Document* document = GetDocument();
    if (document == nullptr) {
        return;
    }
    const QString name = document->GetPathName().isEmpty()
                             ? document->GetTitle()
                             : QFileInfo(document->GetPathName()).completeBaseName();
    printer.setDocName(name);
    if (QPrinterInfo::defaultPrinter().isNull()) {
        printer.setOutputFileName(DefaultPdfPath(document->GetPathName(), name));
    }
}

void CZorvikDrugView::OnFilePrint() {
    QPrinter& printer = SharedPrinter();
    NameOutput(printer);
    QPrintDialog dialog(&printer, window());
    dialog.setWindowTitle(Tr(UiText::PrintTitle));
    if (dialog.exec() == QDialog::Accepted) {
        PrintTo(printer);
    }
}

bool CZorvikDrugView::PrintToPrinter(const QString& printerName) {
    if (printerName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        NameOutput(pdf);
        pdf.setOutputFileName(printerName);
        PrintTo(pdf);
        if (QFileInfo(printerName).size() > 0) {
            return true;
        }
        if (platform::UserInterface* ui = Ui()) {
            ui->MessageBox(Tr(UiText::CannotWritePdf).arg(printerName), Tr(UiText::PrintCaption),
                           platform::MB_ICONERROR);
        }
        return false;
    }
    const QPrinterInfo target = printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                      : QPrinterInfo::printerInfo(printerName);
    if (target.isNull()) {
        if (platform::UserInterface* ui = Ui()) {
            ui->MessageBox(printerName.isEmpty() ? Tr(UiText::NoDefaultPrinter)
                                                 : Tr(UiText::PrinterNotFound).arg(printerName),
                           Tr(UiText::PrintCaption), platform::MB_ICONERROR);
        }
        return false;
    }
    QPrinter& printer = SharedPrinter();
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(target.printerName());
    PrintTo(printer);
    return true;
}

void CZorvikDrugView::OnFilePrintPreview() {
    NameOutput(SharedPrinter());
    QPrintPreviewDialog preview(&SharedPrinter(), window());
    preview.setWindowTitle(Tr(UiText::PrintPreviewTitle));
    // Large enough to read a page of the record at once.
    preview.resize(window()->size() * 0.85);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintTo(*target); });
    preview.exec();
}

}  // namespace quorbex
