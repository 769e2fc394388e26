#include "frames/file_change_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace quorbex {

FileChangeBar::FileChangeBar(QWidget* parent) : QFrame(parent), m_text(new QLabel(this)) {
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    m_text->setWordWrap(true);
    m_text->setForegroundRole(QPalette::ToolTipText);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_text, 1);
    hide();
}

void FileChangeBar::Offer(const QString& text, const QStringList& choices) {
    m_text->setText(text);
    // A choice may offer the next thing from its own button's click: the old
    // buttons go once that click is over.
    for (QPushButton* button : m_buttons) {
        button->hide();
        button->deleteLater();
    }
    m_buttons.clear();
    for (int index = 0; index < choices.size(); ++index) {
        auto* button = new QPushButton(choices[index], this);
        button->setDefault(index == 0);
        layout()->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, index] { Choose(index); });
        m_buttons.append(button);
    }
    show();
}

QString FileChangeBar::Text() const {
    return m_text->text();
}

QPushButton* FileChangeBar::Button(int index) const {
    return index >= 0 && index < m_buttons.size() ? m_buttons[index] : nullptr;
}

void FileChangeBar::Choose(int index) {
    hide();
    emit chosen(index);
}

void FileChangeBar::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !m_buttons.isEmpty()) {
        Choose(0);
        return;
    }
    QFrame::keyPressEvent(event);
}

}  // namespace quorbex
