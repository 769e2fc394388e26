// What a user's keyboard, input method and clipboard do to an edit box, for
// widget tests.
#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QTest>

namespace quorbex::testing {

// Types text into box key by key, each key carrying one character, as a
// keyboard or an input method sends it. (QTest::keyClicks passes only
// Latin-1.)
inline void Type(QWidget* box, const QString& text) {
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(box, character.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        }
    }
}

// What an input method commits, such as an emoji chosen from a picker.
inline void Commit(QWidget* box, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

// Pasting text at the cursor of a one-line or multi-line box.
inline void Paste(QWidget* box, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->insert(text);
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(box)) {
        lines->insertPlainText(text);
    }
}

// Puts the cursor after the last character, as End (in a one-line box) or
// Ctrl+End (in a multi-line one) does.
inline void MoveToEnd(QWidget* box) {
    QTest::keyClick(
        box, Qt::Key_End,
        qobject_cast<QLineEdit*>(box) != nullptr ? Qt::NoModifier : Qt::ControlModifier);
}

inline QString TextOf(const QWidget* box) {
    if (const auto* line = qobject_cast<const QLineEdit*>(box)) {
        return line->text();
    }
    if (const auto* lines = qobject_cast<const QPlainTextEdit*>(box)) {
        return lines->toPlainText();
    }
    return QString();
}

inline void Clear(QWidget* box) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->clear();
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(box)) {
        lines->clear();
    }
}

}  // namespace quorbex::testing
