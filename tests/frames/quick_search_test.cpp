// The quick search box of the drug tool bar, the marks it leaves in the
// record text and the drugs it suggests, driven with the keyboard as a user
// drives them.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTextBlock>
#include <QTreeWidget>

#include "frames/quick_search_box.h"
#include "resources/resource_ids.h"
#include "tests/frames/main_frame_fixture.h"
#include "tests/support/gbk_text.h"
#include "tests/support/keyboard_input.h"
#include "views/drug_suggestions.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex::testing {
namespace {

// Before the main window's box reads them: each test starts without recent
// queries.
struct WithoutRecentQueries {
    WithoutRecentQueries() { QSettings().remove(QStringLiteral("Recent Queries")); }
};

class QuickSearchTest : public WithoutRecentQueries, public MainFrameTest {
protected:
    void SetUp() override {
        ShowFrame();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        document = OpenRecords({
            GbkRecord("布洛芬", "BLF", "Ibuprofen", "芬必得"),
            GbkRecord("阿司匹林", "ASPL", "Aspirin", "乙酰水杨酸", "", "口服，阿司匹林肠溶片"),
            GbkRecord("阿莫西林", "AMXL", "Amoxicillin"),
            GbkRecord("对乙酰氨基酚", "DYXAJF", "Paracetamol", "扑热息痛"),
        });
        ASSERT_NE(document, nullptr);
    }

    QLineEdit* Box() const { return frame->QuickSearch()->Edit(); }
    CZorvikDrugTreeView* Tree() const { return DrugFrameOf(*document)->TreeView(); }
    CZorvikDrugView* Text() const { return DrugFrameOf(*document)->TextView(); }

    QStringList Labels() const {
        QStringList labels;
        const QModelIndex root = Tree()->RootIndex();
        for (int row = 0; row < Tree()->model()->rowCount(root); ++row) {
            labels << Tree()->ResultIndex(row).data().toString();
        }
        return labels;
    }
    QString Counts() const { return frame->StatusPane(ID_INDICATOR_RECORDS)->text(); }

    // The marked parts of the record text, in order.
    QStringList Marks() const {
        QStringList marks;
        for (const QTextEdit::ExtraSelection& mark : Text()->extraSelections()) {
            marks << mark.cursor.selectedText();
        }
        return marks;
    }

    CZorvikDrugDoc* document = nullptr;
};

TEST_F(QuickSearchTest, EachKeyNarrowsTheTreeAndTheCountsAtOnce) {
    // Ctrl+F, wherever the focus is, puts it in the box.
    Tree()->setFocus();
    QTest::keyClick(Tree(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(QApplication::focusWidget(), Box());

    // Default fields: trade name, pinyin, other names, English name.
    const struct {
        QString keys;
        QStringList labels;
    } steps[] = {
        {QStringLiteral("a"),
         {QStringLiteral("阿莫西林"), QStringLiteral("阿司匹林"), QStringLiteral("对乙酰氨基酚")}},
        {QStringLiteral("s"), {QStringLiteral("阿司匹林")}},
        {QStringLiteral("pl"), {QStringLiteral("阿司匹林")}},
        {QStringLiteral("x"), {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.keys.toStdString());
        QTest::keyClicks(Box(), step.keys);
        EXPECT_EQ(Labels(), step.labels);
        EXPECT_EQ(Counts(),
                  QStringLiteral("库文件记录:4条,当前浏览结果:%1条").arg(step.labels.size()));
    }
    // Nothing found: an empty list and text, and no message.
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Text()->toPlainText(), QString());

    // Backspace widens the search again; Escape lists every drug.
    QTest::keyClick(Box(), Qt::Key_Backspace);
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("阿司匹林")});
    QTest::keyClick(Box(), Qt::Key_Escape);
    EXPECT_EQ(Box()->text(), QString());
    EXPECT_EQ(Labels().size(), 4);
    EXPECT_EQ(Counts(), QStringLiteral("库文件记录:4条,当前浏览结果:4条"));
}

TEST_F(QuickSearchTest, UsesTheWindowsFieldsAndOrder) {
    frame->Action(ID_SEARCH_FUNCTION).trigger();
    frame->Action(ID_SEARCH_USAGE).trigger();
    frame->Action(ID_SORT_BY_ENGLISH_NAME).trigger();
    Box()->setFocus();
    Type(Box(), QStringLiteral("口服"));
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("Aspirin")});
    QTest::keyClick(Box(), Qt::Key_Escape);
    EXPECT_EQ(Labels(), (QStringList{QStringLiteral("Amoxicillin"), QStringLiteral("Aspirin"),
                                     QStringLiteral("Ibuprofen"), QStringLiteral("Paracetamol")}));
    frame->Action(ID_SORT_BY_PINYIN).trigger();
    QTest::keyClick(Box(), Qt::Key_Escape);
    EXPECT_EQ(Labels(), (QStringList{QStringLiteral("阿莫西林"), QStringLiteral("阿司匹林"),
                                     QStringLiteral("布洛芬"), QStringLiteral("对乙酰氨基酚")}));
}

TEST_F(QuickSearchTest, EnterOrDownGoesToTheFirstResult) {
    // Down first: it goes on only while there are no recent queries.
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Return}) {
        SCOPED_TRACE(key);
        Box()->setFocus();
        Box()->clear();
        QTest::keyClicks(Box(), QStringLiteral("x"));
        ASSERT_EQ(Labels().size(), 2);
        // Another result chosen meanwhile: the key goes back to the first.
        Tree()->setCurrentIndex(Tree()->ResultIndex(1));
        Box()->setFocus();
        QTest::keyClick(Box(), key);
        EXPECT_EQ(QApplication::focusWidget(), Tree());
        EXPECT_EQ(document->GetCurrentIndex(), 0);
        EXPECT_EQ(Tree()->currentIndex(), Tree()->ResultIndex(0));
    }
}

TEST_F(QuickSearchTest, FindsFullWidthTextAndRanksNamesBeforeOtherMatches) {
    Box()->setFocus();
    // Full-width letters from an input method read as half-width ones.
    Type(Box(), QStringLiteral("ＡＭＯＸ"));
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("阿莫西林")});
    // Both the English name and the characters of the pinyin it spells.
    EXPECT_EQ(Marks(), (QStringList{QStringLiteral("阿莫西"), QStringLiteral("Amox")}));
    // "阿司" starts a trade name; its usage, searched too, only holds it.
    frame->Action(ID_SEARCH_USAGE).trigger();
    Box()->clear();
    Type(Box(), QStringLiteral("阿"));
    EXPECT_EQ(Labels(), (QStringList{QStringLiteral("阿莫西林"), QStringLiteral("阿司匹林")}));
    Box()->clear();
    QTest::keyClicks(Box(), QStringLiteral("ol"));
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("对乙酰氨基酚")});
}

TEST_F(QuickSearchTest, TakesAsMuchAsASearchCanUseAndSaysWhenAnEditBroughtMore) {
    QLabel* note = frame->QuickSearch()->RefusalLabel();
    Box()->setFocus();
    // Long names and two words arrive whole: no ten-byte limit.
    for (const QString& query :
         {QStringLiteral("hydrochlorothiazide"), QStringLiteral("左甲状腺素钠片"),
          QStringLiteral("aspirin tablets")}) {
        Box()->clear();
        Type(Box(), query);
        EXPECT_EQ(Box()->text(), query);
    }
    EXPECT_TRUE(note->isHidden());

    // A paste of 10,000 characters: the 200 bytes a search holds arrive,
    // and the note says so; nothing matches that text.
    Box()->clear();
    Paste(Box(), QString(10000, QLatin1Char('a')));
    EXPECT_EQ(Box()->text(), QString(200, QLatin1Char('a')));
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().contains(QStringLiteral("200"))) << note->text().toStdString();
    EXPECT_EQ(Labels(), QStringList());
    EXPECT_TRUE(ui.messages.empty()) << "no message box";

    // A character GBK cannot hold is left out, and the note says which.
    Box()->clear();
    Type(Box(), QStringLiteral("阿"));
    Commit(Box(), QStringLiteral("\U0001F48A"));
    QCoreApplication::processEvents();
    EXPECT_EQ(Box()->text(), QStringLiteral("阿"));
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().contains(QStringLiteral("\U0001F48A")));
    // The next edit that brings no refusal takes the note away.
    Type(Box(), QStringLiteral("司"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(note->isHidden());
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("阿司匹林")});

    // Only spaces: nothing to look for, so every drug, as an empty box.
    Box()->clear();
    QTest::keyClicks(Box(), QStringLiteral("   "));
    EXPECT_EQ(Box()->text(), QStringLiteral("   "));
    EXPECT_EQ(Labels().size(), 4);
    EXPECT_TRUE(DrugFrameOf(*document)->Suggestions()->isHidden());
}

TEST_F(QuickSearchTest, ATypoOffersTheDrugsItMayMeanInPlaceOfTheRecord) {
    DrugSuggestions* suggestions = DrugFrameOf(*document)->Suggestions();
    Box()->setFocus();
    QTest::keyClicks(Box(), QStringLiteral("amoxicilin"));
    EXPECT_EQ(Labels(), QStringList());
    EXPECT_EQ(Text()->toPlainText(), QString());
    ASSERT_FALSE(suggestions->isHidden());
    ASSERT_EQ(suggestions->Buttons().size(), 1);
    EXPECT_EQ(suggestions->Buttons()[0]->text(), QStringLiteral("阿莫西林 (Amoxicillin)"));
    // Laid out whole, below the line that introduces it.
    QAbstractButton* offered = suggestions->Buttons()[0];
    EXPECT_TRUE(offered->isVisible());
    EXPECT_TRUE(suggestions->rect().contains(offered->geometry()));
    EXPECT_GE(offered->height(), offered->sizeHint().height());

    // Enter takes the first suggestion: its name is the search, the drug shown.
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_EQ(Box()->text(), QStringLiteral("阿莫西林"));
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("阿莫西林")});
    EXPECT_EQ(Text()->toPlainText().left(8), QStringLiteral("[品名]阿莫西林"));
    EXPECT_EQ(QApplication::focusWidget(), Tree());
    EXPECT_TRUE(suggestions->isHidden());

    // So does a click on it.
    Box()->setFocus();
    Box()->clear();
    QTest::keyClicks(Box(), QStringLiteral("ibuprofn"));
    ASSERT_EQ(suggestions->Buttons().size(), 1);
    QTest::mouseClick(suggestions->Buttons()[0], Qt::LeftButton);
    ProcessEvents();
    EXPECT_EQ(Box()->text(), QStringLiteral("布洛芬"));
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("布洛芬")});
    EXPECT_EQ(QApplication::focusWidget(), Tree());

    // Nothing close: no suggestion, an empty pane.
    Box()->setFocus();
    Box()->clear();
    QTest::keyClicks(Box(), QStringLiteral("zzzzzz"));
    EXPECT_TRUE(suggestions->isHidden());
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_EQ(Labels(), QStringList());
}

TEST_F(QuickSearchTest, EscapeGivesTheFocusBackToTheTree) {
    QTest::keyClick(Tree(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(QApplication::focusWidget(), Box());
    QTest::keyClicks(Box(), QStringLiteral("blf"));
    QTest::keyClick(Box(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), Tree());
    EXPECT_EQ(Labels().size(), 4);
    // The keys typed next work on the tree: End goes to the last drug.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    EXPECT_EQ(document->GetCurrentIndex(), 3);
    EXPECT_EQ(Box()->text(), QString());
}

TEST_F(QuickSearchTest, DownOffersTheLastTenQueriesThatFoundSomethingAndTheUserKeepsThem) {
    QuickSearchBox* box = frame->QuickSearch();
    const QStringList queries = {
        QStringLiteral("a"),      QStringLiteral("as"),      QStringLiteral("asp"),
        QStringLiteral("aspi"),   QStringLiteral("aspir"),   QStringLiteral("zzzz"),
        QStringLiteral("aspiri"), QStringLiteral("aspirin"), QStringLiteral("b"),
        QStringLiteral("bl"),     QStringLiteral("blf"),     QStringLiteral("ibu"),
        QStringLiteral("as"),     QStringLiteral("amx"),
    };
    for (const QString& query : queries) {
        Box()->setFocus();
        Box()->clear();
        QTest::keyClicks(Box(), query);
        QTest::keyClick(Box(), Qt::Key_Return);
    }
    // The newest first, each once, none that found nothing.
    const QStringList expected = {
        QStringLiteral("amx"),     QStringLiteral("as"),     QStringLiteral("ibu"),
        QStringLiteral("blf"),     QStringLiteral("bl"),     QStringLiteral("b"),
        QStringLiteral("aspirin"), QStringLiteral("aspiri"), QStringLiteral("aspir"),
        QStringLiteral("aspi"),
    };
    EXPECT_EQ(box->RecentQueries(), expected);

    // Down opens the list; choosing one searches it again.
    Box()->setFocus();
    Box()->clear();
    QTest::keyClick(Box(), Qt::Key_Down);
    QAbstractItemView* list = box->RecentQueriesList();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->model()->rowCount(), 10);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(Box()->text(), QStringLiteral("as"));
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("阿司匹林")});

    // Kept in the user's settings: a box made later offers the same.
    const QuickSearchBox later;
    EXPECT_EQ(later.RecentQueries(), expected);
}

TEST_F(QuickSearchTest, FollowsTheActiveWindowAndIsDisabledWithoutOne) {
    Box()->setFocus();
    QTest::keyClicks(Box(), QStringLiteral("blf"));
    CZorvikDrugDoc* second = OpenRecords({GbkRecord("布地奈德", "BDND", "Budesonide")});
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(Box()->isEnabled());
    EXPECT_EQ(Box()->text(), QString());
    QTest::keyClicks(Box(), QStringLiteral("bd"));
    EXPECT_EQ(second->GetResultCount(), 1);
    // Back in the first window: its pattern and its results, untouched.
    DrugFrameOf(*document)->Activate();
    ProcessEvents();
    EXPECT_EQ(Box()->text(), QStringLiteral("blf"));
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("布洛芬")});
    EXPECT_EQ(Counts(), QStringLiteral("库文件记录:4条,当前浏览结果:1条"));

    docTemplate->CloseAllDocuments();
    ProcessEvents();
    EXPECT_FALSE(Box()->isEnabled());
    EXPECT_FALSE(frame->Action(ID_QUICK_SEARCH).isEnabled());
}

TEST_F(QuickSearchTest, TheRecordTextMarksWhereThePatternMatched) {
    Box()->setFocus();
    Type(Box(), QStringLiteral("阿司"));
    EXPECT_EQ(Text()->toPlainText().left(8), QStringLiteral("[品名]阿司匹林"));
    EXPECT_EQ(Marks(), QStringList{QStringLiteral("阿司")});
    // The usage is not searched, so not marked; searched, it is.
    frame->Action(ID_SEARCH_USAGE).trigger();
    Type(Box(), QStringLiteral("匹"));
    EXPECT_EQ(Marks(), (QStringList{QStringLiteral("阿司匹"), QStringLiteral("阿司匹")}));

    // Either case: "aspir" marks "Aspir" of the English name.
    QTest::keyClick(Box(), Qt::Key_Escape);
    QTest::keyClicks(Box(), QStringLiteral("aspir"));
    EXPECT_EQ(Marks(), QStringList{QStringLiteral("Aspir")});
    // A match of the pinyin marks the characters of the trade name it spells,
    // whether typed as initials, in full or from a later syllable.
    const struct {
        QString query;
        QString drug;
        QStringList marks;
    } pinyin[] = {
        {QStringLiteral("aspl"), QStringLiteral("阿司匹林"), {QStringLiteral("阿司匹林")}},
        {QStringLiteral("amoxilin"), QStringLiteral("阿莫西林"), {QStringLiteral("阿莫西林")}},
        {QStringLiteral("moxi"),
         QStringLiteral("阿莫西林"),
         {QStringLiteral("莫西"), QStringLiteral("moxi")}},
    };
    for (const auto& match : pinyin) {
        SCOPED_TRACE(match.query.toStdString());
        Box()->clear();
        QTest::keyClicks(Box(), match.query);
        EXPECT_EQ(Labels(), QStringList{match.drug});
        EXPECT_EQ(Marks(), match.marks);
    }

    // The marks lie beside the text: the printed document carries none.
    Box()->clear();
    QTest::keyClicks(Box(), QStringLiteral("aspir"));
    ASSERT_EQ(Text()->extraSelections().size(), 1);
    QTextCursor marked = Text()->extraSelections()[0].cursor;
    EXPECT_EQ(QTextCursor(Text()->document()).charFormat().background().style(), Qt::NoBrush);
    marked.setPosition(marked.selectionEnd());
    EXPECT_EQ(marked.charFormat().background().style(), Qt::NoBrush);

    // The empty pattern marks nothing.
    QTest::keyClick(Box(), Qt::Key_Escape);
    EXPECT_EQ(Marks(), QStringList());
}

}  // namespace
}  // namespace quorbex::testing
