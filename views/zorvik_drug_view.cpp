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
#include "store/drug_fields.h"
#include "store/gbk_codec.h"
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
    // The edit box keeps its own line breaks; each "\r\n" is one of them.
    const QString text =
        QString::fromStdString(GbkToUtf8(RenderRecordText(document->GetCurrentStrings())))
            .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(text);
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
    dialog.setWindowTitle(QStringLiteral("打印"));
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
            ui->MessageBox(QStringLiteral("无法写入文件“%1”,没有打印。").arg(printerName),
                           QStringLiteral("打印..."), platform::MB_ICONERROR);
        }
        return false;
    }
    const QPrinterInfo target = printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                      : QPrinterInfo::printerInfo(printerName);
    if (target.isNull()) {
        if (platform::UserInterface* ui = Ui()) {
            ui->MessageBox(printerName.isEmpty()
                               ? QStringLiteral("没有找到默认打印机,无法直接打印。\n"
                                                "请先在系统中安装并设定打印机。")
                               : QStringLiteral("找不到打印机“%1”,无法打印。").arg(printerName),
                           QStringLiteral("打印..."), platform::MB_ICONERROR);
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
    preview.setWindowTitle(QStringLiteral("打印预览"));
    // Large enough to read a page of the record at once.
    preview.resize(window()->size() * 0.85);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintTo(*target); });
    preview.exec();
}

}  // namespace quorbex
