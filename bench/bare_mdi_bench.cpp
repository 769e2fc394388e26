// The reference for open_window_bench: a bare Qt program with a main window,
// an MDI area and one window in it holding a tree of 2000 items, which ends
// once that tree has been painted. It links Qt Widgets alone.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTreeWidget>

#include "bench/first_tree_paint.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    auto* area = new QMdiArea;
    window.setCentralWidget(area);

    auto* tree = new QTreeWidget;
    tree->setHeaderHidden(true);
    auto* root = new QTreeWidgetItem(tree, {QStringLiteral("Results")});
    for (int i = 0; i < 2000; ++i) {
        new QTreeWidgetItem(root, {QStringLiteral("Drug %1").arg(i)});
    }
    root->setExpanded(true);
    tree->setCurrentItem(root->child(0));
    area->addSubWindow(tree)->showMaximized();
    window.show();

    quorbex::bench::FirstTreePaint painted;
    QObject::connect(&painted, &quorbex::bench::FirstTreePaint::Painted,
                     [] { QApplication::exit(0); });
    return QApplication::exec();
}
