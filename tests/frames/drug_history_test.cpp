// The drugs viewed in a dictionary window: back and forward with the keys,
// the menu and the mouse's buttons, and the list of the last ones.
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "frames/drug_history.h"
#include "frames/quick_search_box.h"
#include "resources/resource_ids.h"
#include "tests/frames/main_frame_fixture.h"
#include "views/zorvik_drug_view.h"

namespace quorbex::testing {
namespace {

class DrugHistoryTest : public MainFrameTest {
protected:
    void SetUp() override {
        ShowFrame();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        document = OpenDictionary({"A", "B", "C", "D"});
        ASSERT_NE(document, nullptr);
    }

    CZorvikDrugFrame* Window() const { return DrugFrameOf(*document); }
    void View(int row) {
        Window()->TreeView()->setFocus();
        Window()->TreeView()->setCurrentIndex(ResultRow(*Window(), row));
    }
    QString Current() const {
        return QString::fromStdString(document->GetCurrentStrings().tradeName);
    }
    void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier); }

    CZorvikDrugDoc* document = nullptr;
};

TEST_F(DrugHistoryTest, AltLeftAndRightAndTheMouseButtonsGoBackAndForward) {
    View(2);
    View(1);
    View(3);
    EXPECT_TRUE(frame->Action(ID_HISTORY_BACK).isEnabled());
    EXPECT_FALSE(frame->Action(ID_HISTORY_FORWARD).isEnabled());
    Key(Qt::Key_Left);
    EXPECT_EQ(Current(), QStringLiteral("B"));
    Key(Qt::Key_Left);
    EXPECT_EQ(Current(), QStringLiteral("C"));
    EXPECT_TRUE(frame->Action(ID_HISTORY_FORWARD).isEnabled());
    Key(Qt::Key_Right);
    EXPECT_EQ(Current(), QStringLiteral("B"));

    // The mouse's buttons over either pane.
    QTest::mouseClick(Window()->TextView()->viewport(), Qt::ForwardButton);
    EXPECT_EQ(Current(), QStringLiteral("D"));
    QTest::mouseClick(Window()->TreeView()->viewport(), Qt::BackButton);
    EXPECT_EQ(Current(), QStringLiteral("B"));

    // A new drug viewed after going back drops what lay ahead.
    View(0);
    EXPECT_FALSE(frame->Action(ID_HISTORY_FORWARD).isEnabled());
    Key(Qt::Key_Left);
    EXPECT_EQ(Current(), QStringLiteral("B"));
    Key(Qt::Key_Left);
    EXPECT_EQ(Current(), QStringLiteral("C"));
    // Back at the drug shown when the dictionary opened, the first viewed:
    // the key does nothing more.
    Key(Qt::Key_Left);
    EXPECT_EQ(Current(), QStringLiteral("A"));
    Key(Qt::Key_Left);
    EXPECT_EQ(Current(), QStringLiteral("A"));
    EXPECT_FALSE(frame->Action(ID_HISTORY_BACK).isEnabled());
}

TEST_F(DrugHistoryTest, ADrugOutsideTheResultsIsListedAgainAndADeletedOneSkipped) {
    View(1);
    View(2);
    // A search that leaves B out: going back lists B alone.
    document->Search("C");
    Key(Qt::Key_Left);
    EXPECT_EQ(Current(), QStringLiteral("B"));
    EXPECT_EQ(document->GetResultCount(), 1);

    // B deleted, and C, next in the list, viewed: going back skips B, and
    // the recent drugs no longer name it.
    document->Search(std::string());
    View(0);
    View(1);
    document->DeleteCurrent();
    EXPECT_EQ(Current(), QStringLiteral("C"));
    Key(Qt::Key_Left);
    EXPECT_EQ(Current(), QStringLiteral("A"));
    EXPECT_EQ(Window()->History().Recent(),
              (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
}

TEST_F(DrugHistoryTest, TheQuickSearchCountsTheDrugItWasLeftOnNotThoseItPassed) {
    QLineEdit* box = frame->QuickSearch()->Edit();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("c"));
    box->clear();
    QTest::keyClicks(box, QStringLiteral("d"));
    // Only the drug shown when the dictionary opened.
    EXPECT_EQ(Window()->History().Recent(), QStringList{QStringLiteral("A")});
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(Window()->History().Recent(),
              (QStringList{QStringLiteral("D"), QStringLiteral("A")}));
}

TEST_F(DrugHistoryTest, RecentlyViewedListsTheLastTwentyEachOnceAndShowsTheOneChosen) {
    std::vector<std::string> names;
    for (int i = 0; i < 25; ++i) {
        names.push_back(QStringLiteral("D%1").arg(i, 2, 10, QLatin1Char('0')).toStdString());
    }
    document = OpenDictionary(names);
    ASSERT_NE(document, nullptr);
    for (int row = 0; row < 25; ++row) {
        View(row);
    }
    View(3);
    const QStringList recent = Window()->History().Recent();
    ASSERT_EQ(recent.size(), DrugHistory::RECENT_MAX);
    EXPECT_EQ(recent.first(), QStringLiteral("D03"));
    EXPECT_EQ(recent[1], QStringLiteral("D24"));
    EXPECT_EQ(recent.last(), QStringLiteral("D06"));

    // 药物 → 最近查看, as the menu opens.
    QMenu* drugs = nullptr;
    for (QAction* top : frame->menuBar()->actions()) {
        if (top->text() == QStringLiteral("药物(&D)")) {
            drugs = top->menu();
        }
    }
    ASSERT_NE(drugs, nullptr);
    QMenu* viewed = nullptr;
    for (QAction* item : drugs->actions()) {
        if (item->text() == QStringLiteral("最近查看(&R)")) {
            viewed = item->menu();
        }
    }
    ASSERT_NE(viewed, nullptr);
    QMetaObject::invokeMethod(viewed, "aboutToShow");
    const QList<QAction*> items = viewed->actions();
    ASSERT_EQ(items.size(), DrugHistory::RECENT_MAX);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&1 D03"));
    EXPECT_EQ(items[19]->text(), QStringLiteral("20 D06"));
    items[2]->trigger();
    EXPECT_EQ(Current(), QStringLiteral("D23"));
    Key(Qt::Key_Left);
    EXPECT_EQ(Current(), QStringLiteral("D03"));
}

}  // namespace
}  // namespace quorbex::testing
