// Registration of the program and its document type with the desktop, in
// the user's data folder: a shared-mime-info package, a desktop entry that
// opens (and prints) such files with the program, and two icons. An
// installed registration (from a package) comes first: the user's folder
// then holds none of the program's files.
#pragma once

#include <QString>
#include <QStringList>

namespace quorbex::platform {

struct ShellFileType {
    QString applicationId;         // reverse-DNS id, e.g. "com.kestavon.Quorbex"
    QString executable;            // absolute path of the program
    QString mimeType;              // e.g. "application/x-zorvik.drugfile"
    QString desktopEntryTemplate;  // resource path; "@EXEC@" stands for the program
    QString mimePackage;           // resource path of the shared-mime-info package
    QString applicationIcon;       // resource path of the program's icon (SVG)
    QString documentIcon;          // resource path of the files' icon (SVG)
};

// Writes the MIME package, the desktop entry and the two icons below
// dataHome. A file whose content is already right is left alone; a folder
// that cannot be written is skipped. Answers the files that were written.
QStringList RegisterShellFileType(const ShellFileType& type, const QString& dataHome);

// Removes from below dataHome the files that RegisterShellFileType wrote, and
// those that earlier versions of the program wrote under its plain name
// ("quorbex"); files that the program did not write stay. Answers the files
// that were removed.
QStringList UnregisterShellFileType(const ShellFileType& type, const QString& dataHome);

// Whether a desktop entry of the program is installed in one of the
// system's data folders (XDG_DATA_DIRS), outside dataHome.
bool HasInstalledDesktopEntry(const ShellFileType& type, const QString& dataHome);

// Registers the program at its start, in the user's data folder: unless an
// installed registration (a package's) is there, which then wins and the
// user's folder keeps nothing of the program's. A program run from its build
// folder is not the one a user installed: it registers only when askedFor.
void RegisterAtStart(const ShellFileType& type, bool askedFor);

}  // namespace quorbex::platform
