// Opens a dictionary as `quorbex FILE` does and ends once its result tree has
// been painted in the visible window: timed from outside (bench/open_window.sh
// starts it through launch_timer), it measures the whole start, libraries,
// settings and translations included, up to the window the user sees. It then leaves
// at once, as the reference does: taking the program down is no part of
// opening a dictionary (and a user's quit asks a question first).
//
//   open_window_bench FILE [CYCLES]
//
// With CYCLES, the dictionary is closed and opened again that many times
// after the first paint, each time until its tree is painted, and the
// program then ends as it does when the user quits, its windows and
// documents taken down: run under heaptrack or valgrind, it shows what an
// open and a close leave behind.
#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/drug_app.h"
#include "app/language.h"
#include "bench/first_tree_paint.h"
#include "platform/document_template.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: open_window_bench FILE [CYCLES]\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    quorbex::DrugApp::NameApplication();
    const quorbex::Translation translation(quorbex::UsersTranslation());
    const QString path = QString::fromLocal8Bit(argv[1]);
    const bool cycling = argc == 3;
    int cyclesLeft = cycling ? std::atoi(argv[2]) : 0;
    // The program would ask about a file it cannot open, and nothing would
    // ever be painted to end the run.
    if (!QFileInfo(path).isFile()) {
        std::fprintf(stderr, "open_window_bench: %s is not a dictionary file\n", argv[1]);
        return 2;
    }

    quorbex::DrugApp drugApp;
    if (!drugApp.InitInstance({path}, QGuiApplication::primaryScreen()->geometry().size())) {
        return 1;
    }
    quorbex::bench::FirstTreePaint painted;
    QObject::connect(&painted, &quorbex::bench::FirstTreePaint::Painted, [&] {
        if (!cycling) {
            quorbex::bench::LeaveAtOnce();
        }
        if (cyclesLeft == 0) {
            QApplication::exit(0);
            return;
        }
        --cyclesLeft;
        // Out of the paint event, as a user's close and open would come.
        QTimer::singleShot(0, [&] {
            drugApp.DocTemplate()->CloseAllDocuments();
            if (drugApp.OpenDocumentFile(path) == nullptr) {
                QApplication::exit(1);
            }
            painted.Rearm();
        });
    });
    const int execCode = QApplication::exec();
    drugApp.ExitInstance();
    return execCode;
}
