// Undo and redo of record changes from the drug menu's keys, with the tree,
// the record text and the counts following, while Ctrl+Z stays with the
// record text's own editing.
#include <QAction>
#include <QLabel>

#include "resources/resource_ids.h"
#include "tests/frames/main_frame_fixture.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex::testing {
namespace {

TEST_F(MainFrameTest, RecordUndoKeysTakeBackADeleteAndRedoIt) {
    ShowFrame();
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    CZorvikDrugDoc* document = OpenDictionary({"Alpha", "Beta"});
    ASSERT_NE(document, nullptr);
    CZorvikDrugFrame* window = DrugFrameOf(*document);
    QAction* undo = &frame->Action(ID_RECORD_UNDO);
    QAction* redo = &frame->Action(ID_RECORD_REDO);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    ui.messageAnswers = {QMessageBox::Yes};
    frame->Action(ID_DRUG_DELETE).trigger();
    ASSERT_EQ(TreeResultCount(*window), 1);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_TRUE(document->IsModified());

    // Typed into the record text, Ctrl+Z takes back the typing, not the delete.
    frame->Action(platform::ID_NEXT_PANE).trigger();
    CZorvikDrugView* text = window->TextView();
    ASSERT_TRUE(text->hasFocus());
    const QString shown = text->toPlainText();
    QTest::keyClick(text, Qt::Key_Q);
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text->toPlainText(), shown);
    EXPECT_EQ(TreeResultCount(*window), 1);

    // Ctrl+Alt+Z undoes the delete from the text as from the tree.
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(TreeResultCount(*window), 2);
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("Alpha")));
    EXPECT_EQ(frame->StatusPane(ID_INDICATOR_RECORDS)->text(),
              QStringLiteral("库文件记录:2条,当前浏览结果:2条"));
    EXPECT_FALSE(document->IsModified());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());

    frame->Action(platform::ID_PREV_PANE).trigger();
    ASSERT_TRUE(window->TreeView()->hasFocus());
    QTest::keyClick(window->TreeView(), Qt::Key_Y, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(TreeResultCount(*window), 1);
    EXPECT_EQ(frame->StatusPane(ID_INDICATOR_RECORDS)->text(),
              QStringLiteral("库文件记录:1条,当前浏览结果:1条"));
    EXPECT_TRUE(document->IsModified());
    EXPECT_FALSE(redo->isEnabled());
}

// Each window's document has its own steps: the keys follow the active one.
TEST_F(MainFrameTest, RecordUndoFollowsTheActiveWindow) {
    CZorvikDrugDoc* first = OpenDictionary({"Alpha"});
    CZorvikDrugDoc* second = OpenDictionary({"Beta", "Gamma"});
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ui.messageAnswers = {QMessageBox::Yes};
    frame->Action(ID_DRUG_DELETE).trigger();
    ASSERT_EQ(second->GetRecordCount(), 1);
    EXPECT_TRUE(frame->Action(ID_RECORD_UNDO).isEnabled());

    DrugFrameOf(*first)->Activate();
    ProcessEvents();
    EXPECT_FALSE(frame->Action(ID_RECORD_UNDO).isEnabled());
    DrugFrameOf(*second)->Activate();
    ProcessEvents();
    frame->Action(ID_RECORD_UNDO).trigger();
    EXPECT_EQ(second->GetRecordCount(), 2);
    EXPECT_EQ(first->GetRecordCount(), 1);
}

}  // namespace
}  // namespace quorbex::testing
