#include "document/shared_file_commands.h"

#include <QFileInfo>
#include <algorithm>

#include "document/zorvik_drug_doc.h"
#include "platform/framework_strings.h"
#include "platform/memory_image.h"
#include "platform/regular_file.h"
#include "platform/user_interface.h"
#include "resources/strings.h"

namespace quorbex {

namespace {

// The records of a dictionary file's bytes; an empty file is an empty
// dictionary, as an open takes it. Nothing when the bytes are no dictionary.
std::optional<std::vector<RecordBytes>> RecordsOf(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return std::vector<RecordBytes>();
    }
    RecordStore store;
    platform::ByteArrayFile file(bytes);
    if (!store.LoadFromFile(file)) {
        return std::nullopt;
    }
    return store.GetRecords();
}

// The fewest records that the merge can give, whatever the user settles: a
// record in conflict over a deletion may go.
std::size_t FewestRecords(const RecordMerge& merge) {
    const auto deletions = std::count_if(
        merge.conflicts.begin(), merge.conflicts.end(),
        [](const MergeConflict& conflict) { return conflict.kind != ConflictKind::ChangedOnBoth; });
    return merge.records.size() - static_cast<std::size_t>(deletions);
}

}  // namespace

SharedFileCommands::SharedFileCommands(CZorvikDrugDoc& document, platform::UserInterface& ui,
                                       ConflictPromptFactory createConflictPrompt)
    : m_document(document), m_ui(ui), m_createConflictPrompt(std::move(createConflictPrompt)) {
    m_document.SetChangedOnDiskHandler([this] { return OnSaveOverChange(); });
}

SharedFileCommands::Asking::Asking(SharedFileCommands& commands) : m_commands(commands) {
    ++m_commands.m_busy;
}

SharedFileCommands::Asking::~Asking() {
    if (--m_commands.m_busy == 0) {
        emit m_commands.idle();
    }
}

SharedFileCommands::~SharedFileCommands() {
    m_document.SetChangedOnDiskHandler({});
}

QString SharedFileCommands::FileName() const {
    return QFileInfo(m_document.GetPathName()).fileName();
}

bool SharedFileCommands::ReloadUnmodified() {
    const platform::FileContents contents = platform::ReadRegularFile(m_document.GetPathName());
    if (!contents.bytes || !m_document.Reload(*contents.bytes)) {
        return false;
    }
    emit statusMessage(Tr(UiText::ReloadedFromDisk).arg(FileName()));
    return true;
}

bool SharedFileCommands::ReloadDiscardingMine() {
    const Asking asking(*this);
    if (m_document.IsModified() &&
        m_ui.MessageBox(Tr(UiText::ReloadQuestion).arg(FileName()), QString(), QMessageBox::Warning,
                        QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return false;
    }
    const platform::FileContents contents = platform::ReadRegularFile(m_document.GetPathName());
    if (!contents.bytes) {
        m_ui.MessageBox(
            platform::Tr(platform::FrameworkText::CannotOpen).arg(FileName(), contents.failure),
            QString(), QMessageBox::Warning);
        return false;
    }
    if (!m_document.Reload(*contents.bytes)) {
        m_ui.MessageBox(Tr(UiText::NotADictionary), Tr(UiText::OpenErrorCaption),
                        QMessageBox::Critical);
        return false;
    }
    emit statusMessage(Tr(UiText::ReloadedFromDisk).arg(FileName()));
    return true;
}

bool SharedFileCommands::MergeFromDisk() {
    const Asking asking(*this);
    const std::optional<QByteArray> theirs = ReadDictionary(m_document.GetPathName());
    if (!theirs || !Merge(m_document.DiskBytes(), *theirs, FileName())) {
        return false;
    }
    // The file as it now stands is what the next merge starts from; when
    // the merge gave its records, there is nothing left to save.
    const bool same = RecordsOf(*theirs) == m_document.GetStore().GetRecords();
    m_document.AdoptDiskBytes(*theirs);
    if (same) {
        m_document.SetModifiedFlag(false);
    }
    return true;
}

bool SharedFileCommands::MergeFile(const QString& path) {
    const Asking asking(*this);
    const std::optional<QByteArray> theirs = ReadDictionary(path);
    return theirs && Merge(std::nullopt, *theirs, QFileInfo(path).fileName());
}

bool SharedFileCommands::OnSaveOverChange() {
    const Asking asking(*this);
    enum Choice { MergeMine, Reload, KeepMine, Cancel };
    const int choice =
        m_ui.Choose(Tr(UiText::SaveOverChangeQuestion).arg(FileName()), QMessageBox::Warning,
                    {Tr(UiText::MergeChoice), Tr(UiText::ReloadChoice), Tr(UiText::KeepMineChoice),
                     Tr(UiText::CancelChoice)},
                    MergeMine, Cancel);
    switch (choice) {
        case MergeMine:
            return MergeFromDisk();
        case Reload:
            ReloadDiscardingMine();
            return false;
        case KeepMine:
            return true;
        default:
            return false;
    }
}

std::optional<QByteArray> SharedFileCommands::ReadDictionary(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    platform::FileContents contents = platform::ReadRegularFile(path);
    if (!contents.bytes) {
        m_ui.MessageBox(Tr(UiText::MergeCannotRead).arg(name, contents.failure), QString(),
                        QMessageBox::Warning);
        return std::nullopt;
    }
    if (!RecordsOf(*contents.bytes)) {
        m_ui.MessageBox(Tr(UiText::MergeNotADictionary).arg(name), QString(), QMessageBox::Warning);
        return std::nullopt;
    }
    return std::move(contents.bytes);
}

bool SharedFileCommands::Merge(const std::optional<QByteArray>& base, const QByteArray& theirs,
                               const QString& theirsName) {
    const std::vector<RecordBytes> ours = m_document.GetStore().GetRecords();
    const std::vector<RecordBytes> theirsRecords = RecordsOf(theirs).value_or(ours);
    const std::optional<std::vector<RecordBytes>> baseRecords =
        base ? RecordsOf(*base) : std::nullopt;
    const RecordMerge merge = baseRecords ? MergeRecords(*baseRecords, ours, theirsRecords)
                                          : MergeRecordsWithoutBase(ours, theirsRecords);
    const auto refuse = [this](std::size_t count) {
        m_ui.MessageBox(Tr(UiText::MergeTooLarge).arg(count), QString(), QMessageBox::Warning);
        return false;
    };
    // Settling conflicts cannot make a result that is too large fit.
    if (FewestRecords(merge) > DICT_MAX_RECORDS) {
        return refuse(FewestRecords(merge));
    }
    std::vector<RecordBytes> result;
    if (merge.Clean()) {
        result = Resolve(merge, Side::Ours);
    } else {
        const std::unique_ptr<ConflictPrompt> prompt = m_createConflictPrompt();
        const std::optional<std::vector<ConflictResolution>> settled =
            prompt ? prompt->Settle(merge.conflicts) : std::nullopt;
        if (!settled || settled->size() != merge.conflicts.size()) {
            return false;
        }
        result = Resolve(merge, *settled);
    }
    if (result.size() > DICT_MAX_RECORDS) {
        return refuse(result.size());
    }
    if (result == ours) {
        emit statusMessage(Tr(UiText::NothingToMerge).arg(theirsName));
        return true;
    }
    if (!m_document.ReplaceAllRecords(result)) {
        return refuse(result.size());
    }
    emit statusMessage(Tr(UiText::MergedChanges).arg(theirsName));
    return true;
}

}  // namespace quorbex
