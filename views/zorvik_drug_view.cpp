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
#include "views/shared_printer.h"

namespace quorbex {

namespace {

std::string Utf8(UiText heading) {
    return Tr(heading).toStdString();
}

// The record under the headings of the user's language. Each field is turned
// into UTF-8 on its own, as the headings may hold characters GBK cannot.
QString RecordText(const DrugFields& record) {
    const DrugFields shown{
        .tradeName = GbkToUtf8(record.tradeName),
        .pinyinInitials = GbkToUtf8(record.pinyinInitials),
        .englishName = GbkToUtf8(record.englishName),
        .otherNames = GbkToUtf8(record.otherNames),
        .function = GbkToUtf8(record.function),
        .usage = GbkToUtf8(record.usage),
        .cautions = GbkToUtf8(record.cautions),
    };
    const RecordHeadings headings{
        .tradeName = Utf8(UiText::HeadingTradeName),
        .englishName = Utf8(UiText::HeadingEnglishName),
        .function = Utf8(UiText::HeadingFunction),
        .usage = Utf8(UiText::HeadingUsage),
        .cautions = Utf8(UiText::HeadingCautions),
    };
    return QString::fromStdString(RenderRecordText(shown, headings));
}

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
    // The edit box keeps its own line breaks; each "\r\n" is one of them.
    setPlainText(RecordText(document->GetCurrentStrings())
                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void CZorvikDrugView::PrintTo(QPrinter& printer) const {
    std::unique_ptr<QTextDocument> printed(document()->clone());
    printed->setDefaultFont(font());
    printed->print(&printer);
}

platform::UserInterface* CZorvikDrugView::Ui() const {
    return GetDocument() != nullptr ? &GetDocument()->Ui() : nullptr;
}

void CZorvikDrugView::OnFilePrint() {
    QPrinter& printer = SharedPrinter();
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
    QPrintPreviewDialog preview(&SharedPrinter(), window());
    preview.setWindowTitle(Tr(UiText::PrintPreviewTitle));
    // Large enough to read a page of the record at once.
    preview.resize(window()->size() * 0.85);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintTo(*target); });
    preview.exec();
}

}  // namespace quorbex
