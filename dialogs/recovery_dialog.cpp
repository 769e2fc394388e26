#include "dialogs/recovery_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "resources/strings.h"

namespace quorbex {

RecoveryDialog::RecoveryDialog(const std::vector<platform::FoundRecovery>& found, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)) {
    setWindowTitle(Tr(UiText::RecoveryListTitle));
    auto* text = new QLabel(Tr(UiText::RecoveryListText).arg(found.size()), this);
    text->setWordWrap(true);
    for (const platform::FoundRecovery& entry : found) {
        const QString line =
            entry.data ? QStringLiteral("%1 (%2)").arg(entry.Shown(), entry.When())
                       : Tr(UiText::RecoveryDamagedEntry).arg(entry.Shown(), entry.When());
        m_list->addItem(line);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddButton(Choice::RestoreAll, Tr(UiText::RestoreAllButton)));
    buttons->addWidget(AddButton(Choice::DiscardAll, Tr(UiText::DiscardAllButton)));
    buttons->addWidget(AddButton(Choice::OneByOne, Tr(UiText::OneByOneButton)));
    buttons->addStretch(1);
    buttons->addWidget(AddButton(Choice::AskLater, Tr(UiText::AskLaterButton)));
    // Enter restores: the safe answer, that loses nothing.
    Button(Choice::RestoreAll)->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(640, 360);
}

QPushButton* RecoveryDialog::AddButton(Choice choice, const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, choice] {
        m_choice = choice;
        if (choice == Choice::AskLater) {
            reject();
        } else {
            accept();
        }
    });
    m_buttons.emplace_back(choice, button);
    return button;
}

QPushButton* RecoveryDialog::Button(Choice choice) const {
    for (const auto& [each, button] : m_buttons) {
        if (each == choice) {
            return button;
        }
    }
    return nullptr;
}

}  // namespace quorbex
