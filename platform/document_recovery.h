// Keeps one document's recovery file: a few seconds after each change it
// writes the unsaved state to a file of its own in the recovery folder,
// replacing the previous one only once the new one is complete. The file
// goes when the document is saved or returns to its saved state, and when
// the document closes; a crash leaves it for the next start to offer. A
// lock beside it tells a later start that a running program still owns it.
#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/private_folder.h"
#include "platform/recovery_file.h"

namespace quorbex::platform {

class Document;
class DocumentTemplate;
class UserInterface;

// Why a recovery file could not be written: the folder was refused
// (problem), or the write failed with systemError.
struct RecoveryFailure {
    QString folder;
    FolderCheck check;
};

// Told after each write of a recovery file: nothing when it was written.
using RecoveryReport = std::function<void(const std::optional<RecoveryFailure>&)>;

class DocumentRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int WRITE_DELAY_MS = 3000;

    // Becomes a child of document, and goes with it. A write that fails is
    // told to report and tried again after the same delay.
    DocumentRecovery(Document& document, const QString& folder, int delayMs = WRITE_DELAY_MS,
                     RecoveryReport report = {});
    ~DocumentRecovery() override;

    // Writes the recovery file now if the document is modified; true when
    // it was written.
    bool WriteNow();
    const QString& FilePath() const { return m_path; }

private:
    std::optional<FolderCheck> Write();
    void Remove();

    Document& m_document;
    RecoveryReport m_report;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QTimer m_timer;
};

// Whether a running program owns the recovery file at path. A lock left by a
// program that is gone does not count, and is removed.
bool IsRecoveryFileInUse(const QString& path);

// A recovery file that a program which ended without closing its documents
// left behind.
struct FoundRecovery {
    QString path;
    QDateTime written;
    std::optional<RecoveryData> data;  // nothing when the file is damaged

    // The dictionary it belongs to, as the user knows it: its file, or the
    // title of one never saved (the file's own name when damaged).
    QString Shown() const;
    // When its changes were kept, in the user's words.
    QString When() const;
};

// The recovery files in folder that no running program keeps, oldest
// first. Each is read whole and its document's data tried, so that a
// damaged one is known before the user is asked anything. Nothing when
// folder is not the user's private folder: files that someone else could
// have put there are never offered.
std::vector<FoundRecovery> FindRecoveries(DocumentTemplate& docTemplate, const QString& folder);

// Opens the found changes as a modified document of their file, and removes
// the recovery file once they are kept again; false when they are refused.
bool RestoreRecovery(DocumentTemplate& docTemplate, const FoundRecovery& found);
void DiscardRecovery(const FoundRecovery& found);

// Asks of each found file in turn: restore opens it, discard deletes the
// recovery file, cancel leaves it for the next start. A damaged one is
// called damaged at once, and its deletion offered.
void OfferEachRecovery(UserInterface& ui, DocumentTemplate& docTemplate,
                       const std::vector<FoundRecovery>& found);

}  // namespace quorbex::platform
