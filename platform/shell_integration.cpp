#include "platform/shell_integration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <functional>
#include <vector>

namespace quorbex::platform {

namespace {

// Marks the desktop entries that the program wrote itself, so that it can
// tell them from entries of the user's own.
const QByteArray WRITTEN_BY_PROGRAM = QByteArrayLiteral("X-Quorbex-Registered=user\n");

// The plain name under which earlier versions registered the program.
const QString LEGACY_NAME = QStringLiteral("quorbex");

QString IconName(const QString& mimeType) {
    return QString(mimeType).replace(QLatin1Char('/'), QLatin1Char('-'));
}

// A path inside a desktop entry's Exec key, in double quotes, with the
// characters that have a meaning there escaped.
QString QuotedExec(const QString& path) {
    QString quoted = path;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""))
        .replace(QLatin1Char('`'), QStringLiteral("\\`"))
        .replace(QLatin1Char('$'), QStringLiteral("\\$"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray ResourceBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray DesktopEntry(const ShellFileType& type) {
    QByteArray entry = ResourceBytes(type.desktopEntryTemplate);
    if (entry.isEmpty()) {
        return entry;
    }
    entry.replace("@EXEC@", QuotedExec(type.executable).toUtf8());
    // The mark belongs to the main group, which comes first.
    const qsizetype actions = entry.indexOf("\n[", entry.indexOf('\n'));
    entry.insert(actions < 0 ? entry.size() : actions + 1, WRITTEN_BY_PROGRAM);
    return entry;
}

// The files of a registration below a data folder.
struct ShellFiles {
    ShellFiles(const ShellFileType& type, const QString& dataHome, const QString& name) {
        const QDir data(dataHome);
        package = data.filePath(QStringLiteral("mime/packages/%1.xml").arg(name));
        entry = data.filePath(QStringLiteral("applications/%1.desktop").arg(name));
        applicationIcon =
            data.filePath(QStringLiteral("icons/hicolor/scalable/apps/%1.svg").arg(name));
        documentIcon = data.filePath(
            QStringLiteral("icons/hicolor/scalable/mimetypes/%1.svg").arg(IconName(type.mimeType)));
    }

    QString package;
    QString entry;
    QString applicationIcon;
    QString documentIcon;
};

// Writes content to path unless it already holds exactly that.
bool WriteIfChanged(const QString& path, const QByteArray& content) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content) {
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void RunIfInstalled(const QString& program, const QStringList& arguments) {
    if (!QStandardPaths::findExecutable(program).isEmpty()) {
        QProcess::startDetached(program, arguments);
    }
}

// The desktop's caches learn of a change; without the tools they catch up
// later. After a removal only caches that exist are brought up to date: a
// cache made then would itself be left behind.
void UpdateCaches(const QString& dataHome, bool packageChanged, bool entryChanged,
                  bool onlyExisting) {
    const QDir data(dataHome);
    const auto update = [&](const QString& tool, const QString& folder, const QString& cache) {
        if (!onlyExisting || QFileInfo::exists(data.filePath(folder + QLatin1Char('/') + cache))) {
            RunIfInstalled(tool, {data.filePath(folder)});
        }
    };
    if (packageChanged) {
        update(QStringLiteral("update-mime-database"), QStringLiteral("mime"),
               QStringLiteral("mime.cache"));
    }
    if (entryChanged) {
        update(QStringLiteral("update-desktop-database"), QStringLiteral("applications"),
               QStringLiteral("mimeinfo.cache"));
    }
}

bool SameFolder(const QString& a, const QString& b) {
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() ? canonicalA == QFileInfo(b).canonicalFilePath()
                                 : QDir::cleanPath(a) == QDir::cleanPath(b);
}

// A file of a registration, with what shows that the program wrote it.
struct OwnFile {
    QString path;
    std::function<bool(const QByteArray& content)> isOwn;
};

// The files that earlier versions wrote under the program's plain name.
std::vector<OwnFile> LegacyFiles(const ShellFileType& type, const QString& dataHome) {
    const ShellFiles legacy(type, dataHome, LEGACY_NAME);
    const QByteArray ownType =
        QStringLiteral("<mime-type type=\"%1\">").arg(type.mimeType).toUtf8();
    const QByteArray ownEntry = QStringLiteral("MimeType=%1;").arg(type.mimeType).toUtf8();
    const QByteArray icon = ResourceBytes(type.applicationIcon);
    return {
        {legacy.package, [ownType](const QByteArray& c) { return c.contains(ownType); }},
        {legacy.entry, [ownEntry](const QByteArray& c) { return c.contains(ownEntry); }},
        {legacy.applicationIcon, [icon](const QByteArray& c) { return c == icon; }},
    };
}

QStringList RemoveOwnFiles(const std::vector<OwnFile>& files) {
    QStringList removed;
    for (const OwnFile& file : files) {
        if (QFileInfo::exists(file.path) && file.isOwn(FileBytes(file.path)) &&
            QFile::remove(file.path)) {
            removed.append(file.path);
        }
    }
    return removed;
}

bool AnyEndsWith(const QStringList& paths, const QString& suffix) {
    return std::any_of(paths.begin(), paths.end(),
                       [&suffix](const QString& path) { return path.endsWith(suffix); });
}

}  // namespace

QStringList RegisterShellFileType(const ShellFileType& type, const QString& dataHome) {
    const ShellFiles files(type, dataHome, type.applicationId);
    QStringList written;
    const auto write = [&written](const QString& path, const QByteArray& content) {
        if (!content.isEmpty() && WriteIfChanged(path, content)) {
            written.append(path);
        }
    };
    write(files.package, ResourceBytes(type.mimePackage));
    write(files.entry, DesktopEntry(type));
    write(files.documentIcon, ResourceBytes(type.documentIcon));
    write(files.applicationIcon, ResourceBytes(type.applicationIcon));
    // What an earlier version wrote would show the program twice.
    const QStringList removed = RemoveOwnFiles(LegacyFiles(type, dataHome));
    const QStringList changed = written + removed;
    UpdateCaches(dataHome, AnyEndsWith(changed, QStringLiteral(".xml")),
                 AnyEndsWith(changed, QStringLiteral(".desktop")), false);
    return written;
}

QStringList UnregisterShellFileType(const ShellFileType& type, const QString& dataHome) {
    const ShellFiles files(type, dataHome, type.applicationId);
    const QByteArray package = ResourceBytes(type.mimePackage);
    const QByteArray applicationIcon = ResourceBytes(type.applicationIcon);
    const QByteArray documentIcon = ResourceBytes(type.documentIcon);
    std::vector<OwnFile> own = {
        {files.package, [package](const QByteArray& c) { return c == package; }},
        {files.entry, [](const QByteArray& c) { return c.contains(WRITTEN_BY_PROGRAM); }},
        {files.applicationIcon,
         [applicationIcon](const QByteArray& c) { return c == applicationIcon; }},
        {files.documentIcon, [documentIcon](const QByteArray& c) { return c == documentIcon; }},
    };
    for (OwnFile& legacy : LegacyFiles(type, dataHome)) {
        own.push_back(std::move(legacy));
    }
    const QStringList removed = RemoveOwnFiles(own);
    UpdateCaches(dataHome, AnyEndsWith(removed, QStringLiteral(".xml")),
                 AnyEndsWith(removed, QStringLiteral(".desktop")), true);
    return removed;
}

bool HasInstalledDesktopEntry(const ShellFileType& type, const QString& dataHome) {
    const QString entry = QStringLiteral("applications/%1.desktop").arg(type.applicationId);
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (!SameFolder(folder, dataHome) && QFileInfo::exists(QDir(folder).filePath(entry))) {
            return true;
        }
    }
    return false;
}

namespace {

// A program started from a build folder: its folder, or one above it, holds
// the build's cache.
bool RunsFromBuildFolder() {
    QDir folder(QCoreApplication::applicationDirPath());
    do {
        if (folder.exists(QStringLiteral("CMakeCache.txt"))) {
            return true;
        }
    } while (folder.cdUp());
    return false;
}

}  // namespace

void RegisterAtStart(const ShellFileType& type, bool askedFor) {
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (HasInstalledDesktopEntry(type, dataHome)) {
        UnregisterShellFileType(type, dataHome);
    } else if (askedFor || !RunsFromBuildFolder()) {
        RegisterShellFileType(type, dataHome);
    }
}

}  // namespace quorbex::platform
