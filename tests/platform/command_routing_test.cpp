#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/command_target.h"

namespace quorbex::platform {
namespace {

// The five targets a command passes, in routing order. Each handler logs
// which target ran it.
struct Chain {
    static constexpr std::array<const char*, 5> NAMES{"view", "document", "frame", "main frame",
                                                      "application"};

    CommandTarget& Target(const std::string& name) {
        for (std::size_t i = 0; i < NAMES.size(); ++i) {
            if (name == NAMES[i]) {
                return targets[i];
            }
        }
        ADD_FAILURE() << "no target " << name;
        return targets[0];
    }
    void Handle(const std::string& name, unsigned id) {
        Target(name).Commands().On(id, [this, name] { log.push_back(name); });
    }
    RoutingChain Routing() {
        return {&targets[0], &targets[1], &targets[2], &targets[3], &targets[4]};
    }

    std::array<CommandTarget, 5> targets;
    std::vector<std::string> log;
};

TEST(CommandRouting, TheFirstTargetAlongTheChainThatHandlesACommandRunsIt) {
    struct Case {
        unsigned id;
        std::vector<std::string> handledBy;
        std::string runs;  // empty: nothing handles it
    };
    const Case cases[] = {
        {1, {"view", "document", "frame", "main frame", "application"}, "view"},
        {2, {"application", "frame", "document"}, "document"},
        {3, {"application", "frame"}, "frame"},
        {4, {"application", "main frame"}, "main frame"},
        {5, {"application"}, "application"},
        {6, {}, ""},
    };
    Chain chain;
    for (const Case& c : cases) {
        for (const std::string& name : c.handledBy) {
            chain.Handle(name, c.id);
        }
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        chain.log.clear();
        EXPECT_EQ(RouteCommand(chain.Routing(), c.id), !c.runs.empty());
        const std::vector<std::string> expected =
            c.runs.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.runs};
        EXPECT_EQ(chain.log, expected);
    }
}

TEST(CommandRouting, MissingTargetsAreSkipped) {
    Chain chain;
    chain.Handle("main frame", 7);
    // No dictionary window is open: no view, document or child frame.
    const RoutingChain routing{nullptr, nullptr, nullptr, &chain.Target("main frame"),
                               &chain.Target("application")};
    EXPECT_TRUE(RouteCommand(routing, 7));
    EXPECT_EQ(chain.log, std::vector<std::string>{"main frame"});
    EXPECT_FALSE(RouteCommand(routing, 8));
}

TEST(CommandRouting, RangeHandlersReceiveTheCommandAndTheFirstEntryOfAMapWins) {
    CommandTarget target;
    std::vector<unsigned> ranged;
    bool single = false;
    target.Commands().OnRange(102, 104, [&](unsigned id) { ranged.push_back(id); });
    target.Commands().On(103, [&] { single = true; });
    const RoutingChain routing{&target};
    EXPECT_TRUE(RouteCommand(routing, 102));
    EXPECT_TRUE(RouteCommand(routing, 103));
    EXPECT_TRUE(RouteCommand(routing, 104));
    EXPECT_FALSE(RouteCommand(routing, 105));
    EXPECT_FALSE(RouteCommand(routing, 101));
    EXPECT_EQ(ranged, (std::vector<unsigned>{102, 103, 104}));
    EXPECT_FALSE(single);
}

TEST(CommandRouting, UpdatesEnableWhatIsHandledAndLetTheFirstUpdateHandlerDecide) {
    Chain chain;
    // 10: nothing handles it. 11: the document handles it, without an update handler.
    chain.Handle("document", 11);
    // 12: the view disables it although the application would run it.
    chain.Target("view").Commands().OnUpdate(12, [](CmdUI& ui) { ui.Enable(false); });
    chain.Handle("application", 12);
    // 13: the frame checks it; the application's update handler is never asked.
    chain.Target("frame").Commands().OnUpdate(13, [](CmdUI& ui) { ui.SetCheck(true); });
    chain.Target("application").Commands().OnUpdate(13, [](CmdUI& ui) {
        ui.Enable(false);
        ui.SetCheck(false);
    });
    // 14 and 15: one range handler of the document, which sees each id.
    std::vector<unsigned> asked;
    chain.Target("document").Commands().OnUpdateRange(14, 15, [&](CmdUI& ui) {
        asked.push_back(ui.GetId());
        ui.SetCheck(ui.GetId() == 15);
    });

    struct Case {
        unsigned id;
        bool enabled;
        bool checked;
    };
    const Case cases[] = {
        {10, false, false}, {11, true, false}, {12, false, false},
        {13, true, true},   {14, true, false}, {15, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        CmdUI ui(c.id);
        RouteUpdate(chain.Routing(), ui);
        EXPECT_EQ(ui.IsEnabled(), c.enabled);
        EXPECT_EQ(ui.IsChecked(), c.checked);
    }
    EXPECT_EQ(asked, (std::vector<unsigned>{14, 15}));
    EXPECT_TRUE(chain.log.empty()) << "an update ran a command";

    // With no dictionary window the document's commands are disabled.
    CmdUI withoutDocument(11);
    RouteUpdate(
        {nullptr, nullptr, nullptr, &chain.Target("main frame"), &chain.Target("application")},
        withoutDocument);
    EXPECT_FALSE(withoutDocument.IsEnabled());
}

TEST(CommandRouting, NotificationsGoToTheFirstHandlerOfTheirControlAndCode) {
    Chain chain;
    std::vector<std::string> log;
    std::vector<unsigned> items;
    const auto handler = [&](const std::string& name) {
        return [&, name](const Notification& n) {
            log.push_back(name);
            items.push_back(n.item);
        };
    };
    chain.Target("view").Commands().OnNotify(55, TBN_DROPDOWN, handler("view"));
    chain.Target("document").Commands().OnNotify(101, TBN_DROPDOWN, handler("document"));
    chain.Target("main frame").Commands().OnNotify(101, TBN_DROPDOWN, handler("main frame"));
    chain.Target("application").Commands().OnNotify(101, -1, handler("application"));

    EXPECT_TRUE(RouteNotify(chain.Routing(), {101, TBN_DROPDOWN, 32774}));
    EXPECT_TRUE(RouteNotify(chain.Routing(), {101, -1, 32778}));
    EXPECT_FALSE(RouteNotify(chain.Routing(), {102, TBN_DROPDOWN, 32774}));
    EXPECT_FALSE(RouteNotify(chain.Routing(), {55, -1, 32774}));
    EXPECT_EQ(log, (std::vector<std::string>{"document", "application"}));
    EXPECT_EQ(items, (std::vector<unsigned>{32774, 32778}));
    EXPECT_TRUE(chain.log.empty());
}

}  // namespace
}  // namespace quorbex::platform
