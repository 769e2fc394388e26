#include "platform/document_file_watch.h"

#include <QDir>
#include <QFileInfo>

#include "platform/document.h"
#include "platform/regular_file.h"

namespace quorbex::platform {

namespace {

// Long enough for a save's notices to end in one look, short enough to keep
// up with a colleague who saves every second.
constexpr int QUIET_MS = 150;
constexpr int POLL_MS = 2000;

}  // namespace

bool IsConflictCopyName(const QString& fileName, const QString& dictionaryName) {
    const QFileInfo dictionary(dictionaryName);
    const QString stem = dictionary.completeBaseName();
    const QString suffix = dictionary.suffix();
    if (stem.isEmpty() || fileName == dictionaryName) {
        return false;
    }
    const QString ending = suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
    if (!fileName.endsWith(ending, Qt::CaseInsensitive)) {
        return false;
    }
    const QString middle = fileName.chopped(ending.size());
    if (!middle.startsWith(stem)) {
        return false;
    }
    const QString rest = middle.mid(stem.size());
    if (rest.startsWith(QStringLiteral(".sync-conflict-"))) {
        return true;
    }
    return rest.startsWith(QStringLiteral(" (")) && rest.endsWith(QLatin1Char(')')) &&
           rest.contains(QStringLiteral("conflicted copy"), Qt::CaseInsensitive);
}

DocumentFileWatch::DocumentFileWatch(Document& document, QObject* parent)
    : QObject(parent), m_document(document) {
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(QUIET_MS);
    connect(&m_quiet, &QTimer::timeout, this, &DocumentFileWatch::CheckNow);
    m_poll.setInterval(POLL_MS);
    connect(&m_poll, &QTimer::timeout, this, &DocumentFileWatch::Poll);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_quiet, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_quiet,
            qOverload<>(&QTimer::start));
    // A save under another name moves the watch to the new file.
    connect(&document, &Document::titleChanged, this, &DocumentFileWatch::Follow);
    connect(&document, &Document::modifiedChanged, this, &DocumentFileWatch::Follow);
    Follow();
}

void DocumentFileWatch::Follow() {
    if (m_document.GetPathName() == m_path) {
        return;
    }
    if (!m_watcher.files().isEmpty()) {
        m_watcher.removePaths(m_watcher.files());
    }
    if (!m_watcher.directories().isEmpty()) {
        m_watcher.removePaths(m_watcher.directories());
    }
    m_path = m_document.GetPathName();
    m_told.reset();
    m_toldCopies.clear();
    Arm();
    // A first look once the document has taken its file: copies left
    // beside it while it was closed.
    if (m_path.isEmpty()) {
        m_poll.stop();
    } else {
        m_quiet.start();
        m_poll.start();
    }
}

void DocumentFileWatch::LookAgain() {
    m_told.reset();
    m_quiet.start();
}

void DocumentFileWatch::Poll() {
    const QFileInfo file(m_path);
    const qint64 size = file.exists() ? file.size() : -1;
    if (file.lastModified() != m_seenTime || size != m_seenSize) {
        m_quiet.start();
    }
}

void DocumentFileWatch::Arm() {
    if (m_path.isEmpty()) {
        return;
    }
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!m_watcher.directories().contains(folder)) {
        m_watcher.addPath(folder);
    }
    // A file renamed over the watched one, or made anew, is another file.
    if (m_watcher.files().contains(m_path)) {
        m_watcher.removePath(m_path);
    }
    if (QFileInfo::exists(m_path)) {
        m_watcher.addPath(m_path);
    }
}

void DocumentFileWatch::CheckNow() {
    Follow();
    if (m_path.isEmpty()) {
        return;
    }
    Arm();

    const QFileInfo file(m_path);
    m_seenTime = file.lastModified();
    m_seenSize = file.exists() ? file.size() : -1;
    QStringList copies;
    const QStringList names = file.absoluteDir().entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QString path = file.absoluteDir().filePath(name);
        if (IsConflictCopyName(name, file.fileName()) && !m_toldCopies.contains(path)) {
            m_toldCopies.insert(path);
            copies.append(path);
        }
    }
    if (!copies.isEmpty()) {
        emit conflictCopiesFound(copies);
    }

    // Compared with the bytes the document kept, which costs far less than
    // hashing the file at every look; a change found is told once, marked
    // by its digest.
    const std::optional<QByteArray>& kept = m_document.DiskBytes();
    if (kept && !RegularFileDiffersFrom(m_path, *kept)) {
        return;
    }
    const std::optional<QByteArray>& known = m_document.DiskContentHash();
    if (!known) {
        return;
    }
    const std::optional<QByteArray> now = FileContentHash(m_path);
    if (now && *now != *known && now != m_told) {
        m_told = now;
        emit changedOnDisk();
    }
}

}  // namespace quorbex::platform
