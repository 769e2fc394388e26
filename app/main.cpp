// Quorbex: a drug handbook for clinicians.
#include <QApplication>
#include <QScreen>
#include <csignal>
#include <cstdio>

#include "app/command_line_info.h"
#include "app/drug_app.h"
#include "app/language.h"
#include "platform/file_names.h"

namespace {

// The arguments after the program's name, file names kept as the bytes
// they are: Qt's own list turns bytes that are not UTF-8 into U+FFFD.
QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(quorbex::platform::DecodeFileName(QByteArray(argv[i])));
    }
    return arguments;
}

// Answers --help and --version, or tells what does not fit on the command
// line, without a display: only the translation is needed.
int AnswerWithoutWindows(int argc, char** argv, const quorbex::CommandLineInfo& commandLine) {
    const QCoreApplication application(argc, argv);
    const quorbex::Translation translation(quorbex::UsersTranslation());
    if (commandLine.help || commandLine.version) {
        const QString text =
            commandLine.help ? quorbex::CommandLineHelp() : quorbex::CommandLineVersion();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    std::fprintf(stderr, "quorbex: %s\n",
                 quorbex::DescribeMistake(commandLine).toLocal8Bit().constData());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // A save past a file-size limit then fails with EFBIG and is reported like
    // a full disk, instead of the signal ending the program with the change lost.
    std::signal(SIGXFSZ, SIG_IGN);

    const quorbex::CommandLineInfo commandLine = quorbex::ParseCommandLine(Arguments(argc, argv));
    if (commandLine.help || commandLine.version ||
        commandLine.mistake != quorbex::CommandLineInfo::Mistake::None) {
        return AnswerWithoutWindows(argc, argv, commandLine);
    }
    // A handbook for a script shows no window: without a platform chosen, it
    // needs no display either.
    if (commandLine.shellCommand == quorbex::CommandLineInfo::ShellCommand::FileHandbook &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication application(argc, argv);
    quorbex::DrugApp::NameApplication();

    // The program and Qt's own dialogs (files, printing) speak the user's
    // language when the program has a translation into it, else Chinese.
    const quorbex::Translation translation(quorbex::UsersTranslation());

    quorbex::DrugApp drugApp;
    // Qt has taken its own options out of argv by now.
    const bool running = drugApp.InitInstance(Arguments(argc, argv),
                                              QGuiApplication::primaryScreen()->geometry().size());
    const int execCode = running ? QApplication::exec() : 0;
    const int exitCode = drugApp.ExitInstance();
    return execCode != 0 ? execCode : exitCode;
}
