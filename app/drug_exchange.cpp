#include "app/drug_exchange.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <map>
#include <sstream>

#include "app/import_faults.h"
#include "csv/drug_csv.h"
#include "dialogs/export_dialog.h"
#include "dialogs/import_dialog.h"
#include "document/zorvik_drug_doc.h"
#include "platform/document_template.h"
#include "platform/gbk_text.h"
#include "platform/regular_file.h"
#include "platform/shown_name.h"
#include "platform/user_interface.h"
#include "resources/strings.h"
#include "store/pinyin.h"

namespace quorbex {

namespace {

constexpr char UTF8_BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";

// What identifies a drug when a list is imported: its trade name, or its
// English name when it has none.
std::string DrugKey(const DrugFields& drug) {
    return drug.tradeName.empty() ? "\x01" + drug.englishName : drug.tradeName;
}

bool HasName(const DrugFields& drug) {
    return !drug.tradeName.empty() || !drug.englishName.empty();
}

// The drugs of the list that the dictionary already has, by the number of
// the record each would replace; the others are to be appended.
struct SortedImport {
    std::vector<std::pair<std::uint32_t, DrugFields>> known;
    std::vector<DrugFields> unknown;
};

SortedImport SortByKnown(RecordStore& store, const std::vector<DrugFields>& records) {
    std::map<std::string, std::uint32_t> numbers;
    const std::vector<DrugFields> stored = AllRecords(store);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (HasName(stored[i])) {
            numbers.emplace(DrugKey(stored[i]), static_cast<std::uint32_t>(i + 1));
        }
    }
    SortedImport sorted;
    for (const DrugFields& record : records) {
        const auto found = numbers.find(DrugKey(record));
        if (found != numbers.end()) {
            sorted.known.emplace_back(found->second, record);
        } else {
            sorted.unknown.push_back(record);
        }
    }
    return sorted;
}

QString NameList(const std::vector<std::pair<std::uint32_t, DrugFields>>& drugs) {
    constexpr std::size_t MOST_NAMED = 10;
    QStringList names;
    for (std::size_t i = 0; i < drugs.size() && i < MOST_NAMED; ++i) {
        const DrugFields& drug = drugs[i].second;
        names.append(platform::FromGbk(drug.tradeName.empty() ? drug.englishName : drug.tradeName));
    }
    if (drugs.size() > MOST_NAMED) {
        names.append(QStringLiteral("\u2026"));
    }
    return names.join(Tr(UiText::HandbookFieldSeparator));
}

void FillPinyin(std::vector<DrugFields>& records) {
    for (DrugFields& record : records) {
        if (record.pinyinInitials.empty()) {
            record.pinyinInitials =
                pinyin::Initials(record.tradeName, LayoutOf(Field::PinyinInitials).limit);
        }
    }
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
        [&file] { file.seek(0); }, dialog.Encoding(), dialog.Columns(), dialog.Formulas());
    ui.EndWaitCursor();
    if (!reading.faults.Empty()) {
        ui.MessageBox(Tr(UiText::ImportFaults).arg(platform::ShownName(path)) +
                          QStringLiteral("\n\n") + FaultLines(reading.faults) +
                          QStringLiteral("\n\n") + Tr(UiText::NothingImported),
                      Tr(UiText::ImportCaption), QMessageBox::Critical);
        return;
    }

    if (dialog.FillPinyin()) {
        FillPinyin(reading.records);
    }
    std::vector<QString> warnings;
    for (const csv::CsvFault& warning : reading.warnings) {
        warnings.push_back(DescribeImportFault(warning));
    }
    std::size_t imported = reading.records.size();

    if (dialog.AppendToOpenDictionary() && open != nullptr) {
        SortedImport sorted = SortByKnown(open->GetStore(), reading.records);
        const DuplicateDrugs rule = dialog.Duplicates();
        if (!sorted.known.empty()) {
            const UiText outcome = rule == DuplicateDrugs::Skip ? UiText::DuplicatesWillSkip
                                   : rule == DuplicateDrugs::Replace
                                       ? UiText::DuplicatesWillReplace
                                       : UiText::DuplicatesWillKeepBoth;
            if (ui.MessageBox(Tr(UiText::DuplicatesFound)
                                  .arg(sorted.known.size())
                                  .arg(NameList(sorted.known), Tr(outcome)),
                              Tr(UiText::ImportCaption), QMessageBox::Question,
                              QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok) {
                return;
            }
        }
        std::vector<std::pair<std::uint32_t, DrugFields>> replacements;
        if (rule == DuplicateDrugs::Replace) {
            replacements = std::move(sorted.known);
        } else if (rule == DuplicateDrugs::KeepBoth) {
            sorted.unknown = std::move(reading.records);
        }
        imported = replacements.size() + sorted.unknown.size();
        if (!open->ReplaceAndAppend(replacements, sorted.unknown)) {
            ui.MessageBox(Tr(UiText::ImportTooMany)
                              .arg(sorted.unknown.size())
                              .arg(DICT_MAX_RECORDS - open->GetStore().GetCount()),
                          Tr(UiText::ImportCaption), QMessageBox::Critical);
            return;
        }
    } else {
        auto* created = dynamic_cast<CZorvikDrugDoc*>(docTemplate.OpenDocumentFile(QString()));
        if (created == nullptr) {
            return;
        }
        // The new dictionary takes the list's name, which its first save offers.
        created->SetTitle(QFileInfo(path).completeBaseName());
        created->AppendRecords(reading.records);
    }
    if (!warnings.empty()) {
        ui.MessageBox(Tr(UiText::ImportDone).arg(imported) + QStringLiteral("\n\n") +
                          QStringList(warnings.begin(), warnings.end()).join(QLatin1Char('\n')),
                      Tr(UiText::ImportCaption), QMessageBox::Information);
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
