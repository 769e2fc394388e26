// The dialog that settles a merge's conflicts: the drugs in conflict listed
// on the left; for the one chosen, its two versions side by side field by
// field, mine and theirs, and for each field in conflict the result, which
// takes mine or theirs at a click or is edited in place. A drug that one
// side deleted and the other changed is kept or let go by a check box.
// Everything starts as mine.
#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "document/conflict_prompt.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace quorbex {

namespace platform {
class UserInterface;
}

class MergeConflictDialog : public QDialog, public ConflictPrompt {
    Q_OBJECT
public:
    explicit MergeConflictDialog(platform::UserInterface& ui, QWidget* parent = nullptr);
    ~MergeConflictDialog() override;

    std::optional<std::vector<ConflictResolution>> Settle(
        const std::vector<MergeConflict>& conflicts) override;

    // Fills the dialog with the conflicts, the first one shown.
    void Show(const std::vector<MergeConflict>& conflicts);
    // What the dialog holds now; nothing, after telling the user, when an
    // edited result holds a character that a dictionary cannot.
    std::optional<std::vector<ConflictResolution>> Resolutions();

    QListWidget* DrugList() const { return m_drugs; }
    // The controls of conflict's field; null for a field not in conflict.
    QLineEdit* ResultBox(int conflict, Field field) const;
    QPushButton* TakeMineButton(int conflict, Field field) const;
    QPushButton* TakeTheirsButton(int conflict, Field field) const;
    // Null for a conflict of texts changed on both sides.
    QCheckBox* KeepBox(int conflict) const;
    QPushButton* OkButton() const { return m_ok; }

    void accept() override;

private:
    struct Page {
        std::array<QLineEdit*, 7> results{};
        std::array<QPushButton*, 7> takeMine{};
        std::array<QPushButton*, 7> takeTheirs{};
        QCheckBox* keep = nullptr;
    };
    QWidget* MakePage(const MergeConflict& conflict, Page& page);

    platform::UserInterface& m_ui;
    std::vector<MergeConflict> m_conflicts;
    std::vector<Page> m_pages;
    QListWidget* m_drugs;
    QStackedWidget* m_stack;
    QPushButton* m_ok;
    std::vector<ConflictResolution> m_accepted;
};

}  // namespace quorbex
