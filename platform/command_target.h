// Command routing by numeric identifiers. Each target keeps a map of the
// commands, command-state updates and notifications that it handles; a
// command travels along a chain of targets to the first that handles it.
#pragma once

#include <functional>
#include <vector>

namespace quorbex::platform {

// The state of a menu item or tool bar button while it is being updated.
class CmdUI {
public:
    explicit CmdUI(unsigned id) : m_id(id) {}

    unsigned GetId() const { return m_id; }
    void Enable(bool enabled = true) { m_enabled = enabled; }
    void SetCheck(bool checked = true) {
        m_checked = checked;
        m_hasCheck = true;
    }
    bool IsEnabled() const { return m_enabled; }
    bool IsChecked() const { return m_checked; }
    // Whether an update handler gave the item a check state at all.
    bool HasCheck() const { return m_hasCheck; }

private:
    unsigned m_id;
    bool m_enabled = true;
    bool m_checked = false;
    bool m_hasCheck = false;
};

// A control's notification, such as a tool bar's drop-down arrow being pressed.
struct Notification {
    unsigned controlId;
    int code;
    unsigned item;  // the command id of the button concerned
};

// Notification codes.
inline constexpr int TBN_DROPDOWN = -710;

class CommandMap {
public:
    void On(unsigned id, std::function<void()> handler);
    void OnRange(unsigned first, unsigned last, std::function<void(unsigned id)> handler);
    void OnUpdate(unsigned id, std::function<void(CmdUI&)> handler);
    void OnUpdateRange(unsigned first, unsigned last, std::function<void(CmdUI&)> handler);
    void OnNotify(unsigned controlId, int code, std::function<void(const Notification&)> handler);

    bool Execute(unsigned id) const;
    bool HasCommand(unsigned id) const;
    bool Update(CmdUI& ui) const;
    bool Notify(const Notification& notification) const;

private:
    struct Command {
        unsigned first;
        unsigned last;
        std::function<void(unsigned)> handler;
    };
    struct UpdateHandler {
        unsigned first;
        unsigned last;
        std::function<void(CmdUI&)> handler;
    };
    struct NotifyHandler {
        unsigned controlId;
        int code;
        std::function<void(const Notification&)> handler;
    };
    std::vector<Command> m_commands;
    std::vector<UpdateHandler> m_updates;
    std::vector<NotifyHandler> m_notifications;
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // The command map of this target; a target that handles nothing keeps it empty.
    CommandMap& Commands() { return m_commands; }
    const CommandMap& Commands() const { return m_commands; }

private:
    CommandMap m_commands;
};

// A chain of targets, in routing order; null entries are skipped.
using RoutingChain = std::vector<CommandTarget*>;

// Runs the first handler along the chain; false when nothing handles id.
bool RouteCommand(const RoutingChain& chain, unsigned id);
// Fills ui from the first target that has an update handler or a command
// handler for its id; a command that nothing handles is disabled.
void RouteUpdate(const RoutingChain& chain, CmdUI& ui);
bool RouteNotify(const RoutingChain& chain, const Notification& notification);

}  // namespace quorbex::platform
