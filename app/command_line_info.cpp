#include "command_line_info.h"

namespace quorbex {

CommandLineInfo ParseCommandLine(const QStringList& arguments) {
    CommandLineInfo info;
    QStringList parameters;
    for (const QString& argument : arguments) {
        const bool isSwitch = argument.size() > 1 && (argument.startsWith(QLatin1Char('/')) ||
                                                      argument.startsWith(QLatin1Char('-')));
        if (!isSwitch) {
            parameters.append(argument);
            continue;
        }
        const QString name = argument.mid(1);
        if (name.compare(QStringLiteral("pt"), Qt::CaseInsensitive) == 0) {
            info.shellCommand = CommandLineInfo::ShellCommand::FilePrintTo;
        } else if (name.compare(QStringLiteral("p"), Qt::CaseInsensitive) == 0) {
            info.shellCommand = CommandLineInfo::ShellCommand::FilePrint;
        } else if (name.compare(QStringLiteral("Embedding"), Qt::CaseInsensitive) == 0 ||
                   name.compare(QStringLiteral("Automation"), Qt::CaseInsensitive) == 0) {
            info.shellCommand = CommandLineInfo::ShellCommand::FileNothing;
        }
    }
    if (!parameters.isEmpty()) {
        info.fileName = parameters[0];
        if (info.shellCommand == CommandLineInfo::ShellCommand::FileNew) {
            info.shellCommand = CommandLineInfo::ShellCommand::FileOpen;
        }
    }
    if (info.shellCommand == CommandLineInfo::ShellCommand::FilePrintTo) {
        info.printerName = parameters.value(1);
    }
    // Printing needs a file; without one the program starts as usual.
    if (info.fileName.isEmpty() &&
        (info.shellCommand == CommandLineInfo::ShellCommand::FilePrint ||
         info.shellCommand == CommandLineInfo::ShellCommand::FilePrintTo)) {
        info.shellCommand = CommandLineInfo::ShellCommand::FileNew;
    }
    return info;
}

}  // namespace quorbex
