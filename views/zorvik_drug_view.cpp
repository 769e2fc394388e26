#include "views/zorvik_drug_view.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextCursor>
#include <QTextDocument>

#include "document/update_hints.h"
#include "document/zorvik_drug_doc.h"
#include "platform/document.h"
#include "platform/message_box.h"
#include "platform/user_interface.h"
#include "resources/strings.h"
#include "store/drug_fields.h"
#include "store/gbk_codec.h"
#include "store/match_ranges.h"
#include "views/drug_handbook.h"
#include "views/record_text.h"
#include "views/shared_printer.h"

namespace quorbex {

namespace {

// The background of the places where the last search matched.
const QColor MATCH_MARK(255, 225, 60);

}  // namespace

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
    const DrugFields& record = document->GetCurrentStrings();
    FieldStarts starts;
    const std::string text = RecordViewUtf8(record, starts);
    setPlainText(ShownText(text.data(), text.size()));

    // The marks lie beside the text, not in it: they are neither copied nor
    // printed.
    QList<QTextEdit::ExtraSelection> marks;
    for (const MatchRange& range :
         FindMatchRanges(record, document->GetSearchPattern(), document->GetSearchedMask())) {
        const std::size_t start = starts[static_cast<std::size_t>(range.field)];
        if (start == std::string::npos) {
            continue;  // the pinyin initials are not shown
        }
        const std::string& field = record[range.field];
        // Both ends lie between whole characters, so the prefixes convert as
        // the whole field did.
        const auto position = [&](std::size_t end) {
            return static_cast<int>(
                ShownText(text.data(), start + GbkToUtf8(field.substr(0, end)).size()).size());
        };
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(this->document());
        mark.cursor.setPosition(position(range.begin));
        mark.cursor.setPosition(position(range.end), QTextCursor::KeepAnchor);
        mark.format.setBackground(MATCH_MARK);
        marks.append(mark);
    }
    setExtraSelections(marks);
}

void CZorvikDrugView::PrintTo(QPrinter& printer) const {
    // The document's name titles the print job and a PDF's document.
    if (const platform::Document* owner = GetDocument()) {
        printer.setDocName(owner->GetTitle());
    }
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
