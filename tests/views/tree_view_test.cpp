// The result tree: rebuilt from the document's results, labelled by the sort
// key, relabelled after a modify, and making the chosen result current.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QIcon>
#include <QImage>
#include <QToolTip>
#include <array>

#include "resources/icon_ids.h"
#include "tests/views/drug_views_fixture.h"

namespace quorbex::testing {
namespace {

const QString ROOT_LABEL = QStringLiteral("浏览药物结果");

// Appended in this order, listed by trade name as records 3, 1, 2.
const std::vector<Drug> THREE_DRUGS = {
    {.tradeName = "布洛芬", .englishName = "Ibuprofen"},
    {.tradeName = "对乙酰氨基酚", .englishName = "Paracetamol"},
    {.tradeName = "阿司匹林", .englishName = "Aspirin", .usage = "口服"},
};

using TreeViewTest = DrugViewsTest;

TEST_F(TreeViewTest, RebuildListsEveryResultUnderTheExpandedRootAndRestoresTheCurrentOne) {
    Open(THREE_DRUGS);

    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(Root()->text(0), ROOT_LABEL);
    EXPECT_TRUE(Root()->isExpanded());
    EXPECT_EQ(Labels(), (QStringList{QStringLiteral("阿司匹林"), QStringLiteral("布洛芬"),
                                     QStringLiteral("对乙酰氨基酚")}));
    for (int row = 0; row < Root()->childCount(); ++row) {
        EXPECT_EQ(Parameter(ResultItem(row)), row);
        EXPECT_EQ(ResultItem(row)->childCount(), 0);
    }
    EXPECT_EQ(RecordsPane(), QStringLiteral("库文件记录:3条,当前浏览结果:3条"));

    // The rebuild walked through every result; the first is current again,
    // selected, and the only one any view was told about.
    EXPECT_EQ(document.GetCurrentIndex(), 0);
    EXPECT_EQ(tree.currentItem(), ResultItem(0));
    EXPECT_EQ(text.toPlainText(), QStringLiteral("[品名]阿司匹林\n[英文]Aspirin\n\n[用法]\n口服"));
    const auto sent = SentByTree();
    ASSERT_FALSE(sent.empty());
    for (const UpdateLog::Update& update : sent) {
        EXPECT_EQ(update.hint, HINT_TEXT);
        EXPECT_EQ(update.currentIndex, 0);
    }
}

TEST_F(TreeViewTest, ARebuildReplacesTheItemsOfTheLastOne) {
    Open(THREE_DRUGS);
    ui.promptAnswers.push_back(Gbk("布洛芬"));
    document.OnDrugSearch();

    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("布洛芬")});
    EXPECT_EQ(Parameter(ResultItem(0)), 0);
    EXPECT_EQ(RecordsPane(), QStringLiteral("库文件记录:3条,当前浏览结果:1条"));
    EXPECT_EQ(tree.currentItem(), ResultItem(0));
}

TEST_F(TreeViewTest, LabelsFollowTheSortKeyAndFallBackToTheOtherName) {
    struct Case {
        Drug record;
        QString byTradeName;    // the label with sort key 0
        QString byEnglishName;  // and with sort key 1
    };
    const Case cases[] = {
        {{.tradeName = "阿司匹林", .englishName = "Aspirin"}, "阿司匹林", "Aspirin"},
        {{.tradeName = "", .englishName = "Ibuprofen"}, "Ibuprofen", "Ibuprofen"},
        {{.tradeName = "布洛芬", .englishName = ""}, "布洛芬", "布洛芬"},
        // Blanks are a name.
        {{.tradeName = " ", .englishName = "Caffeine"}, " ", "Caffeine"},
        {{.tradeName = "咖啡因", .englishName = " "}, "咖啡因", " "},
        // Other names never label an item.
        {{.tradeName = "", .englishName = "", .otherNames = "别名"}, "", ""},
    };
    std::vector<Drug> records;
    for (const Case& c : cases) {
        records.push_back(c.record);
    }
    Open(records);

    for (const unsigned sortCommand : {ID_SORT_BY_TRADE_NAME, ID_SORT_BY_ENGLISH_NAME}) {
        SCOPED_TRACE(sortCommand);
        document.OnSortKey(sortCommand);
        document.UpdateAllViews(nullptr, HINT_REBUILD);
        ASSERT_EQ(Root()->childCount(), static_cast<int>(std::size(cases)));
        for (int row = 0; row < Root()->childCount(); ++row) {
            const Case& c = cases[RecordOf(row) - 1];
            EXPECT_EQ(ResultItem(row)->text(0),
                      sortCommand == ID_SORT_BY_TRADE_NAME ? c.byTradeName : c.byEnglishName)
                << "record " << RecordOf(row);
        }
    }
}

TEST_F(TreeViewTest, AModifiedItemShowsItsTradeNameWhateverTheSortKeyUntilTheNextRebuild) {
    Open(THREE_DRUGS);
    document.OnSortKey(ID_SORT_BY_ENGLISH_NAME);
    document.UpdateAllViews(nullptr, HINT_REBUILD);
    ASSERT_EQ(Labels(), (QStringList{"Aspirin", "Ibuprofen", "Paracetamol"}));
    ShowTree();
    Click(ResultItem(1));
    ASSERT_EQ(document.GetCurrentIndex(), 1);
    ui.statusPanes[ID_INDICATOR_RECORDS] = QStringLiteral("before");

    struct Case {
        const char* tradeName;
        const char* englishName;
        QString label;
    };
    const Case cases[] = {
        {"美林", "Motrin", QStringLiteral("美林")},
        {"", "Motrin", QStringLiteral("Motrin")},
        {" ", "Motrin", QStringLiteral(" ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label.toStdString());
        entry.edits = Names(Gbk(c.tradeName), Gbk(c.englishName));
        document.OnDrugModify();
        EXPECT_EQ(Labels(), (QStringList{"Aspirin", c.label, "Paracetamol"}));
        EXPECT_EQ(Parameter(ResultItem(1)), 1);
        EXPECT_TRUE(text.toPlainText().contains(QStringLiteral("[英文]Motrin")));
    }
    EXPECT_EQ(RecordsPane(), QStringLiteral("before"));

    document.UpdateAllViews(nullptr, HINT_REBUILD);
    EXPECT_TRUE(Labels().contains(QStringLiteral("Motrin")));
}

TEST_F(TreeViewTest, ARelabelOrSelectForAnIndexNoItemCarriesChangesNothing) {
    Open({});  // no results: the current index is -1
    ASSERT_EQ(document.GetCurrentIndex(), -1);
    tree.OnUpdate(nullptr, HINT_RELABEL | HINT_SELECT);
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(Root()->text(0), ROOT_LABEL);
    EXPECT_EQ(Root()->childCount(), 0);
}

TEST_F(TreeViewTest, ChoosingAnItemMakesItsResultCurrentAndTheTextShowsIt) {
    // Two results with the same label are told apart by their parameters.
    const std::vector<Drug> records = {{.tradeName = "同名", .englishName = "Alpha"},
                                       {.tradeName = "同名", .englishName = "Beta"},
                                       {.tradeName = "阿司匹林", .englishName = "Aspirin"}};
    Open(records);
    ShowTree();
    ui.statusPanes[ID_INDICATOR_RECORDS] = QStringLiteral("before");

    for (const int row : {2, 1, 0}) {
        SCOPED_TRACE(row);
        log.updates.clear();
        Click(ResultItem(row));
        EXPECT_EQ(tree.currentItem(), ResultItem(row));
        EXPECT_EQ(document.GetCurrentIndex(), Parameter(ResultItem(row)));
        const Drug& record = records[RecordOf(row) - 1];
        EXPECT_EQ(text.toPlainText(), QString::fromStdString("[品名]" + record.tradeName +
                                                             "\n[英文]" + record.englishName));
        ASSERT_EQ(log.updates.size(), 1u);
        EXPECT_EQ(log.updates[0].sender, &tree);
        EXPECT_EQ(log.updates[0].hint, HINT_TEXT);
    }
    EXPECT_EQ(RecordsPane(), QStringLiteral("before"));
}

TEST_F(TreeViewTest, ClickingTheRootChangesNothing) {
    Open(THREE_DRUGS);
    ShowTree();
    Click(ResultItem(2));
    const QString shown = text.toPlainText();
    log.updates.clear();

    Click(Root());

    EXPECT_EQ(document.GetCurrentIndex(), 2);
    EXPECT_EQ(text.toPlainText(), shown);
    EXPECT_TRUE(log.updates.empty());
}

TEST_F(TreeViewTest, WithoutResultsOnlyTheRootRemainsAndNoTextIsSent) {
    struct Case {
        const char* name;
        std::vector<Drug> records;
        const char* search;  // nothing: only open
        QString pane;
    };
    const Case cases[] = {
        {"an empty dictionary", {}, nullptr, QStringLiteral("库文件记录:0条,当前浏览结果:0条")},
        {"a search without hits", THREE_DRUGS, "无此药",
         QStringLiteral("库文件记录:3条,当前浏览结果:0条")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.records);
        if (c.search != nullptr) {
            ui.promptAnswers.push_back(Gbk(c.search));
            log.updates.clear();
            document.OnDrugSearch();
        }
        ASSERT_EQ(tree.topLevelItemCount(), 1);
        EXPECT_EQ(Root()->text(0), ROOT_LABEL);
        EXPECT_EQ(Root()->childCount(), 0);
        EXPECT_TRUE(Root()->isExpanded());
        EXPECT_EQ(RecordsPane(), c.pane);
        EXPECT_EQ(document.GetCurrentIndex(), -1);
        EXPECT_TRUE(SentByTree().empty());
        EXPECT_EQ(text.toPlainText(), QString());
    }
}

TEST_F(TreeViewTest, WithoutAStatusBarTheCountsAreNotShownAndTheTreeIsBuilt) {
    ui.hasStatusBar = false;
    Open(THREE_DRUGS);
    EXPECT_TRUE(ui.statusPanes.empty());
    EXPECT_EQ(Root()->childCount(), 3);
    EXPECT_EQ(tree.currentItem(), ResultItem(0));
}

// A saved position that SelectResult rejects: the loop of the rebuild left
// the last result it could read current, and that one is selected.
TEST_F(TreeViewTest, ARejectedSavedPositionLeavesTheLastReadResultCurrent) {
    Open({{.tradeName = "阿司匹林"}, {.tradeName = "布洛芬"}, {.tradeName = "对乙酰氨基酚"}});
    ASSERT_TRUE(document.RunQuery(std::string(), -1, SORT_BY_TRADE_NAME));
    ASSERT_EQ(document.GetCurrentIndex(), 2);
    // The record of the current result goes from the store behind the
    // document's back, so that neither the loop nor the restore can select it.
    RecordStore& store = document.GetStore();
    ASSERT_TRUE(store.GoToRecord(document.GetResultList().at(2)));
    ASSERT_TRUE(store.DeleteCurrentRecord());

    document.UpdateAllViews(nullptr, HINT_TEXT | HINT_SELECT | HINT_REBUILD);

    EXPECT_EQ(document.GetCurrentIndex(), 1);
    ASSERT_EQ(Root()->childCount(), 3);
    EXPECT_EQ(tree.currentItem(), ResultItem(1));
    EXPECT_EQ(text.toPlainText(), QStringLiteral("[品名]布洛芬"));
}

TEST_F(TreeViewTest, ResultsShowAClosedBookAndTheSelectedOneAnOpenBook) {
    Open(THREE_DRUGS);
    const auto picture = [](const QIcon& icon, QIcon::Mode mode) {
        return icon.pixmap(QSize(16, 16), mode).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    const QImage closedBook = picture(QIcon(IconPath(IDI_CLOSED_BOOK)), QIcon::Normal);
    const QImage openBook = picture(QIcon(IconPath(IDI_OPEN_BOOK)), QIcon::Normal);
    ASSERT_FALSE(closedBook.isNull());
    ASSERT_NE(closedBook, openBook);

    for (int row = 0; row < Root()->childCount(); ++row) {
        const QIcon icon = ResultItem(row)->icon(0);
        EXPECT_EQ(picture(icon, QIcon::Normal), closedBook);
        EXPECT_EQ(picture(icon, QIcon::Selected), openBook);
    }
    EXPECT_EQ(picture(Root()->icon(0), QIcon::Normal), closedBook);
    EXPECT_EQ(picture(Root()->icon(0), QIcon::Selected), closedBook);
}

// The dotted lines from the root down to each result, the last ending at it.
TEST_F(TreeViewTest, LinesJoinTheResultsToTheRoot) {
    Open(THREE_DRUGS);
    ShowTree();
    tree.clearSelection();
    const QImage picture = tree.viewport()->grab().toImage();
    // Nothing else is drawn left of the results' icons: what is not the
    // background there is line.
    const QRgb background = tree.palette().color(QPalette::Base).rgb();
    const int x = tree.indentation() / 2;
    const auto linePixels = [&](int top, int bottom) {
        int count = 0;
        for (int y = top; y <= bottom; ++y) {
            count += picture.pixel(x, y) != background ? 1 : 0;
        }
        return count;
    };
    const QRect first = tree.visualItemRect(ResultItem(0));
    const QRect last = tree.visualItemRect(ResultItem(2));
    // Dotted: every third pixel down the first result's row.
    EXPECT_GE(linePixels(first.top(), first.bottom()), first.height() / 3 - 1);
    // The last result's line stops halfway down its row.
    EXPECT_EQ(linePixels(last.center().y() + 2, last.bottom()), 0);
    EXPECT_GT(linePixels(last.top(), last.center().y()), 0);
    // A horizontal stretch runs from the line to the result's icon.
    int across = 0;
    for (int at = x + 1; at < tree.indentation(); ++at) {
        for (int y = first.center().y() - 1; y <= first.center().y() + 1; ++y) {
            across += picture.pixel(at, y) != background ? 1 : 0;
        }
    }
    EXPECT_GT(across, 0);
}

TEST_F(TreeViewTest, ALabelCutOffByThePaneShowsInFullAsAToolTip) {
    Open({{.tradeName = "对乙酰氨基酚缓释片剂", .englishName = "Aspirin"}});
    ShowTree();
    const auto tipAt = [this](QTreeWidgetItem* item) {
        QToolTip::hideText();
        const QPoint at = tree.visualItemRect(item).center();
        QHelpEvent help(QEvent::ToolTip, at, tree.viewport()->mapToGlobal(at));
        QApplication::sendEvent(tree.viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tipAt(ResultItem(0)), QString()) << "the label fits";
    tree.resize(70, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(tipAt(ResultItem(0)), QStringLiteral("对乙酰氨基酚缓释片剂"));
    EXPECT_EQ(tipAt(Root()), QStringLiteral("浏览药物结果"));
}

}  // namespace
}  // namespace quorbex::testing
