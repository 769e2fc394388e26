// Watches a document's file for what other programs do to it: a rewrite in
// place, a new file renamed over it (as every atomic save does), a deletion
// and a re-creation. The system's watch of a file ends with the file it was
// set on, so it is set again after each notice, on whatever file then has
// the path, and the folder is watched too, which sees the file come back.
// A change is told once the file has been quiet for a moment and holds other
// bytes than the document last read or wrote, and each content once: the
// document's own saves are never told. Conflict copies that sync services
// leave beside the file are told too, each once. The system sees nothing of
// what another computer writes to a network folder: the file's time and
// size are also looked at every few seconds.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <optional>

namespace quorbex::platform {

class Document;

// Whether fileName is a copy of the file named dictionaryName that a sync
// service made when two versions met: Syncthing's
// "NAME.sync-conflict-DATE-TIME-DEVICE.EXT", and the "NAME (conflicted
// copy ...).EXT" or "NAME (WHO's conflicted copy ...).EXT" of Nextcloud and
// the cloud drives.
bool IsConflictCopyName(const QString& fileName, const QString& dictionaryName);

class DocumentFileWatch : public QObject {
    Q_OBJECT
public:
    explicit DocumentFileWatch(Document& document, QObject* parent = nullptr);

    // Looks at the file and its folder now, without waiting for a notice.
    void CheckNow();
    // Looks again in a moment, telling a change even if it was told before:
    // for a document that has become what it read or wrote again.
    void LookAgain();

signals:
    // The file holds other bytes than the document's, and than when last told.
    void changedOnDisk();
    // Conflict copies of the file, by path, not told before.
    void conflictCopiesFound(const QStringList& paths);

private:
    void Follow();
    void Arm();
    void Poll();

    Document& m_document;
    QFileSystemWatcher m_watcher;
    QTimer m_quiet;
    QTimer m_poll;
    QString m_path;
    // The file's time and size at the last look.
    QDateTime m_seenTime;
    qint64 m_seenSize = -1;
    // The digest of the file as it stood when a change was last told.
    std::optional<QByteArray> m_told;
    QSet<QString> m_toldCopies;
};

}  // namespace quorbex::platform
