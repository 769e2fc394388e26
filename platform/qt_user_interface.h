// The user-interface services on Qt widgets: message boxes, the wait cursor
// and the save dialog, over the program's main window. The text prompt is
// the program's own dialog and is left to a subclass.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/user_interface.h"

namespace quorbex::platform {

class QtUserInterface : public UserInterface {
public:
    // The window that owns message boxes and dialogs; none while there is none.
    void SetMainWindow(QWidget* window) { m_window = window; }
    QWidget* MainWindow() const { return m_window; }

    int Choose(const QString& text, QMessageBox::Icon icon, const QStringList& choices,
               int defaultChoice, int escapeChoice) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    std::optional<QString> PromptSaveFileName(const QString& initialPath,
                                              const QString& filter) override;

protected:
    QMessageBox::StandardButton ShowMessageBox(const QString& text, const QString& caption,
                                               QMessageBox::Icon icon,
                                               QMessageBox::StandardButtons buttons) override;

private:
    QPointer<QWidget> m_window;
};

}  // namespace quorbex::platform
