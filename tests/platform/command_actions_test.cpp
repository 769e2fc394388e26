#include "platform/command_actions.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace quorbex::platform {
namespace {

constexpr CommandSpec SPECS[] = {
    {CommandId{1}, "打开(&O)...", "Ctrl+O", "打开一个现有文档\n打开", ":/icons/file_open.svg"},
    {CommandId{2}, "撤消(&U)", "Ctrl+Z; Alt+Backspace", "撤消最后一步操作", ""},
    {CommandId{3}, "", "F6", "", ""},
    {CommandId{4}, "标准工具条", "", "", "", CommandMark::Check},
    {CommandId{5}, "按品名排序", "", "", "", CommandMark::Radio},
    {CommandId{6}, "按英文排序", "", "", "", CommandMark::Radio},
};

TEST(CommandActions, EachCommandBecomesOneActionWithWhatItsEntryGives) {
    QWidget window;
    const CommandActions actions(SPECS, window);
    EXPECT_EQ(actions.Actions().size(), 6);
    EXPECT_TRUE(actions.Has(CommandId{1}));
    EXPECT_FALSE(actions.Has(CommandId{7}));

    QAction* open = &actions.Action(CommandId{1});
    EXPECT_EQ(CommandOf(*open), CommandId{1});
    EXPECT_EQ(open->text(), QStringLiteral("打开(&O)..."));
    EXPECT_EQ(open->shortcuts(), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_O)});
    EXPECT_EQ(open->statusTip(), QStringLiteral("打开一个现有文档"));
    EXPECT_EQ(open->toolTip(), QStringLiteral("打开"));
    EXPECT_FALSE(open->icon().isNull());
    EXPECT_FALSE(open->isCheckable());

    // The first keys are the ones a menu shows.
    QAction* undo = &actions.Action(CommandId{2});
    EXPECT_EQ(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(undo->shortcuts().value(1), QKeySequence(Qt::ALT | Qt::Key_Backspace));
    EXPECT_EQ(undo->statusTip(), QStringLiteral("撤消最后一步操作"));
    EXPECT_TRUE(undo->icon().isNull());

    EXPECT_TRUE(actions.Action(CommandId{4}).isCheckable());
    EXPECT_EQ(actions.Action(CommandId{4}).actionGroup(), nullptr);
    // The radio items exclude each other.
    QActionGroup* group = actions.Action(CommandId{5}).actionGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(actions.Action(CommandId{6}).actionGroup(), group);
    EXPECT_EQ(group->exclusionPolicy(), QActionGroup::ExclusionPolicy::Exclusive);
    actions.Action(CommandId{5}).trigger();
    actions.Action(CommandId{6}).trigger();
    EXPECT_FALSE(actions.Action(CommandId{5}).isChecked());
    EXPECT_TRUE(actions.Action(CommandId{6}).isChecked());
}

TEST(CommandActions, KeysWorkAnywhereInTheWindow) {
    QWidget window;
    const CommandActions actions(SPECS, window);
    auto* child = new QWidget(&window);
    child->setFocusPolicy(Qt::StrongFocus);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    child->setFocus();

    int pane = 0;
    int undo = 0;
    QObject::connect(&actions.Action(CommandId{3}), &QAction::triggered, [&pane] { ++pane; });
    QObject::connect(&actions.Action(CommandId{2}), &QAction::triggered, [&undo] { ++undo; });
    QTest::keyClick(child, Qt::Key_F6);
    QTest::keyClick(child, Qt::Key_Backspace, Qt::AltModifier);
    QTest::keyClick(child, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(pane, 1);
    EXPECT_EQ(undo, 2);
}

}  // namespace
}  // namespace quorbex::platform
