// What the user-interface services need of the program's main window.
#pragma once

#include <QRect>
#include <QString>
#include <optional>

class QAction;
class QWidget;

namespace quorbex::platform {

class MainFrameServices {
public:
    virtual ~MainFrameServices() = default;

    // The window that owns message boxes, dialogs and menus.
    virtual QWidget* Window() = 0;
    // The action of command id, as the main window's menus show it; null
    // for an unknown id.
    virtual QAction* Action(unsigned id) = 0;
    // The screen rectangle of a tool bar button, if the bar shows it.
    virtual std::optional<QRect> ToolBarButtonRect(unsigned toolBarId, unsigned commandId) = 0;
    // Writes text into a status bar pane; false if there is no such pane.
    virtual bool SetStatusPaneText(unsigned paneId, const QString& text) = 0;
};

}  // namespace quorbex::platform
