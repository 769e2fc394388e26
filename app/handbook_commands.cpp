#include "app/handbook_commands.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "document/zorvik_drug_doc.h"
#include "platform/device_file.h"
#include "platform/framework_strings.h"
#include "platform/user_interface.h"
#include "resources/strings.h"
#include "store/drug_fields.h"
#include "views/drug_handbook.h"
#include "views/shared_printer.h"

namespace quorbex {

namespace {

// Every field searched: the empty pattern then lists every record.
constexpr int ALL_FIELDS = -1;

// A dictionary's name: its file's name without the extension, or the title
// of one never saved.
QString DictionaryName(const QString& path, const QString& title) {
    return path.isEmpty() ? title : QFileInfo(path).completeBaseName();
}

DrugHandbook Handbook(RecordStore& store, const ResultList& order, const QString& name,
                      const QFont& font) {
    return DrugHandbook(name, QDate::currentDate(), ReadRecords(store, order), font);
}

// The PDF's title is the dictionary's name.
void WritePdf(const DrugHandbook& handbook, const QString& name, const QString& path) {
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setDocName(name);
    handbook.Print(pdf);
}

}  // namespace

DrugHandbook HandbookOf(CZorvikDrugDoc& document, bool resultsOnly, const QFont& font) {
    RecordStore& store = document.GetStore();
    ResultList order = document.GetResultList();
    if (!resultsOnly) {
        int sortKey = SORT_BY_TRADE_NAME;
        document.GetSortKey(sortKey);
        order.clear();
        store.Query(std::string(), order, ALL_FIELDS, sortKey);
    }
    return Handbook(store, order, DictionaryName(document.GetPathName(), document.GetTitle()),
                    font);
}

void OutputHandbook(platform::UserInterface& ui, CZorvikDrugDoc& document, HandbookOutput output,
                    bool resultsOnly, const QFont& font, QWidget* parent) {
    const DrugHandbook handbook = HandbookOf(document, resultsOnly, font);
    const QString name = DictionaryName(document.GetPathName(), document.GetTitle());
    QPrinter& printer = SharedPrinter();
    printer.setDocName(name);
    switch (output) {
        case HandbookOutput::Print: {
            QPrintDialog dialog(&printer, parent);
            dialog.setWindowTitle(Tr(UiText::PrintTitle));
            if (dialog.exec() == QDialog::Accepted) {
                handbook.Print(printer);
            }
            break;
        }
        case HandbookOutput::Preview: {
            QPrintPreviewDialog preview(&printer, parent);
            preview.setWindowTitle(Tr(UiText::PrintPreviewTitle));
            if (parent != nullptr) {
                preview.resize(parent->window()->size() * 0.85);
            }
            QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                             [&handbook](QPrinter* target) { handbook.Print(*target); });
            preview.exec();
            break;
        }
        case HandbookOutput::Pdf: {
            const std::optional<QString> path = ui.PromptSaveFileName(
                DefaultPdfPath(document.GetPathName(), name), Tr(UiText::PdfFilter));
            if (!path) {
                return;
            }
            WritePdf(handbook, name, *path);
            if (QFileInfo(*path).size() == 0) {
                ui.MessageBox(Tr(UiText::CannotWritePdf).arg(*path), Tr(UiText::PrintCaption),
                              QMessageBox::Critical);
            }
            break;
        }
    }
}

bool WriteHandbookPdf(const QString& dictionary, const QString& out, QString& error) {
    QFile file(dictionary);
    if (!file.open(QIODevice::ReadOnly)) {
        error = platform::Tr(platform::FrameworkText::CannotOpen)
                    .arg(dictionary, platform::DescribeFileError(file));
        return false;
    }
    RecordStore store;
    platform::DeviceFile deviceFile(file);
    if (!store.LoadFromFile(deviceFile)) {
        error = Tr(UiText::NotADictionary);
        return false;
    }
    ResultList order;
    store.Query(std::string(), order, ALL_FIELDS, SORT_BY_TRADE_NAME);
    const QString name = QFileInfo(dictionary).completeBaseName();
    WritePdf(Handbook(store, order, name, QApplication::font()), name, out);
    if (QFileInfo(out).size() == 0) {
        error = Tr(UiText::CannotWritePdf).arg(out);
        return false;
    }
    return true;
}

}  // namespace quorbex
