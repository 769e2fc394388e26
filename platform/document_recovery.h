// Keeps one document's recovery file: a few seconds after each change it
// writes the unsaved state to a file of its own in the recovery folder,
// replacing the previous one only once the new one is complete. The file
// goes when the document is saved or returns to its saved state, and when
// the document closes; a crash leaves it for the next start to offer. A
// lock beside it tells a later start that a running program still owns it.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

namespace quorbex::platform {

class Document;
class DocumentTemplate;
class UserInterface;

class DocumentRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int WRITE_DELAY_MS = 3000;

    // Becomes a child of document, and goes with it.
    DocumentRecovery(Document& document, const QString& folder, int delayMs = WRITE_DELAY_MS);
    ~DocumentRecovery() override;

    // Writes the recovery file now if the document is modified; true when
    // it was written.
    bool WriteNow();
    const QString& FilePath() const { return m_path; }

private:
    void Remove();

    Document& m_document;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QTimer m_timer;
};

// Whether a running program owns the recovery file at path. A lock left by a
// program that is gone does not count, and is removed.
bool IsRecoveryFileInUse(const QString& path);

// Offers, one by one, to restore the unsaved changes that a program which
// ended without closing its documents left in the recovery files of folder:
// restore opens each as a modified document of its file, discard deletes the
// recovery file, cancel leaves it for the next start. Files that a running
// program still keeps are passed over; a damaged one is refused, and its
// deletion offered.
void OfferRecovery(UserInterface& ui, DocumentTemplate& docTemplate, const QString& folder);

}  // namespace quorbex::platform
