// What the command line asks the program to do.
#pragma once

#include <QString>
#include <QStringList>

namespace quorbex {

struct CommandLineInfo {
    enum class ShellCommand {
        FileNew,       // no file named: the startup dialog
        FileOpen,      // open fileName
        FilePrint,     // print fileName on the default printer, then end
        FilePrintTo,   // print fileName on printerName (or a PDF file), then end
        FileNothing,   // started by the desktop for automation: as FileNew
        FileHandbook,  // write fileName's handbook into the PDF file printerName, then end
    };

    ShellCommand shellCommand = ShellCommand::FileNew;
    QString fileName;
    QString printerName;
    // "--register-desktop": register with the desktop even from a build folder.
    bool registerDesktop = false;
};

// Reads the arguments after the program's name. Switches start with "/" or
// "-": "p" prints, "pt" prints to a printer named after the file,
// "Embedding" and "Automation" ask for nothing, "--handbook" writes the
// handbook of the file into the PDF file named after it; other "-" arguments are
// ignored. The first other argument is the file (an absolute path starts
// with "/" too).
CommandLineInfo ParseCommandLine(const QStringList& arguments);

}  // namespace quorbex
