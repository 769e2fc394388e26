// What the command line asks the program to do.
#pragma once

#include <QString>
#include <QStringList>

#include "store/dictionary_format.h"

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
    // "--help" or "-h", "--version": print it and end, whatever else is asked.
    bool help = false;
    bool version = false;
    // "--sort pinyin|trade|english": the order of the handbook's drugs.
    int handbookSortKey = SORT_BY_PINYIN;
    // What does not fit: the last "--sort" without a value, or with one it
    // does not take (sortValue).
    enum class Mistake { None, SortWithoutValue, UnknownSort };
    Mistake mistake = Mistake::None;
    QString sortValue;
};

// Reads the arguments after the program's name. Switches start with "/" or
// "-": "p" prints, "pt" prints to a printer named after the file,
// "Embedding" and "Automation" ask for nothing, "--handbook" writes the
// handbook of the file into the PDF file named after it, ordered as
// "--sort" says; other "-" arguments are ignored. The first other argument
// is the file (an absolute path starts with "/" too).
CommandLineInfo ParseCommandLine(const QStringList& arguments);

// The mistake in words, in the language of the installed translation.
QString DescribeMistake(const CommandLineInfo& info);
// What "--help" prints, in the language of the installed translation.
QString CommandLineHelp();
// What "--version" prints: the program's name and version.
QString CommandLineVersion();

}  // namespace quorbex
