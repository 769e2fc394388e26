// Tells once when a tree view of the application has painted items.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QObject>
#include <QTreeView>
#include <cstdio>
#include <cstdlib>

#include "bench/launch_clock.h"

namespace quorbex::bench {

// Ends the program without taking anything down: how a benchmark of the
// start leaves once the tree is painted, so that it times the start alone.
// Started by bench/launch_timer, it first writes to its standard output the
// milliseconds since the launch.
[[noreturn]] inline void LeaveAtOnce() {
    const QByteArray launched = qgetenv(LAUNCH_TIME_VARIABLE);
    if (!launched.isEmpty()) {
        std::printf("%.3f\n", static_cast<double>(NowNs() - launched.toLongLong()) / 1e6);
        std::fflush(stdout);
    }
    std::_Exit(0);
}

class FirstTreePaint : public QObject {
    Q_OBJECT
public:
    FirstTreePaint() { qApp->installEventFilter(this); }

    // Tells again at the next tree's paint.
    void Rearm() { m_told = false; }

signals:
    void Painted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_told || event->type() != QEvent::Paint) {
            return false;
        }
        const auto* tree = qobject_cast<const QTreeView*>(watched->parent());
        if (tree != nullptr && tree->viewport() == watched && tree->model() != nullptr &&
            tree->model()->rowCount() > 0) {
            m_told = true;
            // After the paint, so that the frame reaches the screen.
            QMetaObject::invokeMethod(this, &FirstTreePaint::Painted, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_told = false;
};

}  // namespace quorbex::bench
