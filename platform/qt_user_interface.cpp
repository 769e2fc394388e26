#include "platform/qt_user_interface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/framework_strings.h"

namespace quorbex::platform {

namespace {

QMessageBox::StandardButton DefaultButton(QMessageBox::StandardButtons buttons) {
    return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Yes;
}

QMessageBox::StandardButton EscapeButton(QMessageBox::StandardButtons buttons) {
    if (buttons.testFlag(QMessageBox::Cancel)) {
        return QMessageBox::Cancel;
    }
    return buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
}

}  // namespace

QString ApplicationName() {
    return QCoreApplication::applicationName();
}

QMessageBox::StandardButton QtUserInterface::ShowMessageBox(const QString& text,
                                                            const QString& caption,
                                                            QMessageBox::Icon icon,
                                                            QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, caption.isEmpty() ? ApplicationName() : caption, text, buttons,
                    MainWindow());
    box.setDefaultButton(DefaultButton(buttons));
    box.setEscapeButton(EscapeButton(buttons));
    const std::pair<QMessageBox::StandardButton, FrameworkText> labels[] = {
        {QMessageBox::Ok, FrameworkText::OkButton},
        {QMessageBox::Cancel, FrameworkText::CancelButton},
        {QMessageBox::Yes, FrameworkText::YesButton},
        {QMessageBox::No, FrameworkText::NoButton},
    };
    for (const auto& [button, label] : labels) {
        if (QAbstractButton* shown = box.button(button)) {
            shown->setText(Tr(label));
        }
    }
    // A command may ask while it shows the wait cursor; the box gets the arrow.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    if (waiting) {
        QApplication::restoreOverrideCursor();
    }
    // Closing the box by its title bar answers what Escape answers.
    return buttons.testFlag(answer) ? answer : EscapeButton(buttons);
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
        QFileDialog::getSaveFileName(MainWindow(), Tr(FrameworkText::SaveAsTitle), start, filter);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen;
}

}  // namespace quorbex::platform
