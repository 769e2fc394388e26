// The tool bars: their buttons in order, the drug buttons enabled only with a
// dictionary open, and the drop-down menus of the search and delete buttons:
// opened by the arrow under the button, with the options of the active
// dictionary marked, their prompts in the status bar.
#include <QMenu>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <functional>

#include "frames/quick_search_box.h"
#include "platform/command_actions.h"
#include "resources/resource_ids.h"
#include "resources/search_options.h"
#include "tests/frames/main_frame_fixture.h"

namespace quorbex::testing {
namespace {

using platform::CommandId;

constexpr CommandId DRUG_BUTTONS[] = {ID_DRUG_SAVE, ID_DRUG_MODIFY, ID_DRUG_APPEND, ID_DRUG_DELETE,
                                      ID_DRUG_SEARCH};
constexpr CommandId OPTIONS[] = {
    ID_SORT_BY_TRADE_NAME, ID_SORT_BY_ENGLISH_NAME, ID_SORT_BY_PINYIN,      ID_SEARCH_TRADE_NAME,
    ID_SEARCH_PINYIN,      ID_SEARCH_OTHER_NAMES,   ID_SEARCH_ENGLISH_NAME, ID_SEARCH_FUNCTION,
    ID_SEARCH_USAGE,       ID_SEARCH_CAUTIONS,      ID_SEARCH_ALL,          ID_CONFIRM_DELETE};

// The bar's entries as command numbers, 0 for a separator, ~0 for a widget
// of no command (the quick search box).
std::vector<unsigned> Layout(const QToolBar& bar) {
    std::vector<unsigned> layout;
    for (QAction* action : bar.actions()) {
        if (action->isSeparator()) {
            layout.push_back(0);
        } else if (action->data().isValid()) {
            layout.push_back(static_cast<unsigned>(platform::CommandOf(*action)));
        } else {
            layout.push_back(~0u);
        }
    }
    return layout;
}

TEST_F(MainFrameTest, ToolBarsHoldTheirButtonsInOrder) {
    EXPECT_EQ(Layout(*frame->StandardToolBar()),
              (std::vector<unsigned>{57600, 57601, 0, 57635, 57634, 57637, 0, 57664}));
    EXPECT_EQ(Layout(*frame->DrugToolBar()),
              (std::vector<unsigned>{32792, 0, 32791, 32775, 32778, 0, 32774, ~0u}));
    // The quick search box comes after the search button.
    EXPECT_EQ(frame->DrugToolBar()->widgetForAction(frame->DrugToolBar()->actions().last()),
              static_cast<QWidget*>(frame->QuickSearch()));

    EXPECT_EQ(frame->StandardToolBar()->iconSize(), QSize(16, 15));
    EXPECT_EQ(frame->DrugToolBar()->iconSize(), QSize(32, 15));

    // Only search and delete have an arrow.
    for (const CommandId id : DRUG_BUTTONS) {
        QToolButton* button = frame->ToolBarButton(id);
        ASSERT_NE(button, nullptr) << id;
        const bool arrow = id == ID_DRUG_SEARCH || id == ID_DRUG_DELETE;
        EXPECT_EQ(button->menu() != nullptr, arrow) << id;
        EXPECT_EQ(button->popupMode() == QToolButton::MenuButtonPopup, arrow) << id;
    }
}

TEST_F(MainFrameTest, DrugButtonsAndTheirOptionsWorkOnlyWhileADictionaryIsOpen) {
    ShowFrame();
    const auto expectEnabled = [this](bool enabled) {
        for (const CommandId id : DRUG_BUTTONS) {
            QWidget* button = frame->ToolBarButton(id);
            ASSERT_NE(button, nullptr) << id;
            EXPECT_EQ(button->isEnabled(), enabled) << id;
            EXPECT_EQ(frame->Action(id).isEnabled(), enabled) << id;
        }
        for (const CommandId id : OPTIONS) {
            EXPECT_EQ(frame->Action(id).isEnabled(), enabled) << id;
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

// A click on the button's arrow, at its right end.
QPoint ArrowOf(const QToolButton& button) {
    const int arrow = button.style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, &button);
    return {button.width() - std::max(arrow / 2, 2), button.height() / 2};
}

class DropDownTest : public MainFrameTest {
protected:
    // Clicks the arrow of the button of id and hands the menu that opens to
    // whileOpen; the menu is closed afterwards unless whileOpen chose from
    // it. Answers whether a menu opened.
    bool OpenMenu(CommandId id, const std::function<void(QMenu&)>& whileOpen) {
        QToolButton* button = frame->ToolBarButton(id);
        EXPECT_NE(button, nullptr);
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                opened = true;
                whileOpen(*menu);
                if (menu->isVisible()) {
                    menu->close();
                }
            }
        });
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, ArrowOf(*button));
        ProcessEvents();
        return opened;
    }

    // The menu's items: command numbers, 0 for a separator; and their marks.
    static std::vector<unsigned> Items(const QMenu& menu) {
        std::vector<unsigned> items;
        for (QAction* action : menu.actions()) {
            items.push_back(
                action->isSeparator() ? 0 : static_cast<unsigned>(platform::CommandOf(*action)));
        }
        return items;
    }

    // Chooses the item of id, as the user does with the keys.
    static void Choose(QMenu& menu, CommandId id) {
        for (QAction* action : menu.actions()) {
            if (!action->isSeparator() && platform::CommandOf(*action) == id) {
                menu.setActiveAction(action);
            }
        }
        QTest::keyClick(&menu, Qt::Key_Return);
    }
};

// The search fields are listed in the order of their bits; the texts are the
// command table's, the marks the active dictionary's.
TEST_F(DropDownTest, TheSearchMenuListsTheOptionsUnderTheButton) {
    ShowFrame();
    ASSERT_NE(NewDictionary(), nullptr);
    QToolButton* button = frame->ToolBarButton(ID_DRUG_SEARCH);
    const bool opened = OpenMenu(ID_DRUG_SEARCH, [&](QMenu& menu) {
        EXPECT_EQ(Items(menu), (std::vector<unsigned>{102, 104, 33000, 0, 114, 116, 117, 115, 118,
                                                      119, 120, 0, 121}));
        QStringList texts;
        QList<bool> marks;
        for (QAction* action : menu.actions()) {
            if (!action->isSeparator()) {
                texts << action->text();
                marks << action->isChecked();
            }
        }
        EXPECT_EQ(texts, (QStringList{"按品名排序", "按英文排序", "按拼音排序", "搜索品名",
                                      "搜索拼音", "搜索别名", "搜索英文", "搜索功能", "搜索用法",
                                      "搜索禁忌", "全部搜索"}));
        EXPECT_EQ(marks, (QList<bool>{true, false, false, true, true, true, true, false, false,
                                      false, false}));
        // Under the button, left edges aligned.
        EXPECT_EQ(menu.pos(), button->mapToGlobal(QPoint(0, button->height())));
    });
    EXPECT_TRUE(opened);
    // Only the menu: the button's command was not sent.
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DropDownTest, AChosenOptionReachesTheActiveDictionaryAndShowsTheNextTime) {
    ShowFrame();
    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);
    const ResultList shown = document->GetResultList();

    ASSERT_TRUE(
        OpenMenu(ID_DRUG_SEARCH, [](QMenu& menu) { Choose(menu, ID_SORT_BY_ENGLISH_NAME); }));
    EXPECT_EQ(document->GetOptions().sortKey, SORT_BY_ENGLISH_NAME);
    ASSERT_TRUE(OpenMenu(ID_DRUG_SEARCH, [](QMenu& menu) { Choose(menu, ID_SEARCH_ALL); }));
    EXPECT_EQ(document->GetSearchMask(), 0x8F);
    ASSERT_TRUE(OpenMenu(ID_DRUG_SEARCH, [this](QMenu&) {
        EXPECT_TRUE(frame->Action(ID_SORT_BY_ENGLISH_NAME).isChecked());
        EXPECT_FALSE(frame->Action(ID_SORT_BY_TRADE_NAME).isChecked());
        EXPECT_TRUE(frame->Action(ID_SEARCH_ALL).isChecked());
    }));
    // The list on screen is not reordered.
    EXPECT_EQ(document->GetResultList(), shown);

    ASSERT_TRUE(OpenMenu(ID_DRUG_DELETE, [](QMenu& menu) {
        EXPECT_EQ(Items(menu), std::vector<unsigned>{32781});
        EXPECT_EQ(menu.actions().value(0)->text(), QStringLiteral("确认删除"));
        EXPECT_TRUE(menu.actions().value(0)->isChecked());
        Choose(menu, ID_CONFIRM_DELETE);
    }));
    EXPECT_FALSE(document->GetConfirmDelete());
    ASSERT_TRUE(OpenMenu(ID_DRUG_DELETE, [](QMenu& menu) {
        EXPECT_FALSE(menu.actions().value(0)->isChecked());
        // Closing it chooses nothing.
        QTest::keyClick(&menu, Qt::Key_Escape);
    }));
    EXPECT_FALSE(document->GetConfirmDelete());
}

TEST_F(DropDownTest, PointingAtAnItemShowsItsPromptInTheStatusBar) {
    ShowFrame();
    ASSERT_NE(NewDictionary(), nullptr);
    QStatusBar* status = frame->statusBar();
    ASSERT_TRUE(OpenMenu(ID_DRUG_DELETE, [status](QMenu& menu) {
        QAction* item = menu.actions().value(0);
        QTest::mouseMove(&menu, menu.actionGeometry(item).center());
        QCoreApplication::processEvents();
        EXPECT_EQ(status->currentMessage(), QStringLiteral("删除记录时弹出确认对话框"));
        QTest::keyClick(&menu, Qt::Key_Escape);
    }));
    EXPECT_EQ(status->currentMessage(), QString());
}

TEST_F(DropDownTest, DisabledArrowsOpenNothing) {
    ShowFrame();
    for (const CommandId id : {ID_DRUG_SEARCH, ID_DRUG_DELETE}) {
        EXPECT_FALSE(OpenMenu(id, [](QMenu&) {})) << id;
        QToolButton* button = frame->ToolBarButton(id);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(4, button->height() / 2));
    }
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_TRUE(ui.messages.empty());
}

// The drop-down menus hold the main window's own actions, whose marks are
// those of the active document's options and follow them at once.
TEST_F(MainFrameTest, OptionMarksFollowTheActiveDocument) {
    ShowFrame();
    CZorvikDrugDoc* first = NewDictionary();
    ASSERT_NE(first, nullptr);
    const auto expectMarks = [this](const CZorvikDrugDoc& document) {
        for (const CommandId id : OPTIONS) {
            QAction& action = frame->Action(id);
            EXPECT_TRUE(action.isCheckable()) << id;
            EXPECT_EQ(action.isChecked(), IsOptionChecked(document.GetOptions(), id)) << id;
        }
    };
    expectMarks(*first);
    EXPECT_TRUE(frame->Action(ID_SEARCH_TRADE_NAME).isChecked());
    EXPECT_FALSE(frame->Action(ID_SEARCH_ALL).isChecked());

    frame->Action(ID_SEARCH_ALL).trigger();
    frame->Action(ID_SEARCH_TRADE_NAME).trigger();
    frame->Action(ID_SORT_BY_ENGLISH_NAME).trigger();
    frame->Action(ID_CONFIRM_DELETE).trigger();
    EXPECT_EQ(first->GetSearchMask(), 0x8E);
    EXPECT_FALSE(first->GetConfirmDelete());
    expectMarks(*first);
    EXPECT_TRUE(frame->Action(ID_SORT_BY_ENGLISH_NAME).isChecked());
    EXPECT_FALSE(frame->Action(ID_SORT_BY_TRADE_NAME).isChecked());
    frame->Action(ID_SORT_BY_PINYIN).trigger();
    expectMarks(*first);
    EXPECT_FALSE(frame->Action(ID_SORT_BY_ENGLISH_NAME).isChecked());

    // Another dictionary has options of its own; going back shows the first's again.
    CZorvikDrugDoc* second = NewDictionary();
    ASSERT_NE(second, nullptr);
    expectMarks(*second);
    EXPECT_TRUE(frame->Action(ID_CONFIRM_DELETE).isChecked());
    DrugFrameOf(*first)->Activate();
    expectMarks(*first);
    EXPECT_FALSE(frame->Action(ID_CONFIRM_DELETE).isChecked());

    // The search button's menu lists exactly these actions.
    for (QAction* action : frame->ToolBarButton(ID_DRUG_SEARCH)->menu()->actions()) {
        EXPECT_TRUE(action->isSeparator() ||
                    std::find(std::begin(OPTIONS), std::end(OPTIONS),
                              platform::CommandOf(*action)) != std::end(OPTIONS))
            << action->text().toStdString();
    }
}

TEST_F(MainFrameTest, ButtonFaceSendsTheCommand) {
    ShowFrame();
    ASSERT_NE(NewDictionary(), nullptr);

    // Search asks for a pattern (cancelled here); delete with nothing to
    // delete says so.
    ui.promptAnswers = {std::nullopt};
    for (const CommandId id : {ID_DRUG_SEARCH, ID_DRUG_DELETE}) {
        QToolButton* button = frame->ToolBarButton(id);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                          QPoint(button->width() / 4, button->height() / 2));
    }

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
    entryScript.answer = QDialog::Rejected;
    for (const CommandId id : {ID_DRUG_MODIFY, ID_DRUG_APPEND}) {
        QWidget* button = frame->ToolBarButton(id);
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
        CommandId id;
        const char* prompt;
    } buttons[] = {{ID_DRUG_SAVE, "保存对当前Quorbex的改变"},
                   {ID_DRUG_APPEND, "追加记录"},
                   {ID_DRUG_SEARCH, "浏览记录"}};
    for (const auto& button : buttons) {
        QWidget* widget = frame->ToolBarButton(button.id);
        ASSERT_NE(widget, nullptr);
        frame->statusBar()->clearMessage();
        QTest::mouseMove(widget, QPoint(4, widget->height() / 2));
        QCoreApplication::processEvents();
        EXPECT_EQ(frame->statusBar()->currentMessage(), QString::fromUtf8(button.prompt))
            << button.id;
    }
}

}  // namespace
}  // namespace quorbex::testing
