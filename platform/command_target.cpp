#include "platform/command_target.h"

#include <algorithm>

namespace quorbex::platform {

void CommandMap::On(unsigned id, std::function<void()> handler) {
    m_commands.push_back({id, id, [handler = std::move(handler)](unsigned) { handler(); }});
}

void CommandMap::OnRange(unsigned first, unsigned last, std::function<void(unsigned)> handler) {
    m_commands.push_back({first, last, std::move(handler)});
}

void CommandMap::OnUpdate(unsigned id, std::function<void(CmdUI&)> handler) {
    m_updates.push_back({id, id, std::move(handler)});
}

void CommandMap::OnUpdateRange(unsigned first, unsigned last, std::function<void(CmdUI&)> handler) {
    m_updates.push_back({first, last, std::move(handler)});
}

void CommandMap::OnNotify(unsigned controlId, int code,
                          std::function<void(const Notification&)> handler) {
    m_notifications.push_back({controlId, code, std::move(handler)});
}

bool CommandMap::Execute(unsigned id) const {
    for (const Command& command : m_commands) {
        if (id >= command.first && id <= command.last) {
            command.handler(id);
            return true;
        }
    }
    return false;
}

bool CommandMap::HasCommand(unsigned id) const {
    return std::any_of(m_commands.begin(), m_commands.end(), [id](const Command& command) {
        return id >= command.first && id <= command.last;
    });
}

bool CommandMap::Update(CmdUI& ui) const {
    for (const auto& update : m_updates) {
        if (ui.GetId() >= update.first && ui.GetId() <= update.last) {
            update.handler(ui);
            return true;
        }
    }
    return false;
}

bool CommandMap::Notify(const Notification& notification) const {
    for (const auto& notify : m_notifications) {
        if (notify.controlId == notification.controlId && notify.code == notification.code) {
            notify.handler(notification);
            return true;
        }
    }
    return false;
}

bool RouteCommand(const RoutingChain& chain, unsigned id) {
    for (CommandTarget* target : chain) {
        if (target != nullptr && target->Commands().Execute(id)) {
            return true;
        }
    }
    return false;
}

void RouteUpdate(const RoutingChain& chain, CmdUI& ui) {
    for (CommandTarget* target : chain) {
        if (target == nullptr) {
            continue;
        }
        if (target->Commands().Update(ui)) {
            return;
        }
        if (target->Commands().HasCommand(ui.GetId())) {
            ui.Enable(true);
            return;
        }
    }
    ui.Enable(false);
}

bool RouteNotify(const RoutingChain& chain, const Notification& notification) {
    for (CommandTarget* target : chain) {
        if (target != nullptr && target->Commands().Notify(notification)) {
            return true;
        }
    }
    return false;
}

}  // namespace quorbex::platform
