// Quorbex: a drug handbook for clinicians.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>
#include <csignal>

#include "app/drug_app.h"
#include "resources/icon_ids.h"

int main(int argc, char** argv) {
    // A save past a file-size limit then fails with EFBIG and is reported like
    // a full disk, instead of the signal ending the program with the change lost.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorbex"));
    QApplication::setOrganizationName(QStringLiteral("Kestavon"));
    QApplication::setWindowIcon(QIcon(quorbex::IconPath(quorbex::IDR_MAINFRAME)));

    // Qt's own dialogs (files, printing) speak Chinese like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

    quorbex::DrugApp drugApp;
    const bool running = drugApp.InitInstance(QApplication::arguments().mid(1),
                                              QGuiApplication::primaryScreen()->geometry().size());
    const int execCode = running ? QApplication::exec() : 0;
    const int exitCode = drugApp.ExitInstance();
    return execCode != 0 ? execCode : exitCode;
}
