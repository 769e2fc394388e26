#include "platform/shell_integration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace quorbex::platform {

namespace {

QString IconName(const QString& mimeType) {
    return QString(mimeType).replace(QLatin1Char('/'), QLatin1Char('-'));
}

QByteArray MimePackage(const ShellFileType& type) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <!-- %2 -->\n"
               "    <comment>%3</comment>\n"
               "    <icon name=\"%4\"/>\n"
               "    <glob pattern=\"*%5\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(type.mimeType, type.typeId, type.description, IconName(type.mimeType), type.extension)
        .toUtf8();
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

QByteArray DesktopEntry(const ShellFileType& type) {
    const QString exec = QuotedExec(type.executable);
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=%1\n"
               "Comment=%2\n"
               "Exec=%3 %f\n"
               "Icon=%4\n"
               "Terminal=false\n"
               "Categories=Office;Education;MedicalSoftware;Science;\n"
               "MimeType=%5;\n"
               "Actions=Print;\n"
               "\n"
               "[Desktop Action Print]\n"
               "Name=%6\n"
               "Exec=%3 %7 %f\n")
        .arg(type.applicationName, type.description, exec, type.applicationName.toLower(),
             type.mimeType, type.printActionName, type.printSwitch)
        .toUtf8();
}

QByteArray ResourceBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

}  // namespace

QStringList RegisterShellFileType(const ShellFileType& type, const QString& dataHome) {
    const QDir data(dataHome);
    const QString packagePath =
        data.filePath(QStringLiteral("mime/packages/%1.xml").arg(type.applicationName.toLower()));
    const QString entryPath = data.filePath(
        QStringLiteral("applications/%1.desktop").arg(type.applicationName.toLower()));
    const QString documentIconPath = data.filePath(
        QStringLiteral("icons/hicolor/scalable/mimetypes/%1.svg").arg(IconName(type.mimeType)));
    const QString applicationIconPath = data.filePath(
        QStringLiteral("icons/hicolor/scalable/apps/%1.svg").arg(type.applicationName.toLower()));

    QStringList written;
    const auto write = [&written](const QString& path, const QByteArray& content) {
        if (!content.isEmpty() && WriteIfChanged(path, content)) {
            written.append(path);
        }
    };
    write(packagePath, MimePackage(type));
    write(entryPath, DesktopEntry(type));
    write(documentIconPath, ResourceBytes(type.documentIconSvg));
    write(applicationIconPath, ResourceBytes(type.applicationIconSvg));

    // The desktop's caches learn of a change; without the tools they catch up later.
    if (written.contains(packagePath)) {
        RunIfInstalled(QStringLiteral("update-mime-database"),
                       {data.filePath(QStringLiteral("mime"))});
    }
    if (written.contains(entryPath)) {
        RunIfInstalled(QStringLiteral("update-desktop-database"),
                       {data.filePath(QStringLiteral("applications"))});
    }
    return written;
}

}  // namespace quorbex::platform
