#include "app/command_line_info.h"

#include "resources/strings.h"

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

const QString SORT_OPTION = QStringLiteral("--sort");

// The store's sort key for a handbook's order, or -1 for a name it does not know.
int HandbookSortKey(const QString& name) {
    if (name == QStringLiteral("pinyin")) {
        return SORT_BY_PINYIN;
    }
    if (name == QStringLiteral("trade")) {
        return SORT_BY_TRADE_NAME;
    }
    if (name == QStringLiteral("english")) {
        return SORT_BY_ENGLISH_NAME;
    }
    return -1;
}

}  // namespace

CommandLineInfo ParseCommandLine(const QStringList& arguments) {
    CommandLineInfo info;
    QStringList parameters;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QString name = SwitchName(argument);
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            info.help = true;
        } else if (argument == QStringLiteral("--version")) {
            info.version = true;
        } else if (argument == SORT_OPTION || argument.startsWith(SORT_OPTION + QLatin1Char('='))) {
            // "--sort trade" or "--sort=trade".
            const bool joined = argument != SORT_OPTION;
            if (!joined && i + 1 == arguments.size()) {
                info.mistake = CommandLineInfo::Mistake::SortWithoutValue;
                continue;
            }
            info.sortValue = joined ? argument.mid(SORT_OPTION.size() + 1) : arguments[++i];
            const int sortKey = HandbookSortKey(info.sortValue);
            info.mistake = sortKey < 0 ? CommandLineInfo::Mistake::UnknownSort
                                       : CommandLineInfo::Mistake::None;
            info.handbookSortKey = sortKey < 0 ? info.handbookSortKey : sortKey;
        } else if (argument == QStringLiteral("--register-desktop")) {
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

QString DescribeMistake(const CommandLineInfo& info) {
    switch (info.mistake) {
        case CommandLineInfo::Mistake::None:
            break;
        case CommandLineInfo::Mistake::SortWithoutValue:
            return Tr(UiText::SortNeedsValue);
        case CommandLineInfo::Mistake::UnknownSort:
            return Tr(UiText::UnknownSort).arg(info.sortValue);
    }
    return QString();
}

QString CommandLineHelp() {
    return Tr(UiText::CommandLineHelp);
}

QString CommandLineVersion() {
    return QStringLiteral("quorbex " QUORBEX_VERSION "\n");
}

}  // namespace quorbex
