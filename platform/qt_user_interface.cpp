#include "platform/qt_user_interface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QStatusTipEvent>

#include "platform/main_frame_services.h"
#include "platform/message_box.h"
#include "resources/strings.h"

namespace quorbex::platform {

namespace {

QMessageBox::Icon IconOf(unsigned style) {
    switch (style & MB_ICONMASK) {
        case MB_ICONERROR:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

struct Buttons {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
};

Buttons ButtonsOf(unsigned style) {
    switch (style & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
        case MB_YESNOCANCEL:
            return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                    QMessageBox::Cancel};
        case MB_YESNO:
            return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
        default:
            return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
    }
}

int AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
    }
}

}  // namespace

QString ApplicationName() {
    return QCoreApplication::applicationName();
}

QWidget* QtUserInterface::MainWindow() const {
    return m_frame != nullptr ? m_frame->Window() : nullptr;
}

int QtUserInterface::MessageBox(const QString& text, const QString& caption, unsigned style) {
    const Buttons buttons = ButtonsOf(style);
    QMessageBox box(IconOf(style), caption.isEmpty() ? ApplicationName() : caption, text,
                    buttons.buttons, MainWindow());
    box.setDefaultButton(buttons.defaultButton);
    box.setEscapeButton(buttons.escapeButton);
    const std::pair<QMessageBox::StandardButton, QString> labels[] = {
        {QMessageBox::Ok, Tr(UiText::OkButton)},
        {QMessageBox::Cancel, Tr(UiText::CancelButton)},
        {QMessageBox::Yes, Tr(UiText::YesButton)},
        {QMessageBox::No, Tr(UiText::NoButton)},
    };
    for (const auto& [button, label] : labels) {
        if (QAbstractButton* shown = box.button(button)) {
            shown->setText(label);
        }
    }
    // A command may ask while it shows the wait cursor; the box gets the arrow.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    const int answer = AnswerOf(box.exec());
    if (waiting) {
        QApplication::restoreOverrideCursor();
    }
    return answer;
}

void QtUserInterface::TrackPopupMenu(std::span<const unsigned> commands, QPoint position) {
    if (m_frame == nullptr) {
        return;
    }
    QWidget* window = m_frame->Window();
    QMenu popup(window);
    for (const unsigned id : commands) {
        if (id == 0) {
            popup.addSeparator();
        } else if (QAction* action = m_frame->Action(id)) {
            popup.addAction(action);
        }
    }
    // A popup menu is a window of its own, so the prompts of its items do not
    // reach the main window's status bar by themselves.
    QObject::connect(&popup, &QMenu::hovered, window,
                     [window](QAction* action) { action->showStatusText(window); });
    QObject::connect(&popup, &QMenu::aboutToHide, window, [window] {
        QStatusTipEvent clear{QString()};
        QCoreApplication::sendEvent(window, &clear);
    });
    popup.exec(position);
}

std::optional<QRect> QtUserInterface::ToolBarButtonRect(unsigned toolBarId, unsigned commandId) {
    if (m_frame == nullptr) {
        return std::nullopt;
    }
    return m_frame->ToolBarButtonRect(toolBarId, commandId);
}

bool QtUserInterface::SetStatusPaneText(unsigned paneId, const QString& text) {
    return m_frame != nullptr && m_frame->SetStatusPaneText(paneId, text);
}

void QtUserInterface::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserInterface::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

std::optional<QString> QtUserInterface::PromptSaveFileName(const QString& initialPath,
                                                           const QString& filter) {
    const QString start =
        QFileInfo(initialPath).isAbsolute() ? initialPath : QDir::home().filePath(initialPath);
    const QString chosen =
        QFileDialog::getSaveFileName(MainWindow(), Tr(UiText::SaveAsTitle), start, filter);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen;
}

}  // namespace quorbex::platform
