// The quick search in every open dictionary: the hits grouped by dictionary
// in a dock, and Enter on one shows it in its own window.
#include <QLineEdit>
#include <QTreeWidget>

#include "frames/all_dictionaries_results.h"
#include "frames/quick_search_box.h"
#include "resources/resource_ids.h"
#include "tests/frames/main_frame_fixture.h"

namespace quorbex::testing {
namespace {

class AllDictionariesTest : public MainFrameTest {
protected:
    void SetUp() override {
        ShowFrame();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        ward = OpenRecords({GbkRecord("布洛芬", "BLF", "Ibuprofen"),
                            GbkRecord("阿莫西林", "AMXL", "Amoxicillin")});
        none = OpenRecords({GbkRecord("布地奈德", "BDND", "Budesonide")});
        mine = OpenRecords({GbkRecord("阿莫西林克拉维酸钾", "AMXLKLWSJ", "Co-amoxiclav"),
                            GbkRecord("阿米卡星", "AMKX", "Amikacin")});
        ASSERT_TRUE(ward != nullptr && none != nullptr && mine != nullptr);
    }

    QLineEdit* Box() const { return frame->QuickSearch()->Edit(); }
    QTreeWidget* Results() const { return frame->AllDictionaries()->Results(); }
    void SearchAll(const QString& query) {
        Box()->setFocus();
        Box()->setText(query);
        QTest::keyClick(Box(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    }
    // Each heading, then its hits indented.
    QStringList Listed() const {
        QStringList lines;
        for (int group = 0; group < Results()->topLevelItemCount(); ++group) {
            QTreeWidgetItem* heading = Results()->topLevelItem(group);
            lines << heading->text(0);
            for (int row = 0; row < heading->childCount(); ++row) {
                lines << QStringLiteral("  ") + heading->child(row)->text(0) +
                             QStringLiteral(" / ") + heading->child(row)->text(1);
            }
        }
        return lines;
    }

    CZorvikDrugDoc* ward = nullptr;
    CZorvikDrugDoc* none = nullptr;
    CZorvikDrugDoc* mine = nullptr;
};

TEST_F(AllDictionariesTest, CtrlShiftFListsTheHitsByDictionaryAndEnterShowsOneInItsWindow) {
    SearchAll(QStringLiteral("amx"));
    EXPECT_TRUE(frame->AllDictionaries()->isVisible());
    EXPECT_EQ(Listed(), (QStringList{
                            ward->GetTitle() + QStringLiteral(" (1条)"),
                            QStringLiteral("  阿莫西林 / Amoxicillin"),
                            mine->GetTitle() + QStringLiteral(" (1条)"),
                            QStringLiteral("  阿莫西林克拉维酸钾 / Co-amoxiclav"),
                        }));
    ASSERT_EQ(QApplication::focusWidget(), Results());
    EXPECT_EQ(Results()->currentItem()->text(0), QStringLiteral("阿莫西林"));

    // Enter on a hit of a window that is not the active one.
    QTest::keyClick(Results(), Qt::Key_Return);
    ProcessEvents();
    EXPECT_EQ(frame->ActiveDrugFrame(), DrugFrameOf(*ward));
    EXPECT_EQ(ward->GetCurrentStrings().tradeName, Gbk("阿莫西林"));
    EXPECT_EQ(QApplication::focusWidget(), DrugFrameOf(*ward)->TreeView());
    EXPECT_EQ(Box()->text(), QStringLiteral("amx"));

    // Each dictionary with its own fields: without the pinyin searched,
    // "amkx" is in none of them.
    DrugFrameOf(*mine)->Activate();
    ProcessEvents();
    frame->Action(ID_SEARCH_PINYIN).trigger();
    SearchAll(QStringLiteral("amkx"));
    EXPECT_EQ(Listed(), QStringList{QStringLiteral("所有打开的字典中都没有找到“amkx”")});
}

TEST_F(AllDictionariesTest, NothingToSearchForOffersTheBox) {
    SearchAll(QStringLiteral("   "));
    EXPECT_EQ(Listed(), QStringList{QStringLiteral("请先在快速查找框中输入要查找的内容")});
    EXPECT_EQ(QApplication::focusWidget(), Box());
    // A closed window's hits show nothing more.
    SearchAll(QStringLiteral("布"));
    ASSERT_EQ(Results()->topLevelItemCount(), 2);
    QTreeWidgetItem* hit = Results()->topLevelItem(0)->child(0);
    ASSERT_TRUE(docTemplate->CloseDocument(*ward));
    ProcessEvents();
    emit Results()->itemActivated(hit, 0);
    EXPECT_EQ(frame->ActiveDrugFrame(), DrugFrameOf(*mine));
}

}  // namespace
}  // namespace quorbex::testing
