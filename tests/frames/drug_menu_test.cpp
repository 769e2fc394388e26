// The drug menu's keys and the result tree's mouse and context menu: they
// run the drug tool bar's commands on the tree's selection, while a text
// with the focus keeps its own keys.
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "frames/quick_search_box.h"
#include "platform/command_actions.h"
#include "resources/resource_ids.h"
#include "tests/frames/main_frame_fixture.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex::testing {
namespace {

class DrugMenuTest : public MainFrameTest {
protected:
    // Two drugs, A and B, in an active window with the focus in the tree on A.
    void SetUp() override {
        ShowFrame();
        QApplication::setActiveWindow(frame.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        document = OpenDictionary({"A", "B"});
        ASSERT_NE(document, nullptr);
        window = DrugFrameOf(*document);
        ASSERT_NE(window, nullptr);
        tree = window->TreeView();
        ASSERT_TRUE(tree->hasFocus());
        ASSERT_EQ(tree->currentIndex(), Drug(0));
    }

    // A fresh entry dialog script that cancels.
    void Reset() {
        entryScript = FakeDrugEntry::Script();
        entryScript.answer = QDialog::Rejected;
    }

    QModelIndex Drug(int index) const { return tree->ResultIndex(index); }

    CZorvikDrugDoc* document = nullptr;
    CZorvikDrugFrame* window = nullptr;
    CZorvikDrugTreeView* tree = nullptr;
};

TEST_F(DrugMenuTest, KeysInTheTreeRunTheRecordCommandsOnTheSelection) {
    QTest::keyClick(tree, Qt::Key_Down);
    ASSERT_EQ(document->GetCurrentIndex(), 1);

    // Del asks before it deletes the selected drug; No keeps it.
    ui.messageAnswers = {QMessageBox::No};
    QTest::keyClick(tree, Qt::Key_Delete);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("将要删除药物:\n\nB\n\n确认吗?"));
    EXPECT_EQ(document->GetRecordCount(), 2);

    // F2 and Enter modify the selected drug, Ins appends, F3 searches.
    for (const Qt::Key key : {Qt::Key_F2, Qt::Key_Return}) {
        Reset();
        QTest::keyClick(tree, key);
        EXPECT_TRUE(entryScript.ran) << key;
        EXPECT_EQ(entryScript.filledWith.tradeName, "B") << key;
    }
    Reset();
    QTest::keyClick(tree, Qt::Key_Insert);
    EXPECT_TRUE(entryScript.ran);
    EXPECT_FALSE(entryScript.filled) << "append starts empty";

    ui.promptAnswers = {std::nullopt};
    QTest::keyClick(tree, Qt::Key_F3);
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].prompt, QStringLiteral("请输入要查找的内容:"));

    ui.messageAnswers = {QMessageBox::Yes};
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_EQ(document->GetRecordCount(), 1);
    EXPECT_TRUE(document->IsModified());
}

TEST_F(DrugMenuTest, TheRecordTextKeepsDelForItsText) {
    CZorvikDrugView* text = window->TextView();
    text->setFocus();
    QTextCursor cursor = text->textCursor();
    cursor.movePosition(QTextCursor::Start);
    text->setTextCursor(cursor);
    const QString before = text->toPlainText();

    QTest::keyClick(text, Qt::Key_Delete);
    EXPECT_EQ(text->toPlainText(), before.mid(1));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(document->GetRecordCount(), 2);
}

// A double click is a press and release, then the second press.
void DoubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

TEST_F(DrugMenuTest, DoubleClickOnADrugModifiesItButNotOnTheRoot) {
    Reset();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                      tree->visualRect(Drug(1)).center());
    EXPECT_FALSE(entryScript.ran) << "a single click only selects";
    DoubleClick(tree->viewport(), tree->visualRect(Drug(1)).center());
    EXPECT_TRUE(entryScript.ran);
    EXPECT_EQ(entryScript.filledWith.tradeName, "B");

    Reset();
    DoubleClick(tree->viewport(), tree->visualRect(tree->RootIndex()).center());
    EXPECT_FALSE(entryScript.ran);
}

TEST_F(DrugMenuTest, ContextMenuOnADrugOffersTheDrugMenuForIt) {
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            shown.append(action->isSeparator() ? QStringLiteral("----") : action->text());
        }
        // Choosing an item runs its command for the drug under the mouse.
        for (QAction* action : menu->actions()) {
            if (platform::CommandOf(*action) == ID_DRUG_DELETE) {
                menu->setActiveAction(action);
            }
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    ui.messageAnswers = {QMessageBox::No};
    const QPoint at = tree->visualRect(Drug(1)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(tree->viewport(), &event);

    EXPECT_EQ(shown, (QStringList{QStringLiteral("撤消记录改动(&Z)"),
                                  QStringLiteral("重做记录改动(&Y)"), QStringLiteral("----"),
                                  QStringLiteral("追加(&A)..."), QStringLiteral("修改(&M)..."),
                                  QStringLiteral("删除(&D)"), QStringLiteral("----"),
                                  QStringLiteral("查询(&S)..."), QStringLiteral("快速查找(&F)"),
                                  QStringLiteral("在所有字典中查找(&L)"), QStringLiteral("----"),
                                  QStringLiteral("后退(&B)"), QStringLiteral("前进(&W)"),
                                  QStringLiteral("最近查看(&R)"), QStringLiteral("----"),
                                  QStringLiteral("查询选项(&O)"), QStringLiteral("删除选项(&P)")}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("将要删除药物:\n\nB\n\n确认吗?"));
}

// Without a mouse: every command of the drug tool bar is in a menu.
TEST_F(DrugMenuTest, EveryDrugToolBarCommandIsInAMenu) {
    QList<QAction*> inMenus;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            inMenus.append(action);
            if (action->menu() != nullptr) {
                collect(action->menu());
            }
        }
    };
    for (QAction* top : frame->menuBar()->actions()) {
        collect(top->menu());
    }
    for (QAction* action : frame->DrugToolBar()->actions()) {
        QWidget* button = frame->DrugToolBar()->widgetForAction(action);
        auto* tool = qobject_cast<QToolButton*>(button);
        // The quick search box is reached with its own command.
        QAction* command = qobject_cast<QuickSearchBox*>(button) != nullptr
                               ? &frame->Action(ID_QUICK_SEARCH)
                           : tool != nullptr && tool->defaultAction() ? tool->defaultAction()
                                                                      : action;
        if (!command->isSeparator() && platform::CommandOf(*command) != ID_DRUG_SAVE) {
            EXPECT_TRUE(inMenus.contains(command)) << command->toolTip().toStdString();
        }
    }
    for (const platform::CommandId id :
         {ID_SORT_BY_ENGLISH_NAME, ID_SEARCH_ALL, ID_CONFIRM_DELETE}) {
        EXPECT_TRUE(inMenus.contains(&frame->Action(id))) << id;
    }
}

}  // namespace
}  // namespace quorbex::testing
