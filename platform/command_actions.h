// One QAction for each command of a table, made once and shared by every
// menu, tool bar and popup menu that offers the command, so that its text,
// keys, prompt and state are the same wherever it shows. Texts and prompts
// are shown in the language of the installed translation.
#pragma once

#include <QList>
#include <QMap>
#include <span>

#include "platform/command_spec.h"

class QAction;
class QWidget;

namespace quorbex::platform {

class CommandActions {
public:
    // The actions belong to window, and their keys work anywhere in it. The
    // commands marked as radio items form one group of exclusive choices.
    CommandActions(std::span<const CommandSpec> commands, QWidget& window);

    // The action of a command of the table. Asking for a command that the
    // table lacks is a fault of the program, not of its user: it stops there.
    QAction& Action(CommandId id) const;
    bool Has(CommandId id) const { return m_actions.contains(id); }
    QList<QAction*> Actions() const { return m_actions.values(); }

private:
    QMap<CommandId, QAction*> m_actions;
};

// The command an action of a table stands for.
CommandId CommandOf(const QAction& action);

}  // namespace quorbex::platform
