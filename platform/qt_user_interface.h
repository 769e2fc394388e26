// The user-interface services on Qt widgets: message boxes, popup menus,
// the wait cursor and the save dialog. The text prompt and the tool bar
// geometry belong to the program's own windows and are left to a subclass.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "user_interface.h"

namespace quorbex::platform {

class QtUserInterface : public UserInterface {
  public:
    // The window that owns message boxes and menus; may be null.
    void SetMainWindow(QWidget* window) { m_mainWindow = window; }
    QWidget* MainWindow() const { return m_mainWindow; }
    // Where a command chosen from a popup menu is sent.
    void SetCommandSink(std::function<void(unsigned)> sink) { m_commandSink = std::move(sink); }

    int MessageBox(const QString& text, const QString& caption, unsigned style) override;
    void TrackPopupMenu(const PopupMenu& menu, QPoint position) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    std::optional<QString> PromptSaveFileName(const QString& initialPath,
                                              const QString& filter) override;

  private:
    QPointer<QWidget> m_mainWindow;
    std::function<void(unsigned)> m_commandSink;
};

}  // namespace quorbex::platform
