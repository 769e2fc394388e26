// The main window: its place on the screen, its bars and their toggles, the
// status bar panes, and the confirmation before the program quits.
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "frames/lock_keys.h"
#include "frames/main_status_bar.h"
#include "resources/resource_ids.h"
#include "tests/frames/main_frame_fixture.h"

namespace quorbex::testing {
namespace {

// ---- Placement ----

struct Placement {
    QSize screen;
    QSize window;
};

class MainFramePlacementTest : public ::testing::TestWithParam<Placement> {};

TEST_P(MainFramePlacementTest, FillsTheScreenBut30PixelsAtTheOrigin) {
    FakeUserInterface ui;
    CMainFrame frame(ui, GetParam().screen);
    EXPECT_EQ(frame.pos(), QPoint(0, 0));
    EXPECT_EQ(frame.size(), GetParam().window);

    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_EQ(frame.pos(), QPoint(0, 0));
    EXPECT_EQ(frame.size(), GetParam().window);
}

INSTANTIATE_TEST_SUITE_P(Screens, MainFramePlacementTest,
                         ::testing::Values(Placement{{1024, 768}, {1024, 738}},
                                           Placement{{800, 600}, {800, 570}},
                                           Placement{{1280, 1024}, {1280, 994}}),
                         [](const ::testing::TestParamInfo<Placement>& info) {
                             return std::to_string(info.param.screen.width()) + "x" +
                                    std::to_string(info.param.screen.height());
                         });

TEST_F(MainFrameTest, HasAMinimizeButDoesNotMaximize) {
    const Qt::WindowFlags flags = frame->windowFlags();
    // Without it the window system decorates the window its own way.
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
}

TEST_F(MainFrameTest, CaptionCarriesTheActiveDictionaryAfterTheProgramName) {
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Quorbex"));

    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("Quorbex")));
    EXPECT_TRUE(frame->windowTitle().contains(document->GetTitle()))
        << frame->windowTitle().toStdString();

    docTemplate->CloseDocument(*document);
    ProcessEvents();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Quorbex"));
}

// The title once: in brackets while its window is maximized, plain while not.
TEST_F(MainFrameTest, CaptionNamesTheDictionaryOnceMaximizedOrNot) {
    ShowFrame();
    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);
    QMdiSubWindow* window = DrugFrameOf(*document)->SubWindow();
    const QString title = document->GetTitle();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(window->isMaximized());
        EXPECT_EQ(frame->windowTitle(), QStringLiteral("Quorbex - [%1]").arg(title));
        window->showNormal();
        ProcessEvents();
        EXPECT_EQ(frame->windowTitle(), QStringLiteral("Quorbex - %1").arg(title));
        window->showMaximized();
        ProcessEvents();
    }
    document->SetModifiedFlag(true);
    ProcessEvents();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Quorbex - [%1 *]").arg(title));
}

// ---- Bars ----

TEST_F(MainFrameTest, StartsWithTheDrugBarAndStatusBarShownAndTheStandardBarHidden) {
    ShowFrame();
    QToolBar* standard = frame->StandardToolBar();
    QToolBar* drug = frame->DrugToolBar();
    EXPECT_FALSE(standard->isVisible());
    EXPECT_TRUE(drug->isVisible());
    EXPECT_TRUE(frame->statusBar()->isVisible());

    EXPECT_EQ(frame->toolBarArea(standard), Qt::TopToolBarArea);
    EXPECT_EQ(frame->toolBarArea(drug), Qt::TopToolBarArea);
    // A row of its own for each, the standard bar's row first.
    EXPECT_TRUE(frame->toolBarBreak(drug));
    EXPECT_FALSE(frame->toolBarBreak(standard));

    // The captions the bars show when they float.
    EXPECT_EQ(standard->windowTitle(), QStringLiteral("工具条"));
    EXPECT_EQ(drug->windowTitle(), QStringLiteral("药物工具条"));
    EXPECT_TRUE(standard->isFloatable());
    EXPECT_TRUE(drug->isFloatable());
    EXPECT_EQ(standard->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_EQ(drug->allowedAreas(), Qt::AllToolBarAreas);
}

TEST_F(MainFrameTest, ShownStandardBarSitsOnTheRowAboveTheDrugBar) {
    ShowFrame();
    frame->StandardToolBar()->show();
    ProcessEvents();
    QToolBar* standard = frame->StandardToolBar();
    QToolBar* drug = frame->DrugToolBar();
    ASSERT_TRUE(standard->isVisible());
    EXPECT_EQ(frame->toolBarArea(standard), Qt::TopToolBarArea);
    EXPECT_LE(standard->geometry().bottom(), drug->geometry().top());
    EXPECT_EQ(standard->x(), drug->x());
}

struct Toggle {
    platform::CommandId command;
    QToolBar* (CMainFrame::*bar)() const;
    bool shownAtStart;
};

class BarToggleTest : public MainFrameTest, public ::testing::WithParamInterface<Toggle> {};

TEST_P(BarToggleTest, EachChoiceFlipsTheBarAndItsCheckMark) {
    ShowFrame();
    NewDictionary();
    ASSERT_TRUE(frame->ShowsDictionaryMenus());
    QToolBar* bar = (frame.get()->*GetParam().bar)();
    QAction* item = &frame->Action(GetParam().command);
    ASSERT_NE(item, nullptr);

    EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(item->isCheckable());
    EXPECT_EQ(item->isChecked(), GetParam().shownAtStart);
    EXPECT_EQ(bar->isVisible(), GetParam().shownAtStart);

    for (bool shown : {!GetParam().shownAtStart, GetParam().shownAtStart}) {
        item->trigger();
        EXPECT_EQ(bar->isVisible(), shown);
        EXPECT_EQ(item->isChecked(), shown);
        EXPECT_TRUE(item->isEnabled());
    }
}

TEST_P(BarToggleTest, TheMenuItemTogglesTheBar) {
    ShowFrame();
    NewDictionary();
    QToolBar* bar = (frame.get()->*GetParam().bar)();
    QAction* item = &frame->Action(GetParam().command);
    ASSERT_NE(item, nullptr);

    item->trigger();
    EXPECT_EQ(bar->isVisible(), !GetParam().shownAtStart);
    EXPECT_EQ(item->isChecked(), !GetParam().shownAtStart);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, BarToggleTest,
    ::testing::Values(Toggle{ID_TOGGLE_STANDARD_BAR, &CMainFrame::StandardToolBar, false},
                      Toggle{ID_TOGGLE_DRUG_BAR, &CMainFrame::DrugToolBar, true}),
    [](const ::testing::TestParamInfo<Toggle>& info) {
        return info.param.command == ID_TOGGLE_STANDARD_BAR ? "Standard" : "Drug";
    });

// ---- Status bar ----

QLabel* IdlePane(CMainFrame& frame) {
    for (QLabel* label : frame.statusBar()->findChildren<QLabel*>()) {
        if (label->text() == QStringLiteral("谢谢使用Halvern!")) {
            return label;
        }
    }
    return nullptr;
}

TEST_F(MainFrameTest, FirstPaneShowsTheIdleTextAndMenuPromptsInItsPlace) {
    ShowFrame();
    QLabel* idle = IdlePane(*frame);
    ASSERT_NE(idle, nullptr);
    // A mouse left over a button by an earlier test shows that button's prompt.
    frame->statusBar()->clearMessage();
    EXPECT_TRUE(idle->isVisible());
    // Left of every indicator pane.
    for (unsigned id : {ID_INDICATOR_RECORDS, platform::ID_INDICATOR_CAPS}) {
        EXPECT_LT(idle->x(), frame->StatusPane(id)->x()) << id;
    }

    frame->Action(platform::ID_FILE_OPEN).showStatusText(frame.get());
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("打开一个现有文档"));
    EXPECT_FALSE(idle->isVisible());

    frame->statusBar()->clearMessage();
    EXPECT_TRUE(idle->isVisible());
}

TEST_F(MainFrameTest, IndicatorPanesComeInOrderAfterThePromptPane) {
    ShowFrame();
    const unsigned order[] = {ID_INDICATOR_RECORDS, platform::ID_INDICATOR_CAPS,
                              platform::ID_INDICATOR_NUM, platform::ID_INDICATOR_SCRL};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        ASSERT_NE(frame->StatusPane(order[i]), nullptr);
        ASSERT_NE(frame->StatusPane(order[i + 1]), nullptr);
        EXPECT_LT(frame->StatusPane(order[i])->x(), frame->StatusPane(order[i + 1])->x());
    }
}

TEST_F(MainFrameTest, RecordPaneStartsAtZeroAndKeepsItsWidth) {
    ShowFrame();
    QLabel* pane = frame->StatusPane(ID_INDICATOR_RECORDS);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->text(), QStringLiteral("库文件记录:0条,当前浏览结果:0条"));

    const int width = pane->width();
    EXPECT_GE(width, pane->fontMetrics().horizontalAdvance(
                         QStringLiteral("库文件记录:0000条,当前列表记录:0000条")));

    auto* status = qobject_cast<MainStatusBar*>(frame->statusBar());
    ASSERT_NE(status, nullptr);
    status->ShowRecordCounts(2000, 1999);
    ProcessEvents();
    EXPECT_EQ(pane->text(), QStringLiteral("库文件记录:2000条,当前浏览结果:1999条"));
    EXPECT_EQ(pane->width(), width);

    status->ShowRecordCounts(1, 0);
    ProcessEvents();
    EXPECT_EQ(pane->width(), width);
}

TEST_F(MainFrameTest, OpenedDictionaryWritesItsCountsIntoTheRecordPane) {
    ShowFrame();
    ASSERT_NE(OpenDictionary({"A", "B", "C"}), nullptr);
    EXPECT_EQ(frame->StatusPane(ID_INDICATOR_RECORDS)->text(),
              QStringLiteral("库文件记录:3条,当前浏览结果:3条"));
}

TEST_F(MainFrameTest, OnlyTheIndicatorsHavePanes) {
    EXPECT_EQ(frame->StatusPane(113), nullptr);
    EXPECT_EQ(frame->StatusPane(0), nullptr);
}

TEST_F(MainFrameTest, LockPanesAreSizedForTheirNamesAndBlankWithoutALockState) {
    ShowFrame();
    // The offscreen platform tells nothing about the lock keys.
    EXPECT_FALSE(ReadLockKeys().has_value());

    // A lock key pressed anywhere in the program refreshes the panes.
    for (QLabel* pane : {frame->StatusPane(platform::ID_INDICATOR_CAPS),
                         frame->StatusPane(platform::ID_INDICATOR_SCRL)}) {
        pane->setText(QStringLiteral("stale"));
    }
    QTest::keyClick(frame->MdiArea(), Qt::Key_CapsLock);
    QTest::keyClick(frame.get(), Qt::Key_ScrollLock);

    const struct {
        unsigned id;
        const char* name;
    } panes[] = {{platform::ID_INDICATOR_CAPS, "大写"},
                 {platform::ID_INDICATOR_NUM, "数字"},
                 {platform::ID_INDICATOR_SCRL, "滚动"}};
    for (const auto& expected : panes) {
        QLabel* pane = frame->StatusPane(expected.id);
        ASSERT_NE(pane, nullptr) << expected.name;
        EXPECT_TRUE(pane->text().isEmpty()) << expected.name;
        EXPECT_TRUE(pane->isVisible()) << expected.name;
        EXPECT_GE(pane->width(),
                  pane->fontMetrics().horizontalAdvance(QString::fromUtf8(expected.name)))
            << expected.name;
    }
}

// ---- Exit confirmation ----

void ExpectExitQuestion(const FakeUserInterface::Message& message) {
    EXPECT_EQ(message.text, QStringLiteral("确认要退出Halvern吗?"));
    EXPECT_EQ(message.caption, QStringLiteral("退出..."));
    EXPECT_EQ(message.icon, QMessageBox::Question);
    EXPECT_EQ(message.buttons, QMessageBox::Yes | QMessageBox::No);
}

TEST_F(MainFrameTest, AnsweringNoToTheExitQuestionKeepsEverything) {
    ShowFrame();
    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(true);

    ui.messageAnswers = {QMessageBox::No};
    EXPECT_FALSE(frame->close());
    ProcessEvents();

    ASSERT_EQ(ui.messages.size(), 1u);  // no save prompt
    ExpectExitQuestion(ui.messages[0]);
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(docTemplate->GetDocuments().size(), 1u);
    EXPECT_EQ(docTemplate->GetDocuments()[0], document);
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(OpenWindowCount(), 1);
}

// The ways in which the save prompt stops the close: Cancel, or Yes and then
// no file name for the untitled dictionary.
struct StoppedSave {
    const char* name;
    QMessageBox::StandardButton saveAnswer;
    bool asksForAName;
};

class StoppedSaveTest : public MainFrameTest, public ::testing::WithParamInterface<StoppedSave> {};

TEST_P(StoppedSaveTest, YesThenAStoppedSaveKeepsTheProgramRunning) {
    ShowFrame();
    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(true);

    ui.messageAnswers = {QMessageBox::Yes, GetParam().saveAnswer};
    if (GetParam().asksForAName) {
        ui.saveNames = {std::nullopt};
    }
    EXPECT_FALSE(frame->close());
    ProcessEvents();

    ASSERT_EQ(ui.messages.size(), 2u);
    ExpectExitQuestion(ui.messages[0]);
    EXPECT_EQ(ui.messages[1].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(ui.messages[1].text.contains(document->GetTitle()))
        << ui.messages[1].text.toStdString();
    EXPECT_EQ(ui.saveDialogs.size(), GetParam().asksForAName ? 1u : 0u);
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(docTemplate->GetDocuments().size(), 1u);
    EXPECT_EQ(docTemplate->GetDocuments()[0], document);
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(OpenWindowCount(), 1);
    EXPECT_TRUE(frame->ShowsDictionaryMenus());
}

INSTANTIATE_TEST_SUITE_P(Answers, StoppedSaveTest,
                         ::testing::Values(StoppedSave{"Cancel", QMessageBox::Cancel, false},
                                           StoppedSave{"YesWithoutAName", QMessageBox::Yes, true}),
                         [](const ::testing::TestParamInfo<StoppedSave>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MainFrameTest, AnsweringNoToTheSavePromptClosesWithoutSaving) {
    ShowFrame();
    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(true);

    ui.messageAnswers = {QMessageBox::Yes, QMessageBox::No};
    EXPECT_TRUE(frame->close());
    ProcessEvents();

    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.saveDialogs.empty());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(docTemplate->GetDocuments().empty());
    EXPECT_EQ(OpenWindowCount(), 0);
}

TEST_F(MainFrameTest, YesWithNothingModifiedClosesWithoutASavePrompt) {
    ShowFrame();
    ASSERT_NE(NewDictionary(), nullptr);
    ASSERT_NE(NewDictionary(), nullptr);

    ui.messageAnswers = {QMessageBox::Yes};
    EXPECT_TRUE(frame->close());
    ProcessEvents();

    ASSERT_EQ(ui.messages.size(), 1u);
    ExpectExitQuestion(ui.messages[0]);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(docTemplate->GetDocuments().empty());
}

TEST_F(MainFrameTest, ExitCommandAsksTheSameQuestion) {
    ShowFrame();
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        ui.messages.clear();
        ui.messageAnswers = {answer};
        frame->Action(platform::ID_APP_EXIT).trigger();
        ProcessEvents();
        ASSERT_EQ(ui.messages.size(), 1u) << answer;
        ExpectExitQuestion(ui.messages[0]);
        EXPECT_EQ(frame->isVisible(), answer == QMessageBox::No);
    }
}

}  // namespace
}  // namespace quorbex::testing
