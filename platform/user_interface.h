// What the documents and views need from the user and the screen: message
// boxes, the text prompt, popup menus, the wait cursor and file names. The
// program supplies the real dialogs; tests supply scripted ones.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>
#include <span>
#include <string>

namespace quorbex::platform {

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box over the main window with the MB_* style; answers
    // IDOK, IDCANCEL, IDYES or IDNO. An empty caption shows the program name.
    virtual int MessageBox(const QString& text, const QString& caption, unsigned style) = 0;

    // Asks for one line of text, at most limit bytes in GBK. text holds the
    // initial value and receives the entry (GBK) when the answer is IDOK.
    virtual int InputText(const QString& prompt, std::string& text, int limit) = 0;

    // Shows a menu of the main window's commands (0 for a separator) with its
    // top-left corner at position (screen coordinates); the item chosen runs
    // its command.
    virtual void TrackPopupMenu(std::span<const unsigned> commands, QPoint position) = 0;

    // The screen rectangle of a tool bar button, if the bar shows it.
    virtual std::optional<QRect> ToolBarButtonRect(unsigned toolBarId, unsigned commandId) = 0;

    // Writes text into the pane paneId of the main window's status bar; false
    // when there is no such bar or pane.
    virtual bool SetStatusPaneText(unsigned paneId, const QString& text) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Asks where to save a document; nothing when the user cancels.
    virtual std::optional<QString> PromptSaveFileName(const QString& initialPath,
                                                      const QString& filter) = 0;
};

// The caption of a message box that has none of its own.
QString ApplicationName();

}  // namespace quorbex::platform
