// The result tree: the document's results under one root, labelled by the
// sort key of their listing, relabelled after a modify, and making the
// chosen result current.
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

class TreeViewTest : public DrugViewsTest {
protected:
    // Lists every record again by sortKey, as a search of the empty pattern does.
    void ListAgainBy(int sortKey) {
        SearchOptions options = document.GetOptions();
        options.sortKey = sortKey;
        document.SetOptions(options);
        ASSERT_TRUE(document.RunQuery(std::string(), -1, sortKey));
    }
};

TEST_F(TreeViewTest, AListingShowsEveryResultUnderTheExpandedRootWithTheCurrentOneSelected) {
    Open(THREE_DRUGS);

    ASSERT_EQ(TopLevelCount(), 1);
    EXPECT_EQ(Text(Root()), ROOT_LABEL);
    EXPECT_TRUE(tree.isExpanded(Root()));
    EXPECT_EQ(Labels(), (QStringList{QStringLiteral("阿司匹林"), QStringLiteral("布洛芬"),
                                     QStringLiteral("对乙酰氨基酚")}));
    for (int row = 0; row < ChildCount(Root()); ++row) {
        EXPECT_EQ(Parameter(ResultItem(row)), row);
        EXPECT_EQ(ChildCount(ResultItem(row)), 0);
    }

    // The first is current and selected, and the only one any view was told
    // about: the labels are read without moving the current record.
    EXPECT_EQ(document.GetCurrentIndex(), 0);
    EXPECT_EQ(tree.currentIndex(), ResultItem(0));
    EXPECT_EQ(text.toPlainText(), QStringLiteral("[品名]阿司匹林\n[英文]Aspirin\n\n[用法]\n口服"));
    EXPECT_EQ(madeCurrent, std::vector<int>{0});
}

TEST_F(TreeViewTest, ARebuildReplacesTheItemsOfTheLastOne) {
    Open(THREE_DRUGS);
    ASSERT_TRUE(document.Search(Gbk("布洛芬")));

    ASSERT_EQ(TopLevelCount(), 1);
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("布洛芬")});
    EXPECT_EQ(Parameter(ResultItem(0)), 0);
    EXPECT_EQ(tree.currentIndex(), ResultItem(0));
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

    for (const int sortKey : {SORT_BY_TRADE_NAME, SORT_BY_ENGLISH_NAME}) {
        SCOPED_TRACE(sortKey);
        ListAgainBy(sortKey);
        ASSERT_EQ(ChildCount(Root()), static_cast<int>(std::size(cases)));
        for (int row = 0; row < ChildCount(Root()); ++row) {
            const Case& c = cases[RecordOf(row) - 1];
            EXPECT_EQ(Text(ResultItem(row)),
                      sortKey == SORT_BY_TRADE_NAME ? c.byTradeName : c.byEnglishName)
                << "record " << RecordOf(row);
        }
    }
}

TEST_F(TreeViewTest, AModifiedItemShowsItsTradeNameWhateverTheSortKeyUntilTheNextRebuild) {
    Open(THREE_DRUGS);
    ListAgainBy(SORT_BY_ENGLISH_NAME);
    ASSERT_EQ(Labels(), (QStringList{"Aspirin", "Ibuprofen", "Paracetamol"}));
    ShowTree();
    Click(ResultItem(1));
    ASSERT_EQ(document.GetCurrentIndex(), 1);

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
        document.ModifyCurrent(Names(Gbk(c.tradeName), Gbk(c.englishName)));
        EXPECT_EQ(Labels(), (QStringList{"Aspirin", c.label, "Paracetamol"}));
        EXPECT_EQ(Parameter(ResultItem(1)), 1);
        EXPECT_TRUE(text.toPlainText().contains(QStringLiteral("[英文]Motrin")));
    }

    // The next listing labels it by the sort key again.
    ListAgainBy(SORT_BY_ENGLISH_NAME);
    EXPECT_TRUE(Labels().contains(QStringLiteral("Motrin")));
}

TEST_F(TreeViewTest, ARelabelOrSelectForAnIndexNoItemCarriesChangesNothing) {
    Open({});  // no results: the current index is -1
    ASSERT_EQ(document.GetCurrentIndex(), -1);
    emit document.resultChanged(0);
    emit document.currentChanged(0);
    ASSERT_EQ(TopLevelCount(), 1);
    EXPECT_EQ(Text(Root()), ROOT_LABEL);
    EXPECT_EQ(ChildCount(Root()), 0);
    EXPECT_FALSE(tree.currentIndex().isValid());
}

TEST_F(TreeViewTest, ChoosingAnItemMakesItsResultCurrentAndTheTextShowsIt) {
    // Two results with the same label are told apart by their parameters.
    const std::vector<Drug> records = {{.tradeName = "同名", .englishName = "Alpha"},
                                       {.tradeName = "同名", .englishName = "Beta"},
                                       {.tradeName = "阿司匹林", .englishName = "Aspirin"}};
    Open(records);
    ShowTree();

    for (const int row : {2, 1, 0}) {
        SCOPED_TRACE(row);
        madeCurrent.clear();
        Click(ResultItem(row));
        EXPECT_EQ(tree.currentIndex(), ResultItem(row));
        EXPECT_EQ(document.GetCurrentIndex(), Parameter(ResultItem(row)));
        const Drug& record = records[RecordOf(row) - 1];
        EXPECT_EQ(text.toPlainText(), QString::fromStdString("[品名]" + record.tradeName +
                                                             "\n[英文]" + record.englishName));
        EXPECT_EQ(madeCurrent, std::vector<int>{row});
    }
}

TEST_F(TreeViewTest, ClickingTheRootChangesNothing) {
    Open(THREE_DRUGS);
    ShowTree();
    Click(ResultItem(2));
    const QString shown = text.toPlainText();
    madeCurrent.clear();

    Click(Root());

    EXPECT_EQ(document.GetCurrentIndex(), 2);
    EXPECT_EQ(text.toPlainText(), shown);
    EXPECT_TRUE(madeCurrent.empty());
}

TEST_F(TreeViewTest, WithoutResultsOnlyTheRootRemainsAndTheTextIsEmpty) {
    struct Case {
        const char* name;
        std::vector<Drug> records;
        const char* search;  // nothing: only open
    };
    const Case cases[] = {
        {"an empty dictionary", {}, nullptr},
        {"a search without hits", THREE_DRUGS, "无此药"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.records);
        if (c.search != nullptr) {
            EXPECT_FALSE(document.Search(Gbk(c.search)));
        }
        ASSERT_EQ(TopLevelCount(), 1);
        EXPECT_EQ(Text(Root()), ROOT_LABEL);
        EXPECT_EQ(ChildCount(Root()), 0);
        EXPECT_TRUE(tree.isExpanded(Root()));
        EXPECT_EQ(document.GetCurrentIndex(), -1);
        EXPECT_FALSE(tree.currentIndex().isValid());
        EXPECT_EQ(text.toPlainText(), QString());
    }
}

// Reading the labels leaves the current record where it is: in the store
// too, not only in the document.
TEST_F(TreeViewTest, ShowingTheLabelsMovesNoRecord) {
    Open(THREE_DRUGS);
    ASSERT_TRUE(document.SelectResult(1));
    const std::uint32_t current = document.GetStore().GetCurrent();
    ShowTree();
    tree.viewport()->repaint();
    EXPECT_EQ(Labels().size(), 3);
    EXPECT_EQ(document.GetCurrentIndex(), 1);
    EXPECT_EQ(document.GetStore().GetCurrent(), current);
}

TEST_F(TreeViewTest, BeforeTheFirstListingThereIsNoItem) {
    EXPECT_EQ(TopLevelCount(), 0);
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

    const auto iconOf = [](const QModelIndex& item) {
        return qvariant_cast<QIcon>(item.data(Qt::DecorationRole));
    };
    for (int row = 0; row < ChildCount(Root()); ++row) {
        const QIcon icon = iconOf(ResultItem(row));
        EXPECT_EQ(picture(icon, QIcon::Normal), closedBook);
        EXPECT_EQ(picture(icon, QIcon::Selected), openBook);
    }
    EXPECT_EQ(picture(iconOf(Root()), QIcon::Normal), closedBook);
    EXPECT_EQ(picture(iconOf(Root()), QIcon::Selected), closedBook);
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
    const QRect first = tree.visualRect(ResultItem(0));
    const QRect last = tree.visualRect(ResultItem(2));
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
    const auto tipAt = [this](const QModelIndex& item) {
        QToolTip::hideText();
        const QPoint at = tree.visualRect(item).center();
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
