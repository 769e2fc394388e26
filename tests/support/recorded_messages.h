// Message boxes as the scripted user interfaces show them: recorded, and
// answered with what the test queued.
#pragma once

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QString>
#include <deque>
#include <functional>
#include <vector>

namespace quorbex::testing {

struct RecordedMessage {
    QString text;
    QString caption;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

// Records the message, runs whileShown as the message shows, and answers the
// next queued answer; a question with none queued is a failure of the test.
inline QMessageBox::StandardButton RecordMessage(std::vector<RecordedMessage>& messages,
                                                 std::deque<QMessageBox::StandardButton>& answers,
                                                 RecordedMessage message,
                                                 const std::function<void()>& whileShown = {}) {
    messages.push_back(message);
    if (whileShown) {
        whileShown();
    }
    if (!answers.empty()) {
        const QMessageBox::StandardButton answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if (message.buttons != QMessageBox::Ok) {
        ADD_FAILURE() << "unexpected question: " << message.text.toStdString();
        return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

}  // namespace quorbex::testing
