// Registration of a document type with the desktop: a shared-mime-info
// type for the file extension and a desktop entry that opens (and prints)
// such files with the program, in the user's data folder.
#pragma once

#include <QString>
#include <QStringList>

namespace quorbex::platform {

struct ShellFileType {
    QString applicationName;     // e.g. "Quorbex"; also the desktop entry's file name
    QString executable;          // absolute path of the program
    QString mimeType;            // e.g. "application/x-zorvik.drugfile"
    QString typeId;              // the document type's identifier
    QString description;         // shown by file managers for such files
    QString extension;           // with its dot, e.g. ".zvk"
    QString applicationIconSvg;  // resource path of the program's icon
    QString documentIconSvg;     // resource path of the files' icon
    QString printSwitch;         // command-line switch that prints a file
    QString printActionName;     // the file managers' name for printing
};

// Writes the MIME package, the desktop entry and the two icons below
// dataHome. A file whose content is already right is left alone; a folder
// that cannot be written is skipped. Answers the files that were written.
QStringList RegisterShellFileType(const ShellFileType& type, const QString& dataHome);

}  // namespace quorbex::platform
