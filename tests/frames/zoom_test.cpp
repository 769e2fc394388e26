// The size of the record text and the tree: Ctrl++, Ctrl+-, Ctrl+0 and Ctrl
// with the wheel, for every dictionary window, the tree's pane following its
// text, and kept in the settings for the next run.
#include <QSettings>
#include <QSplitter>
#include <QWheelEvent>

#include "resources/resource_ids.h"
#include "tests/frames/main_frame_fixture.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex::testing {
namespace {

void Wheel(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

TEST_F(MainFrameTest, ZoomSizesTheTextAndTreeOfEveryWindowAndIsRemembered) {
    QSettings().remove(QStringLiteral("View/Zoom"));
    ShowFrame();
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    CZorvikDrugFrame* window = DrugFrameOf(*OpenDictionary({"A", "B"}));
    ASSERT_NE(window, nullptr);
    const double base = QApplication::font().pointSizeF();
    const int treeWidth = window->Splitter()->sizes().at(0);
    const auto size = [window] { return window->TextView()->font().pointSizeF(); };

    QTest::keyClick(window->TreeView(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(window->TreeView(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(size(), base + 2);
    EXPECT_EQ(window->TreeView()->font().pointSizeF(), base + 2);
    EXPECT_GT(window->Splitter()->sizes().at(0), treeWidth) << "the tree's pane follows";
    EXPECT_EQ(QSettings().value(QStringLiteral("View/Zoom")).toInt(), 2);

    // A window opened now has the same size; Ctrl and the wheel size both.
    CZorvikDrugFrame* second = DrugFrameOf(*OpenDictionary({"C"}));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->TextView()->font().pointSizeF(), base + 2);
    Wheel(second->TextView()->viewport(), -120, Qt::ControlModifier);
    EXPECT_EQ(size(), base + 1);
    EXPECT_EQ(second->TreeView()->font().pointSizeF(), base + 1);
    Wheel(second->TextView()->viewport(), -120, Qt::NoModifier);
    EXPECT_EQ(size(), base + 1) << "the wheel alone scrolls";

    QTest::keyClick(second->TreeView(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(second->TreeView(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(size(), base - 1);
    QTest::keyClick(second->TreeView(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(size(), base);
    EXPECT_NEAR(window->Splitter()->sizes().at(0), treeWidth, 2);

    QTest::keyClick(second->TreeView(), Qt::Key_Plus, Qt::ControlModifier);
    CMainFrame next(ui, SCREEN);
    EXPECT_EQ(next.Zoom(), 1) << "the next run starts where this one ended";
    QSettings().remove(QStringLiteral("View/Zoom"));
}

}  // namespace
}  // namespace quorbex::testing
