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
#include "views/shared_printer.h"

namespace quorbex {

namespace {

std::string Utf8(UiText heading) {
    return Tr(heading).toStdString();
}

// The background of the places where the last search matched.
const QColor MATCH_MARK(255, 225, 60);

// The record under the headings of the user's language, UTF-8 with "\r\n"
// line breaks, and where each field begins in it. Each field is turned into
// UTF-8 on its own, as the headings may hold characters GBK cannot.
std::string RecordText(const DrugFields& record, FieldStarts& starts) {
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
    return RenderRecordText(shown, headings, starts);
}

// The edit box keeps its own line breaks; each "\r\n" is one of them.
QString Shown(const char* utf8, std::size_t size) {
    return QString::fromUtf8(utf8, static_cast<qsizetype>(size))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
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
    const DrugFields& record = document->GetCurrentStrings();
    FieldStarts starts;
    const std::string text = RecordText(record, starts);
    setPlainText(Shown(text.data(), text.size()));

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
                Shown(text.data(), start + GbkToUtf8(field.substr(0, end)).size()).size());
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
