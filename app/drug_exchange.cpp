#include "app/drug_exchange.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sstream>

#include "csv/drug_csv.h"
#include "dialogs/export_dialog.h"
#include "dialogs/import_dialog.h"
#include "document/zorvik_drug_doc.h"
#include "platform/document_template.h"
#include "platform/regular_file.h"
#include "platform/shown_name.h"
#include "platform/user_interface.h"
#include "resources/strings.h"

namespace quorbex {

namespace {

constexpr char UTF8_BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";

// The faults shown, then how many more there were, one per line.
QString FaultLines(const csv::FaultList& faults) {
    QStringList lines;
    for (const csv::CsvFault& fault : faults.Shown()) {
        lines.append(QString::fromStdString(csv::DescribeFault(fault)));
    }
    if (faults.NotShown() > 0) {
        lines.append(Tr(UiText::MoreFaults).arg(faults.NotShown()));
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

void ImportDrugs(platform::UserInterface& ui, platform::DocumentTemplate& docTemplate,
                 CZorvikDrugDoc* open, QWidget* parent) {
    ImportDialog dialog(open != nullptr, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QString path = dialog.Path();
    QFile file;
    const QString failure = platform::OpenRegularFile(path, file);
    if (!failure.isEmpty()) {
        ui.MessageBox(
            Tr(UiText::NotAFile).arg(platform::ShownName(path)) + QStringLiteral("\n\n") + failure,
            Tr(UiText::ImportCaption), QMessageBox::Critical);
        return;
    }
    ui.BeginWaitCursor();
    csv::DrugCsvReading reading = csv::ReadDrugCsv(
        [&file](char* buffer, std::size_t count) {
            const qint64 got = file.read(buffer, static_cast<qint64>(count));
            return got > 0 ? static_cast<std::size_t>(got) : std::size_t{0};
        },
        [&file] { file.seek(0); }, dialog.Encoding(), {}, dialog.Formulas());
    ui.EndWaitCursor();
    if (!reading.faults.Empty()) {
        ui.MessageBox(Tr(UiText::ImportFaults).arg(platform::ShownName(path)) +
                          QStringLiteral("\n\n") + FaultLines(reading.faults) +
                          QStringLiteral("\n\n") + Tr(UiText::NothingImported),
                      Tr(UiText::ImportCaption), QMessageBox::Critical);
        return;
    }

    CZorvikDrugDoc* target = dialog.AppendToOpenDictionary() ? open : nullptr;
    if (target == nullptr) {
        target = dynamic_cast<CZorvikDrugDoc*>(docTemplate.OpenDocumentFile(QString()));
        if (target == nullptr) {
            return;
        }
    }
    if (!target->AppendRecords(reading.records)) {
        ui.MessageBox(Tr(UiText::ImportTooMany)
                          .arg(reading.records.size())
                          .arg(DICT_MAX_RECORDS - target->GetStore().GetCount()),
                      Tr(UiText::ImportCaption), QMessageBox::Critical);
    }
}

void ExportDrugs(platform::UserInterface& ui, CZorvikDrugDoc& document, bool resultsOnly,
                 QWidget* parent) {
    const std::vector<DrugFields> records =
        resultsOnly ? ReadRecords(document.GetStore(), document.GetResultList())
                    : AllRecords(document.GetStore());
    const csv::FaultList faults = csv::UnconvertibleFields(records);
    if (!faults.Empty()) {
        ui.MessageBox(Tr(UiText::ExportFaults) + QStringLiteral("\n\n") + FaultLines(faults),
                      Tr(UiText::ExportCaption), QMessageBox::Critical);
        return;
    }
    const QString dictionary = document.GetPathName();
    const QString suggested =
        dictionary.isEmpty()
            ? document.GetTitle() + QStringLiteral(".csv")
            : QFileInfo(dictionary)
                  .dir()
                  .filePath(QFileInfo(dictionary).completeBaseName() + QStringLiteral(".csv"));
    ExportDialog dialog(suggested, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QString path = dialog.Path();
    if (QFileInfo::exists(path) &&
        ui.MessageBox(
            Tr(UiText::ReplaceQuestion).arg(platform::ShownName(QDir::toNativeSeparators(path))),
            Tr(UiText::ExportCaption), QMessageBox::Question,
            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    std::ostringstream text;
    text << UTF8_BYTE_ORDER_MARK;
    csv::WriteDrugCsv(records, text, dialog.Formulas());
    const std::string bytes = text.str();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        ui.MessageBox(Tr(UiText::CannotWriteFile).arg(platform::ShownName(path)),
                      Tr(UiText::ExportCaption), QMessageBox::Critical);
    }
}

}  // namespace quorbex
