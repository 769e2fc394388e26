// Quorbex: a drug handbook for clinicians.
#include <QApplication>
#include <QScreen>

#include "drug_app.h"
#include "main_frame.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorbex"));
    QApplication::setOrganizationName(QStringLiteral("Kestavon"));

    quorbex::DrugApp drugApp(QGuiApplication::primaryScreen()->geometry().size());
    drugApp.MainFrame().show();
    for (const QString& path : QApplication::arguments().mid(1)) {
        drugApp.OpenDocumentFile(path);
    }
    return application.exec();
}
