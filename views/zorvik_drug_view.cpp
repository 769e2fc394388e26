#include "views/zorvik_drug_view.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusTipEvent>
#include <QTextCursor>
#include <QTextDocument>

#include "document/zorvik_drug_doc.h"
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

CZorvikDrugView::CZorvikDrugView(CZorvikDrugDoc& document, QWidget* parent)
    : QPlainTextEdit(parent), m_document(document) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(&document, &CZorvikDrugDoc::currentChanged, this, &CZorvikDrugView::Render);
    connect(this->document(), &QTextDocument::contentsChanged, this,
            &CZorvikDrugView::OnTextEdited);
}

void CZorvikDrugView::Render() {
    const DrugFields& record = m_document.GetCurrentStrings();
    FieldStarts starts;
    const std::string text = RecordViewUtf8(record, starts);
    m_rendering = true;
    setPlainText(ShownText(text.data(), text.size()));
    m_rendering = false;
    m_editNoticeShown = false;

    // The marks lie beside the text, not in it: they are neither copied nor
    // printed.
    QList<QTextEdit::ExtraSelection> marks;
    const std::vector<MatchRange> ranges =
        m_document.IsQuickSearch()
            ? FindQuickMatchRanges(record, m_document.GetSearchPattern(),
                                   m_document.GetSearchedMask())
            : FindMatchRanges(record, m_document.GetSearchPattern(), m_document.GetSearchedMask());
    for (const MatchRange& range : ranges) {
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

// The status tip travels up to the main window, which shows it in its status
// bar until the next prompt.
void CZorvikDrugView::OnTextEdited() {
    if (m_rendering || m_editNoticeShown) {
        return;
    }
    m_editNoticeShown = true;
    QStatusTipEvent notice(Tr(UiText::RecordEditsNotKept));
    QCoreApplication::sendEvent(this, &notice);
}

void CZorvikDrugView::PrintTo(QPrinter& printer) const {
    // The document's name titles the print job and a PDF's document.
    printer.setDocName(m_document.GetTitle());
    std::unique_ptr<QTextDocument> printed(document()->clone());
    printed->setDefaultFont(font());
    printed->print(&printer);
}

// A PDF is titled after the dictionary; where there is no printer to print
// on, the file a print goes to is offered beside the dictionary, named after it.
void CZorvikDrugView::NameOutput(QPrinter& printer) const {
    const QString name = m_document.GetPathName().isEmpty()
                             ? m_document.GetTitle()
                             : QFileInfo(m_document.GetPathName()).completeBaseName();
    printer.setDocName(name);
    if (QPrinterInfo::defaultPrinter().isNull()) {
        printer.setOutputFileName(DefaultPdfPath(m_document.GetPathName(), name));
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
        m_document.Ui().MessageBox(Tr(UiText::CannotWritePdf).arg(printerName),
                                   Tr(UiText::PrintCaption), QMessageBox::Critical);
        return false;
    }
    const QPrinterInfo target = printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                      : QPrinterInfo::printerInfo(printerName);
    if (target.isNull()) {
        m_document.Ui().MessageBox(printerName.isEmpty()
                                       ? Tr(UiText::NoDefaultPrinter)
                                       : Tr(UiText::PrinterNotFound).arg(printerName),
                                   Tr(UiText::PrintCaption), QMessageBox::Critical);
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
