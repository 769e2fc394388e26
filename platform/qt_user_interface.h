// The user-interface services on Qt widgets: message boxes, popup menus,
// the wait cursor, the save dialog, and what the main window provides. The
// text prompt is the program's own dialog and is left to a subclass.
#pragma once

#include "platform/user_interface.h"

class QWidget;

namespace quorbex::platform {

class MainFrameServices;

class QtUserInterface : public UserInterface {
public:
    // The main window, once it exists; null while there is none.
    void SetMainFrame(MainFrameServices* frame) { m_frame = frame; }
    // The window that owns message boxes and dialogs; may be null.
    QWidget* MainWindow() const;

    int MessageBox(const QString& text, const QString& caption, unsigned style) override;
    void TrackPopupMenu(std::span<const unsigned> commands, QPoint position) override;
    std::optional<QRect> ToolBarButtonRect(unsigned toolBarId, unsigned commandId) override;
    bool SetStatusPaneText(unsigned paneId, const QString& text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    std::optional<QString> PromptSaveFileName(const QString& initialPath,
                                              const QString& filter) override;

private:
    MainFrameServices* m_frame = nullptr;
};

}  // namespace quorbex::platform
