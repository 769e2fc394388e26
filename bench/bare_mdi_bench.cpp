// The reference for open_window_bench: a bare Qt program with a main window,
// an MDI area and one window in it holding a tree of 2000 items, which ends
// once that tree has been painted, at once, as open_window_bench does. It
// links Qt Widgets alone. Its main window takes the place and size of the
// program's, the screen's width and its height less 30 pixels, so that both
// paint as much.
//
//   bare_mdi_bench [NAMES]
//
// NAMES is a UTF-8 text file of the items' labels, one to a line (the
// script gives it the dictionary's trade names, so that the tree shows the
// same Chinese text as the program's); without it the items are "Drug 0",
// "Drug 1"...
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTreeWidget>

#include "bench/first_tree_paint.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    window.move(0, 0);
    window.resize(screen.width(), screen.height() - 30);
    auto* area = new QMdiArea;
    window.setCentralWidget(area);

    auto* tree = new QTreeWidget;
    tree->setHeaderHidden(true);
    auto* root = new QTreeWidgetItem(tree, {QStringLiteral("Results")});
    QStringList names;
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            qFatal("bare_mdi_bench: cannot read %s", argv[1]);
        }
        names = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    for (int i = 0; i < 2000; ++i) {
        new QTreeWidgetItem(root, {i < names.size() ? names[i] : QStringLiteral("Drug %1").arg(i)});
    }
    root->setExpanded(true);
    tree->setCurrentItem(root->child(0));
    area->addSubWindow(tree)->showMaximized();
    window.show();

    quorbex::bench::FirstTreePaint painted;
    QObject::connect(&painted, &quorbex::bench::FirstTreePaint::Painted,
                     [] { quorbex::bench::LeaveAtOnce(); });
    return QApplication::exec();
}
