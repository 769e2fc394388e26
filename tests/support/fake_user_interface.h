// Scripted stand-ins for the user-interface services: they record what the
// program showed and answer with what the test queued.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/conflict_prompt.h"
#include "document/drug_entry_prompt.h"
#include "platform/user_interface.h"
#include "tests/support/recorded_messages.h"

namespace quorbex::testing {

class FakeUserInterface : public platform::UserInterface {
public:
    using Message = RecordedMessage;
    struct Prompt {
        QString prompt;
        std::string initialText;
        int limit;
    };

    // A queued nothing cancels the prompt; a queued text (GBK) confirms it.
    bool InputText(const QString& prompt, std::string& text, int limit) override {
        prompts.push_back({prompt, text, limit});
        if (promptAnswers.empty()) {
            ADD_FAILURE() << "unexpected prompt: " << prompt.toStdString();
            return false;
        }
        const std::optional<std::string> answer = promptAnswers.front();
        promptAnswers.pop_front();
        if (!answer) {
            return false;
        }
        text = *answer;
        return true;
    }

    // Answers the next queued choice; a question with none queued is a
    // failure of the test and answers escapeChoice.
    int Choose(const QString& text, QMessageBox::Icon, const QStringList& options,
               int defaultChoice, int escapeChoice) override {
        choices.push_back({text, options, defaultChoice});
        if (choiceAnswers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return escapeChoice;
        }
        const int answer = choiceAnswers.front();
        choiceAnswers.pop_front();
        return answer;
    }

    void BeginWaitCursor() override {
        ++waitCursorDepth;
        ++waitCursorShown;
    }
    void EndWaitCursor() override { --waitCursorDepth; }

    std::optional<QString> PromptSaveFileName(const QString& initialPath,
                                              const QString& filter) override {
        saveDialogs.push_back({initialPath, filter});
        if (saveNames.empty()) {
            ADD_FAILURE() << "unexpected save dialog";
            return std::nullopt;
        }
        const std::optional<QString> name = saveNames.front();
        saveNames.pop_front();
        return name;
    }

    std::vector<Message> messages;
    std::deque<QMessageBox::StandardButton> messageAnswers;
    struct Choice {
        QString text;
        QStringList options;
        int defaultChoice;
    };
    std::vector<Choice> choices;
    std::deque<int> choiceAnswers;
    std::vector<Prompt> prompts;
    std::deque<std::optional<std::string>> promptAnswers;
    int waitCursorDepth = 0;
    int waitCursorShown = 0;
    std::vector<std::pair<QString, QString>> saveDialogs;  // initial path, filter
    std::deque<std::optional<QString>> saveNames;          // nothing cancels

protected:
    QMessageBox::StandardButton ShowMessageBox(const QString& text, const QString& caption,
                                               QMessageBox::Icon icon,
                                               QMessageBox::StandardButtons buttons) override {
        return RecordMessage(messages, messageAnswers, {text, caption, icon, buttons});
    }
};

// The drug entry dialog, scripted: it answers a queued result and hands out
// the fields the test set.
class FakeDrugEntry : public DrugEntryPrompt {
public:
    struct Script {
        QDialog::DialogCode answer = QDialog::Accepted;
        // What the user leaves in the seven fields (GBK); nothing keeps what
        // the dialog was filled with.
        std::optional<DrugFields> edits;
        // The fields the dialog was filled with before it ran (empty if not filled).
        DrugFields filledWith;
        bool filled = false;
        bool ran = false;
    };

    explicit FakeDrugEntry(Script& script) : m_script(script) {}

    void ExchangeFields(DrugFields& fields, bool toCaller) override {
        if (toCaller) {
            fields = m_script.edits ? *m_script.edits : m_script.filledWith;
        } else {
            m_script.filledWith = fields;
            m_script.filled = true;
        }
    }

    QDialog::DialogCode DoModal() override {
        m_script.ran = true;
        return m_script.answer;
    }

private:
    Script& m_script;
};

// The merge conflict dialog, scripted: it records the conflicts it was
// shown and settles each of them for one side, or cancels.
class FakeConflictPrompt : public ConflictPrompt {
public:
    struct Script {
        bool cancel = false;
        Side prefer = Side::Ours;
        std::vector<MergeConflict> shown;
        int runs = 0;
        // What happens while the dialog shows.
        std::function<void()> whileShown;
    };

    explicit FakeConflictPrompt(Script& script) : m_script(script) {}

    std::optional<std::vector<ConflictResolution>> Settle(
        const std::vector<MergeConflict>& conflicts) override {
        ++m_script.runs;
        m_script.shown = conflicts;
        if (m_script.whileShown) {
            m_script.whileShown();
        }
        if (m_script.cancel) {
            return std::nullopt;
        }
        std::vector<ConflictResolution> resolutions;
        for (const MergeConflict& conflict : conflicts) {
            resolutions.push_back(Prefer(conflict, m_script.prefer));
        }
        return resolutions;
    }

private:
    Script& m_script;
};

}  // namespace quorbex::testing
