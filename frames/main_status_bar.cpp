#include "frames/main_status_bar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

#include "frames/lock_keys.h"
#include "platform/framework_ids.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"

namespace quorbex {

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent) {
    auto* idle = new QLabel(Tr(UiText::IdleMessage), this);
    addWidget(idle, 1);
    m_warning = new QLabel(this);
    m_warning->setStyleSheet(QStringLiteral("color: #b00000"));
    m_warning->hide();
    addWidget(m_warning);
    AddPane(ID_INDICATOR_RECORDS, Tr(UiText::RecordsPaneWidth),
            Tr(UiText::RecordsPane).arg(0).arg(0));
    AddPane(platform::ID_INDICATOR_CAPS, Tr(UiText::CapsLockPane), QString());
    AddPane(platform::ID_INDICATOR_NUM, Tr(UiText::NumLockPane), QString());
    AddPane(platform::ID_INDICATOR_SCRL, Tr(UiText::ScrollLockPane), QString());
    qApp->installEventFilter(this);
    UpdateLockPanes();
}

MainStatusBar::~MainStatusBar() {
    qApp->removeEventFilter(this);
}

void MainStatusBar::AddPane(unsigned id, const QString& widthText, const QString& text) {
    auto* pane = new QLabel(text, this);
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(widthText) + 12);
    addPermanentWidget(pane);
    m_panes.insert(id, pane);
}

void MainStatusBar::ShowWarning(const QString& text) {
    m_warning->setText(text);
    m_warning->setVisible(!text.isEmpty());
}

QString MainStatusBar::Warning() const {
    return m_warning->text();
}

void MainStatusBar::ShowRecordCounts(int records, int results) {
    QLabel* pane = m_panes.value(ID_INDICATOR_RECORDS);
    pane->setText(Tr(UiText::RecordsPane).arg(records).arg(results));
    pane->repaint();
}

bool MainStatusBar::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock) {
                UpdateLockPanes();
            }
            break;
        }
        // The keys may have changed while another program had the keyboard.
        case QEvent::ApplicationActivate:
            UpdateLockPanes();
            break;
        default:
            break;
    }
    return QStatusBar::eventFilter(watched, event);
}

void MainStatusBar::UpdateLockPanes() {
    const std::optional<LockKeys> locks = ReadLockKeys();
    m_panes.value(platform::ID_INDICATOR_CAPS)
        ->setText(locks && locks->capsLock ? Tr(UiText::CapsLockPane) : QString());
    m_panes.value(platform::ID_INDICATOR_NUM)
        ->setText(locks && locks->numLock ? Tr(UiText::NumLockPane) : QString());
    m_panes.value(platform::ID_INDICATOR_SCRL)
        ->setText(locks && locks->scrollLock ? Tr(UiText::ScrollLockPane) : QString());
}

}  // namespace quorbex
