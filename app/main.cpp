// Quorbex: a drug handbook for clinicians.
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QScreen>
#include <csignal>

#include "app/drug_app.h"
#include "app/language.h"
#include "resources/icon_ids.h"

int main(int argc, char** argv) {
    // A save past a file-size limit then fails with EFBIG and is reported like
    // a full disk, instead of the signal ending the program with the change lost.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorbex"));
    QApplication::setOrganizationName(QStringLiteral("Kestavon"));
    // Window managers and docks find the program's desktop entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORBEX_APP_ID));
    QApplication::setWindowIcon(QIcon(quorbex::IconPath(quorbex::IDR_MAINFRAME)));

    // The program and Qt's own dialogs (files, printing) speak the user's
    // language when the program has a translation into it, else Chinese.
    const quorbex::Translation translation(quorbex::ChooseTranslation(
        QLocale::system().uiLanguages(), quorbex::AvailableTranslations()));

    quorbex::DrugApp drugApp;
    const bool running = drugApp.InitInstance(QApplication::arguments().mid(1),
                                              QGuiApplication::primaryScreen()->geometry().size());
    const int execCode = running ? QApplication::exec() : 0;
    const int exitCode = drugApp.ExitInstance();
    return execCode != 0 ? execCode : exitCode;
}
