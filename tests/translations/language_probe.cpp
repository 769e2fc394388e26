// Prints the translation the program chooses for the locale of its
// environment, or nothing for the Chinese source texts.
#include <QCoreApplication>
#include <QLocale>
#include <cstdio>

#include "app/language.h"

int main(int argc, char** argv) {
    const QCoreApplication application(argc, argv);
    const QString chosen = quorbex::ChooseTranslation(QLocale::system().uiLanguages(),
                                                      quorbex::AvailableTranslations());
    std::fputs(qPrintable(chosen), stdout);
    return 0;
}
