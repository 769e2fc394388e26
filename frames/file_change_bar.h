// A bar above a dictionary's record text that tells of something done to
// its file by others and offers what to do, without stopping the work as a
// message box would: a line of text and a button for each choice, the first
// the default (Enter in the bar). A choice hides the bar.
#pragma once

#include <QFrame>
#include <QList>
#include <QStringList>

class QLabel;
class QPushButton;

namespace quorbex {

class FileChangeBar : public QFrame {
    Q_OBJECT
public:
    explicit FileChangeBar(QWidget* parent = nullptr);

    // Shows text with a button for each of the choices (their labels).
    void Offer(const QString& text, const QStringList& choices);

    QString Text() const;
    // The button of choice index; null for another index.
    QPushButton* Button(int index) const;

signals:
    // The user chose the choice at index.
    void chosen(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Choose(int index);

    QLabel* m_text;
    QList<QPushButton*> m_buttons;
};

}  // namespace quorbex
