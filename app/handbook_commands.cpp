#include "app/handbook_commands.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <array>

#include "document/zorvik_drug_doc.h"
#include "platform/device_file.h"
#include "platform/framework_strings.h"
#include "platform/regular_file.h"
#include "platform/user_interface.h"
#include "resources/strings.h"
#include "store/drug_fields.h"
#include "store/gbk_codec.h"
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

QString OrderText(int sortKey) {
    switch (sortKey) {
        case SORT_BY_TRADE_NAME:
            return Tr(UiText::HandbookOrderTrade);
        case SORT_BY_ENGLISH_NAME:
            return Tr(UiText::HandbookOrderEnglish);
        default:
            return Tr(UiText::HandbookOrderPinyin);
    }
}

// The fields a search mask names, in the order of the search options.
QString SearchedFields(int mask) {
    if ((mask & SEARCH_ALL) != 0) {
        return Tr(UiText::FieldAll);
    }
    const std::array<std::pair<int, UiText>, 7> fields{{
        {SEARCH_TRADE_NAME, UiText::FieldTradeName},
        {SEARCH_PINYIN, UiText::FieldPinyin},
        {SEARCH_OTHER_NAMES, UiText::FieldOtherNames},
        {SEARCH_ENGLISH_NAME, UiText::FieldEnglishName},
        {SEARCH_FUNCTION, UiText::FieldFunction},
        {SEARCH_USAGE, UiText::FieldUsage},
        {SEARCH_CAUTIONS, UiText::FieldCautions},
    }};
    QStringList names;
    for (const auto& [bit, name] : fields) {
        if ((mask & bit) != 0) {
            names.append(Tr(name));
        }
    }
    return names.join(Tr(UiText::HandbookFieldSeparator));
}

// The records of the store in the order of sortKey; with among, only those.
ResultList InOrder(RecordStore& store, int sortKey, const ResultList* among = nullptr) {
    ResultList ordered;
    store.Query(std::string(), ordered, ALL_FIELDS, sortKey);
    if (among != nullptr) {
        std::vector<bool> wanted(store.GetCount() + 1, false);
        for (const std::uint32_t number : *among) {
            wanted[number] = true;
        }
        std::erase_if(ordered, [&wanted](std::uint32_t number) { return !wanted[number]; });
    }
    return ordered;
}

// Writes the handbook into a PDF file titled name, on pages of layout;
// false when the file cannot be written, which leaves one already there as
// it was.
bool WritePdf(const DrugHandbook& handbook, const QString& name, const QString& path,
              const QPageLayout& layout) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    bool printed = false;
    {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(layout);
        pdf.setTitle(name);
        printed = handbook.Print(pdf);
    }
    if (!printed) {
        file.cancelWriting();
    }
    return file.commit();
}

}  // namespace

DrugHandbook HandbookOf(CZorvikDrugDoc& document, bool resultsOnly, const QFont& font) {
    int listOrder = SORT_BY_TRADE_NAME;
    document.GetSortKey(listOrder);
    const int sortKey = listOrder == SORT_BY_ENGLISH_NAME ? SORT_BY_ENGLISH_NAME : SORT_BY_PINYIN;
    RecordStore& store = document.GetStore();
    QStringList details;
    if (resultsOnly) {
        const std::string& pattern = document.GetSearchPattern();
        if (pattern.empty()) {
            details.append(Tr(UiText::HandbookEveryResult));
        } else {
            details.append(
                Tr(UiText::HandbookQuery).arg(QString::fromStdString(GbkToUtf8(pattern))));
            details.append(
                Tr(UiText::HandbookSearched).arg(SearchedFields(document.GetSearchedMask())));
        }
    }
    details.append(OrderText(sortKey));
    const ResultList order =
        InOrder(store, sortKey, resultsOnly ? &document.GetResultList() : nullptr);
    return DrugHandbook(DictionaryName(document.GetPathName(), document.GetTitle()),
                        QDate::currentDate(), details, ReadRecords(store, order), font);
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
            if (path && !WritePdf(handbook, name, *path, printer.pageLayout())) {
                ui.MessageBox(Tr(UiText::CannotWritePdf).arg(*path), Tr(UiText::PrintCaption),
                              QMessageBox::Critical);
            }
            break;
        }
    }
}

bool WriteHandbookPdf(const QString& dictionary, const QString& out, int sortKey, QString& error) {
    QFile file;
    const QString failure = platform::OpenRegularFile(dictionary, file);
    if (!failure.isEmpty()) {
        error = platform::Tr(platform::FrameworkText::CannotOpen).arg(dictionary, failure);
        return false;
    }
    RecordStore store;
    platform::DeviceFile deviceFile(file);
    if (!store.LoadFromFile(deviceFile)) {
        error = Tr(UiText::NotADictionary);
        return false;
    }
    const QString name = QFileInfo(dictionary).completeBaseName();
    const DrugHandbook handbook(name, QDate::currentDate(), {OrderText(sortKey)},
                                ReadRecords(store, InOrder(store, sortKey)), QApplication::font());
    if (!WritePdf(handbook, name, out, DefaultPageLayout())) {
        error = Tr(UiText::CannotWritePdf).arg(out);
        return false;
    }
    return true;
}

}  // namespace quorbex
