#include "platform/qt_user_interface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

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

int QtUserInterface::Choose(const QString& text, QMessageBox::Icon icon, const QStringList& choices,
                            int defaultChoice, int escapeChoice) {
    QMessageBox box(icon, ApplicationName(), text, QMessageBox::NoButton, MainWindow());
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices) {
        buttons.append(box.addButton(choice, QMessageBox::ActionRole));
    }
    if (defaultChoice >= 0 && defaultChoice < buttons.size()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons[defaultChoice]));
    }
    if (escapeChoice >= 0 && escapeChoice < buttons.size()) {
        box.setEscapeButton(buttons[escapeChoice]);
    }
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    box.exec();
    if (waiting) {
        QApplication::restoreOverrideCursor();
    }
    const auto chosen = static_cast<int>(buttons.indexOf(box.clickedButton()));
    return chosen >= 0 ? chosen : escapeChoice;
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
