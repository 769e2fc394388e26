#include "platform/command_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QWidget>

#include "platform/svg_icon.h"

namespace quorbex::platform {

CommandActions::CommandActions(std::span<const CommandSpec> commands, QWidget& window) {
    QActionGroup* radioGroup = nullptr;
    for (const CommandSpec& command : commands) {
        auto* action =
            new QAction(QCoreApplication::translate(COMMANDS_CONTEXT, command.text), &window);
        action->setData(static_cast<unsigned>(command.id));
        const QStringList prompt =
            QCoreApplication::translate(COMMANDS_CONTEXT, command.prompt).split(QLatin1Char('\n'));
        action->setStatusTip(prompt.value(0));
        action->setToolTip(prompt.value(1));
        if (*command.keys != '\0') {
            action->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(command.keys)));
        }
        if (*command.icon != '\0') {
            action->setIcon(SvgIcon(QString::fromUtf8(command.icon)));
        }
        action->setCheckable(command.mark != CommandMark::None);
        if (command.mark == CommandMark::Radio) {
            if (radioGroup == nullptr) {
                radioGroup = new QActionGroup(&window);
            }
            radioGroup->addAction(action);
        }
        window.addAction(action);
        m_actions.insert(command.id, action);
    }
}

QAction& CommandActions::Action(CommandId id) const {
    QAction* action = m_actions.value(id);
    if (action == nullptr) {
        qFatal("no action for command %u", static_cast<unsigned>(id));
    }
    return *action;
}

CommandId CommandOf(const QAction& action) {
    return CommandId{action.data().toUInt()};
}

}  // namespace quorbex::platform
