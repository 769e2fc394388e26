// What the documents and the record commands need from the user: message
// boxes, the text prompt, the wait cursor and file names. The program
// supplies the real dialogs; tests supply scripted ones.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace quorbex::platform {

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box over the main window: text under caption (the
    // program's name when it is empty), with icon and buttons; answers the
    // button chosen. The first of Ok and Yes is the default button; Escape
    // answers Cancel, or No where there is no Cancel.
    QMessageBox::StandardButton MessageBox(const QString& text, const QString& caption,
                                           QMessageBox::Icon icon,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok) {
        return ShowMessageBox(text, caption, icon, buttons);
    }

    // A modal question over the main window with a button for each of the
    // choices (their labels), defaultChoice the default button; answers the
    // index of the one chosen, escapeChoice when the box is closed or Escape
    // is pressed.
    virtual int Choose(const QString& text, QMessageBox::Icon icon, const QStringList& choices,
                       int defaultChoice, int escapeChoice) = 0;

    // Asks for one line of text, at most limit bytes in GBK. text holds the
    // initial value and receives the entry (GBK) when the user confirms it;
    // true then.
    virtual bool InputText(const QString& prompt, std::string& text, int limit) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Asks where to save a document; nothing when the user cancels.
    virtual std::optional<QString> PromptSaveFileName(const QString& initialPath,
                                                      const QString& filter) = 0;

protected:
    virtual QMessageBox::StandardButton ShowMessageBox(const QString& text, const QString& caption,
                                                       QMessageBox::Icon icon,
                                                       QMessageBox::StandardButtons buttons) = 0;
};

// The caption of a message box that has none of its own.
QString ApplicationName();

}  // namespace quorbex::platform
