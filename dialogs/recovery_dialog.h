// Offers the unsaved changes of several dictionaries at once, after a
// program that ended without closing them: one list, and one answer for
// all of them (restore all, discard all), or a question for each in turn.
// Damaged files are listed as such; restoring all passes them over.
#pragma once

#include <QDialog>
#include <vector>

#include "platform/document_recovery.h"

class QListWidget;
class QPushButton;

namespace quorbex {

class RecoveryDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { AskLater, RestoreAll, DiscardAll, OneByOne };

    explicit RecoveryDialog(const std::vector<platform::FoundRecovery>& found,
                            QWidget* parent = nullptr);

    // What the user chose; AskLater when the dialog was closed.
    Choice GetChoice() const { return m_choice; }

    QListWidget* List() const { return m_list; }
    QPushButton* Button(Choice choice) const;

private:
    QPushButton* AddButton(Choice choice, const QString& text);

    QListWidget* m_list;
    std::vector<std::pair<Choice, QPushButton*>> m_buttons;
    Choice m_choice = Choice::AskLater;
};

}  // namespace quorbex
