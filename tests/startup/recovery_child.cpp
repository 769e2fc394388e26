// The program as a user runs it, on the dictionary named by its argument: it
// appends a drug through the entry dialog, typed and confirmed as a user
// does, prints "kept" once the recovery file of that change is written, and
// then runs on until it is killed.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "app/drug_app.h"
#include "dialogs/drug_entry_dialog.h"
#include "frames/main_frame.h"
#include "platform/recovery_file.h"
#include "resources/resource_ids.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    quorbex::DrugApp::NameApplication();
    if (argc != 2) {
        return 2;
    }
    quorbex::DrugApp drugApp;
    if (!drugApp.InitInstance({QString::fromLocal8Bit(argv[1])}, QSize(1280, 800))) {
        return 3;
    }
    QTimer::singleShot(0, [&drugApp] {
        QTimer::singleShot(0, [] {
            auto* dialog =
                dynamic_cast<quorbex::DrugEntryDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                std::exit(4);
            }
            QTest::keyClicks(dialog->TradeNameBox(), QStringLiteral("Penicillin"));
            QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        });
        drugApp.MainFrame()->Action(quorbex::ID_DRUG_APPEND).trigger();
    });
    auto* poll = new QTimer(&application);
    QObject::connect(poll, &QTimer::timeout, [poll] {
        const QDir folder(quorbex::platform::RecoveryFolder());
        if (!folder.entryList({QStringLiteral("*.recovery")}, QDir::Files).isEmpty()) {
            poll->stop();
            std::puts("kept");
            std::fflush(stdout);
        }
    });
    poll->start(50);
    return QApplication::exec();
}
