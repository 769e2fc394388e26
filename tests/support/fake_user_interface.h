// Scripted stand-ins for the user-interface services: they record what the
// program showed and answer with what the test queued.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "document/drug_entry_prompt.h"
#include "platform/message_box.h"
#include "platform/user_interface.h"

namespace quorbex::testing {

class FakeUserInterface : public platform::UserInterface {
public:
    struct Message {
        QString text;
        QString caption;
        unsigned style;
    };
    struct Prompt {
        QString prompt;
        std::string initialText;
        int limit;
    };
    struct ShownMenu {
        std::vector<unsigned> commands;  // 0 for a separator
        QPoint position;
    };

    int MessageBox(const QString& text, const QString& caption, unsigned style) override {
        messages.push_back({text, caption, style});
        if (!messageAnswers.empty()) {
            const int answer = messageAnswers.front();
            messageAnswers.pop_front();
            return answer;
        }
        if ((style & platform::MB_TYPEMASK) != platform::MB_OK) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return platform::IDCANCEL;
        }
        return platform::IDOK;
    }

    // A queued nothing cancels the prompt; a queued text (GBK) confirms it.
    int InputText(const QString& prompt, std::string& text, int limit) override {
        prompts.push_back({prompt, text, limit});
        if (promptAnswers.empty()) {
            ADD_FAILURE() << "unexpected prompt: " << prompt.toStdString();
            return platform::IDCANCEL;
        }
        const std::optional<std::string> answer = promptAnswers.front();
        promptAnswers.pop_front();
        if (!answer) {
            return platform::IDCANCEL;
        }
        text = *answer;
        return platform::IDOK;
    }

    void TrackPopupMenu(std::span<const unsigned> commands, QPoint position) override {
        menus.push_back({{commands.begin(), commands.end()}, position});
        if (!menuChoices.empty()) {
            const unsigned choice = menuChoices.front();
            menuChoices.pop_front();
            if (commandSink) {
                commandSink(choice);
            }
        }
    }

    std::optional<QRect> ToolBarButtonRect(unsigned toolBarId, unsigned commandId) override {
        const auto found = buttonRects.find({toolBarId, commandId});
        if (found == buttonRects.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    bool SetStatusPaneText(unsigned paneId, const QString& text) override {
        if (!hasStatusBar) {
            return false;
        }
        statusPanes[paneId] = text;
        return true;
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
    std::deque<int> messageAnswers;
    std::vector<Prompt> prompts;
    std::deque<std::optional<std::string>> promptAnswers;
    std::vector<ShownMenu> menus;
    std::deque<unsigned> menuChoices;
    std::function<void(unsigned)> commandSink;  // runs the command of a chosen item
    std::map<std::pair<unsigned, unsigned>, QRect> buttonRects;
    bool hasStatusBar = true;
    std::map<unsigned, QString> statusPanes;
    int waitCursorDepth = 0;
    int waitCursorShown = 0;
    std::vector<std::pair<QString, QString>> saveDialogs;  // initial path, filter
    std::deque<std::optional<QString>> saveNames;          // nothing cancels
};

// The drug entry dialog, scripted: it answers a queued result and hands out
// the fields the test set.
class FakeDrugEntry : public DrugEntryPrompt {
public:
    struct Script {
        int answer = platform::IDOK;
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

    int DoModal() override {
        m_script.ran = true;
        return m_script.answer;
    }

private:
    Script& m_script;
};

}  // namespace quorbex::testing
