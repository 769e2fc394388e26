#include "app/command_line_info.h"

namespace quorbex {

namespace {

const QStringList KNOWN_SWITCHES = {QStringLiteral("p"), QStringLiteral("pt"),
                                    QStringLiteral("Embedding"), QStringLiteral("Automation")};

// The switch an argument names, or nothing. A "/" also starts every
// absolute path, so only the known names count as switches.
QString SwitchName(const QString& argument) {
    if (argument.size() < 2 ||
        !(argument.startsWith(QLatin1Char('/')) || argument.startsWith(QLatin1Char('-')))) {
        return QString();
    }
    const QString name = argument.mid(1);
    for (const QString& known : KNOWN_SWITCHES) {
        if (name.compare(known, Qt::CaseInsensitive) == 0) {
            return known;
        }
    }
    return argument.startsWith(QLatin1Char('-')) ? name : QString();
}

}  // namespace

CommandLineInfo ParseCommandLine(const QStringList& arguments) {
    CommandLineInfo info;
    QStringList parameters;
    for (const QString& argument : arguments) {
        const QString name = SwitchName(argument);
        if (argument == QStringLiteral("--register-desktop")) {
            info.registerDesktop = true;
        } else if (argument == QStringLiteral("--handbook")) {
            info.shellCommand = CommandLineInfo::ShellCommand::FileHandbook;
        } else if (name.isEmpty()) {
            parameters.append(argument);
        } else if (name == QStringLiteral("pt")) {
            info.shellCommand = CommandLineInfo::ShellCommand::FilePrintTo;
        } else if (name == QStringLiteral("p")) {
            info.shellCommand = CommandLineInfo::ShellCommand::FilePrint;
        } else if (name == QStringLiteral("Embedding") || name == QStringLiteral("Automation")) {
            info.shellCommand = CommandLineInfo::ShellCommand::FileNothing;
        }
    }
    if (!parameters.isEmpty()) {
        info.fileName = parameters[0];
        if (info.shellCommand == CommandLineInfo::ShellCommand::FileNew) {
            info.shellCommand = CommandLineInfo::ShellCommand::FileOpen;
        }
    }
    if (info.shellCommand == CommandLineInfo::ShellCommand::FilePrintTo ||
        info.shellCommand == CommandLineInfo::ShellCommand::FileHandbook) {
        info.printerName = parameters.value(1);
    }
    // Printing needs a file; without one the program starts as usual.
    if (info.fileName.isEmpty() &&
        (info.shellCommand == CommandLineInfo::ShellCommand::FilePrint ||
         info.shellCommand == CommandLineInfo::ShellCommand::FilePrintTo ||
         info.shellCommand == CommandLineInfo::ShellCommand::FileHandbook)) {
        info.shellCommand = CommandLineInfo::ShellCommand::FileNew;
    }
    return info;
}

}  // namespace quorbex
