// Running a modal dialog from a test: what the user does happens in a
// callback that the event loop runs once the dialog shows.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

namespace quorbex::testing {

// Schedules whileOpen for the moment run() shows a modal dialog of type
// Dialog, then answers what run() answers. whileOpen gets that dialog, active
// and with its initial focus; a dialog still open after it is cancelled, so
// that the test cannot hang.
template <typename Dialog, typename Run>
auto WhileModal(const std::function<void(Dialog&)>& whileOpen, Run run) {
    bool called = false;
    QTimer::singleShot(0, [&] {
        called = true;
        QWidget* shown = QApplication::activeModalWidget();
        auto* dialog = dynamic_cast<Dialog*>(shown);
        EXPECT_NE(dialog, nullptr) << "no such dialog is showing";
        if (dialog != nullptr) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            whileOpen(*dialog);
        }
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            open->reject();
        }
    });
    const auto answer = run();
    EXPECT_TRUE(called) << "the dialog never ran";
    return answer;
}

}  // namespace quorbex::testing
