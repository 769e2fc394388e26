// The tool bars: their buttons in order, the drug buttons enabled only with a
// dictionary open, and the drop-down arrows of the search and delete buttons
// opening the document's menus under the buttons.
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "frames/drop_down_tool_button.h"
#include "frames/quick_search_box.h"
#include "resources/resource_ids.h"
#include "tests/frames/main_frame_fixture.h"

namespace quorbex::testing {
namespace {

constexpr unsigned DRUG_BUTTONS[] = {ID_DRUG_SAVE, ID_DRUG_MODIFY, ID_DRUG_APPEND, ID_DRUG_DELETE,
                                     ID_DRUG_SEARCH};
constexpr unsigned OPTIONS[] = {
    ID_SORT_BY_TRADE_NAME, ID_SORT_BY_ENGLISH_NAME, ID_SORT_BY_PINYIN,      ID_SEARCH_TRADE_NAME,
    ID_SEARCH_PINYIN,      ID_SEARCH_OTHER_NAMES,   ID_SEARCH_ENGLISH_NAME, ID_SEARCH_FUNCTION,
    ID_SEARCH_USAGE,       ID_SEARCH_CAUTIONS,      ID_SEARCH_ALL,          ID_CONFIRM_DELETE};

// The bar's entries as command ids, 0 for a separator, ~0 for any other
// widget (the quick search box).
std::vector<unsigned> Layout(const CMainFrame& frame, unsigned barId, const QToolBar& bar,
                             std::initializer_list<unsigned> candidates) {
    std::vector<unsigned> layout;
    for (QAction* action : bar.actions()) {
        if (action->isSeparator()) {
            layout.push_back(0);
            continue;
        }
        unsigned found = ~0u;
        for (unsigned id : candidates) {
            if (frame.ToolBarButton(barId, id) == bar.widgetForAction(action)) {
                found = id;
            }
        }
        layout.push_back(found);
    }
    return layout;
}

TEST_F(MainFrameTest, ToolBarsHoldTheirButtonsInOrder) {
    EXPECT_EQ(Layout(*frame, platform::AFX_IDW_TOOLBAR, *frame->StandardToolBar(),
                     {57600, 57601, 57635, 57634, 57637, 57664}),
              (std::vector<unsigned>{57600, 57601, 0, 57635, 57634, 57637, 0, 57664}));
    EXPECT_EQ(Layout(*frame, IDW_DRUG_TOOLBAR, *frame->DrugToolBar(),
                     {32792, 32791, 32775, 32778, 32774}),
              (std::vector<unsigned>{32792, 0, 32791, 32775, 32778, 0, 32774, ~0u}));
    // The quick search box comes after the search button.
    EXPECT_EQ(frame->DrugToolBar()->widgetForAction(frame->DrugToolBar()->actions().last()),
              static_cast<QWidget*>(frame->QuickSearch()));

    EXPECT_EQ(frame->StandardToolBar()->iconSize(), QSize(16, 15));
    EXPECT_EQ(frame->DrugToolBar()->iconSize(), QSize(32, 15));

    // Only search and delete have an arrow.
    for (unsigned id : DRUG_BUTTONS) {
        const bool arrow = id == ID_DRUG_SEARCH || id == ID_DRUG_DELETE;
        EXPECT_EQ(dynamic_cast<DropDownToolButton*>(frame->ToolBarButton(IDW_DRUG_TOOLBAR, id)) !=
                      nullptr,
                  arrow)
            << id;
    }
}

TEST_F(MainFrameTest, DrugButtonsAndTheirOptionsWorkOnlyWhileADictionaryIsOpen) {
    ShowFrame();
    const auto expectEnabled = [this](bool enabled) {
        for (unsigned id : DRUG_BUTTONS) {
            QWidget* button = frame->ToolBarButton(IDW_DRUG_TOOLBAR, id);
            ASSERT_NE(button, nullptr) << id;
            EXPECT_EQ(button->isEnabled(), enabled) << id;
            EXPECT_EQ(frame->Action(id)->isEnabled(), enabled) << id;
        }
        for (const unsigned id : OPTIONS) {
            EXPECT_EQ(frame->Action(id)->isEnabled(), enabled) << id;
        }
    };
    expectEnabled(false);

    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);
    expectEnabled(true);

    docTemplate->CloseDocument(*document);
    ProcessEvents();
    expectEnabled(false);
}

TEST_F(MainFrameTest, DisabledArrowsOpenNothing) {
    ShowFrame();
    for (unsigned id : {ID_DRUG_SEARCH, ID_DRUG_DELETE}) {
        auto* button =
            dynamic_cast<DropDownToolButton*>(frame->ToolBarButton(IDW_DRUG_TOOLBAR, id));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->ArrowRect().center());
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(4, button->height() / 2));
    }
    EXPECT_TRUE(ui.menus.empty());
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_TRUE(ui.messages.empty());
}

struct DropDown {
    unsigned button;
    unsigned firstItem;
    std::size_t items;
};

class DropDownArrowTest : public MainFrameTest, public ::testing::WithParamInterface<DropDown> {};

TEST_P(DropDownArrowTest, ArrowOpensTheDocumentsMenuUnderTheButton) {
    ShowFrame();
    ASSERT_NE(NewDictionary(), nullptr);
    auto* button = dynamic_cast<DropDownToolButton*>(
        frame->ToolBarButton(IDW_DRUG_TOOLBAR, GetParam().button));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    const QRect arrow = button->ArrowRect();
    ASSERT_FALSE(arrow.isEmpty());
    ASSERT_TRUE(button->rect().contains(arrow));

    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, arrow.center());

    ASSERT_EQ(ui.menus.size(), 1u);
    const std::vector<unsigned>& menu = ui.menus[0].commands;
    ASSERT_EQ(menu.size(), GetParam().items);
    EXPECT_EQ(menu[0], GetParam().firstItem);
    const QPoint topLeft = button->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(ui.menus[0].position, QPoint(topLeft.x(), topLeft.y() + button->height()));
    // Only the menu: the button's command was not sent.
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(DropDownArrowTest, ChosenItemReachesTheDocument) {
    ShowFrame();
    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);
    auto* button = dynamic_cast<DropDownToolButton*>(
        frame->ToolBarButton(IDW_DRUG_TOOLBAR, GetParam().button));
    ASSERT_NE(button, nullptr);
    ui.commandSink = [this](unsigned id) { frame->Action(id)->trigger(); };
    const bool confirmDelete = document->GetConfirmDelete();
    const int mask = document->GetSearchMask();
    int sortKey = -1;
    document->GetSortKey(sortKey);

    // The delete menu's one item, or the search menu's "按英文排序".
    const unsigned choice =
        GetParam().button == ID_DRUG_DELETE ? ID_CONFIRM_DELETE : ID_SORT_BY_ENGLISH_NAME;
    ui.menuChoices = {choice};
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->ArrowRect().center());
    ASSERT_EQ(ui.menus.size(), 1u);

    int newSortKey = -1;
    document->GetSortKey(newSortKey);
    if (choice == ID_CONFIRM_DELETE) {
        EXPECT_EQ(document->GetConfirmDelete(), !confirmDelete);
        EXPECT_EQ(newSortKey, sortKey);
    } else {
        EXPECT_EQ(newSortKey, 1);
        EXPECT_EQ(document->GetConfirmDelete(), confirmDelete);
    }
    EXPECT_EQ(document->GetSearchMask(), mask);
}

// The drop-down menus hold the main window's own actions, whose marks are
// those of the active document's options and follow them at once.
TEST_F(MainFrameTest, OptionMarksFollowTheActiveDocument) {
    ShowFrame();
    CZorvikDrugDoc* first = NewDictionary();
    ASSERT_NE(first, nullptr);
    const auto expectMarks = [this](const CZorvikDrugDoc& document) {
        for (const unsigned id : OPTIONS) {
            QAction* action = frame->Action(id);
            EXPECT_TRUE(action->isCheckable()) << id;
            EXPECT_EQ(action->isChecked(), document.IsOptionChecked(id)) << id;
        }
    };
    expectMarks(*first);
    EXPECT_TRUE(frame->Action(ID_SEARCH_TRADE_NAME)->isChecked());
    EXPECT_FALSE(frame->Action(ID_SEARCH_ALL)->isChecked());

    frame->Action(ID_SEARCH_ALL)->trigger();
    frame->Action(ID_SEARCH_TRADE_NAME)->trigger();
    frame->Action(ID_SORT_BY_ENGLISH_NAME)->trigger();
    frame->Action(ID_CONFIRM_DELETE)->trigger();
    EXPECT_EQ(first->GetSearchMask(), 0x8E);
    EXPECT_FALSE(first->GetConfirmDelete());
    expectMarks(*first);
    EXPECT_TRUE(frame->Action(ID_SORT_BY_ENGLISH_NAME)->isChecked());
    EXPECT_FALSE(frame->Action(ID_SORT_BY_TRADE_NAME)->isChecked());
    frame->Action(ID_SORT_BY_PINYIN)->trigger();
    expectMarks(*first);
    EXPECT_FALSE(frame->Action(ID_SORT_BY_ENGLISH_NAME)->isChecked());

    // Another dictionary has options of its own; going back shows the first's again.
    CZorvikDrugDoc* second = NewDictionary();
    ASSERT_NE(second, nullptr);
    expectMarks(*second);
    EXPECT_TRUE(frame->Action(ID_CONFIRM_DELETE)->isChecked());
    DrugFrameOf(*first)->ActivateFrame();
    expectMarks(*first);
    EXPECT_FALSE(frame->Action(ID_CONFIRM_DELETE)->isChecked());

    // The search button's menu lists exactly these actions.
    auto* search =
        dynamic_cast<DropDownToolButton*>(frame->ToolBarButton(IDW_DRUG_TOOLBAR, ID_DRUG_SEARCH));
    ASSERT_NE(search, nullptr);
    QTest::mouseClick(search, Qt::LeftButton, Qt::NoModifier, search->ArrowRect().center());
    ASSERT_EQ(ui.menus.size(), 1u);
    for (const unsigned id : ui.menus[0].commands) {
        EXPECT_TRUE(id == 0 ||
                    std::find(std::begin(OPTIONS), std::end(OPTIONS), id) != std::end(OPTIONS))
            << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Buttons, DropDownArrowTest,
                         ::testing::Values(DropDown{ID_DRUG_SEARCH, ID_SORT_BY_TRADE_NAME, 13},
                                           DropDown{ID_DRUG_DELETE, ID_CONFIRM_DELETE, 1}),
                         [](const ::testing::TestParamInfo<DropDown>& info) {
                             return info.param.button == ID_DRUG_SEARCH ? "Search" : "Delete";
                         });

TEST_F(MainFrameTest, ButtonFaceSendsTheCommand) {
    ShowFrame();
    ASSERT_NE(NewDictionary(), nullptr);

    // Search asks for a pattern (cancelled here); delete with nothing to
    // delete says so.
    ui.promptAnswers = {std::nullopt};
    for (unsigned id : {ID_DRUG_SEARCH, ID_DRUG_DELETE}) {
        auto* button =
            dynamic_cast<DropDownToolButton*>(frame->ToolBarButton(IDW_DRUG_TOOLBAR, id));
        ASSERT_NE(button, nullptr);
        QPoint face(button->width() / 4, button->height() / 2);
        ASSERT_FALSE(button->ArrowRect().contains(face));
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, face);
    }

    EXPECT_TRUE(ui.menus.empty());
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].prompt, QStringLiteral("请输入要查找的内容:"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("记录已被删完!"));
}

TEST_F(MainFrameTest, PlainDrugButtonsSendTheirCommands) {
    ShowFrame();
    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);

    // Modify with nothing current says so; append runs the entry dialog.
    entryScript.answer = platform::IDCANCEL;
    for (unsigned id : {ID_DRUG_MODIFY, ID_DRUG_APPEND}) {
        QWidget* button = frame->ToolBarButton(IDW_DRUG_TOOLBAR, id);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("字典中无药物!"));
    EXPECT_TRUE(entryScript.ran);
    EXPECT_FALSE(document->IsModified());
}

TEST_F(MainFrameTest, PointingAtADrugButtonShowsItsPromptInTheStatusBar) {
    ShowFrame();
    ASSERT_NE(NewDictionary(), nullptr);
    const struct {
        unsigned id;
        const char* prompt;
    } buttons[] = {{ID_DRUG_SAVE, "保存对当前Quorbex的改变"},
                   {ID_DRUG_APPEND, "追加记录"},
                   {ID_DRUG_SEARCH, "浏览记录"}};
    for (const auto& button : buttons) {
        QWidget* widget = frame->ToolBarButton(IDW_DRUG_TOOLBAR, button.id);
        ASSERT_NE(widget, nullptr);
        frame->statusBar()->clearMessage();
        QTest::mouseMove(widget, QPoint(4, widget->height() / 2));
        QCoreApplication::processEvents();
        EXPECT_EQ(frame->statusBar()->currentMessage(), QString::fromUtf8(button.prompt))
            << button.id;
    }
}

TEST_F(MainFrameTest, ButtonRectanglesFollowTheBarsVisibility) {
    ShowFrame();
    QWidget* search = frame->ToolBarButton(IDW_DRUG_TOOLBAR, ID_DRUG_SEARCH);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(frame->ToolBarButtonRect(IDW_DRUG_TOOLBAR, ID_DRUG_SEARCH),
              QRect(search->mapToGlobal(QPoint(0, 0)), search->size()));
    // The standard bar is hidden; unknown buttons have no rectangle.
    EXPECT_FALSE(frame->ToolBarButtonRect(platform::AFX_IDW_TOOLBAR, platform::ID_FILE_NEW));
    EXPECT_FALSE(frame->ToolBarButtonRect(IDW_DRUG_TOOLBAR, ID_CONFIRM_DELETE));

    frame->DrugToolBar()->hide();
    EXPECT_FALSE(frame->ToolBarButtonRect(IDW_DRUG_TOOLBAR, ID_DRUG_SEARCH));
}

}  // namespace
}  // namespace quorbex::testing
