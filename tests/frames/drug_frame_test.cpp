// The dictionary window: a splitter with the result tree left and the record
// text right, both views of the window's document, living as long as it.
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QSplitter>

#include "resources/resource_ids.h"
#include "tests/frames/main_frame_fixture.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex::testing {
namespace {

struct PaneWidths {
    int screenWidth;
    int tree;
    int text;
};

class DrugFramePaneTest : public MainFrameTest, public ::testing::WithParamInterface<PaneWidths> {
protected:
    std::unique_ptr<CZorvikDrugDoc> MakeDocument() { return std::make_unique<CZorvikDrugDoc>(ui); }
};

TEST_P(DrugFramePaneTest, PanesAreGivenASixthAndFiveSixthsOfTheScreenWidth) {
    const std::unique_ptr<CZorvikDrugDoc> document = MakeDocument();
    auto window = std::make_unique<CZorvikDrugFrame>(
        *document, GetParam().screenWidth,
        [this] { return std::make_unique<FakeDrugEntry>(entryScript); },
        [this] { return std::make_unique<FakeConflictPrompt>(conflictScript); });
    frame->AddDrugFrame(*window);

    QSplitter* splitter = window->Splitter();
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->orientation(), Qt::Horizontal);
    ASSERT_EQ(splitter->count(), 2);
    EXPECT_EQ(splitter->widget(0), window->TreeView());
    EXPECT_EQ(splitter->widget(1), window->RecordPane());
    EXPECT_EQ(window->TextView()->parentWidget(), window->RecordPane());
    // Before any layout: the widths the panes were created with.
    EXPECT_EQ(window->TreeView()->width(), GetParam().tree);
    EXPECT_EQ(window->TextView()->width(), GetParam().text);

    EXPECT_EQ(&window->GetDocument(), document.get());
    EXPECT_EQ(window->SubWindow()->widget(), splitter);

    window.reset();
    ProcessEvents();
}

INSTANTIATE_TEST_SUITE_P(Screens, DrugFramePaneTest,
                         ::testing::Values(PaneWidths{1024, 170, 853}, PaneWidths{800, 133, 666},
                                           PaneWidths{1280, 213, 1066},
                                           PaneWidths{1366, 227, 1138}),
                         [](const ::testing::TestParamInfo<PaneWidths>& info) {
                             return "Width" + std::to_string(info.param.screenWidth);
                         });

// The tree keeps its width in a main window of any width, maximized or not;
// the text takes the rest.
class DrugFrameLayoutTest : public MainFrameTest, public ::testing::WithParamInterface<int> {};

TEST_P(DrugFrameLayoutTest, TreePaneKeepsItsWidthAndTheTextFillsTheRest) {
    frame->resize(GetParam(), 700);
    ShowFrame();
    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);
    CZorvikDrugFrame* window = DrugFrameOf(*document);
    ASSERT_NE(window, nullptr);
    QSplitter* splitter = window->Splitter();

    for (bool maximized : {true, false}) {
        if (!maximized) {
            window->SubWindow()->showNormal();
            window->SubWindow()->resize(GetParam() / 2 + 100, 400);
        }
        ProcessEvents();
        ASSERT_EQ(window->SubWindow()->isMaximized(), maximized);
        ASSERT_TRUE(splitter->isVisible());
        EXPECT_EQ(window->TreeView()->width(), 170) << maximized;
        EXPECT_EQ(
            window->TreeView()->width() + splitter->handleWidth() + window->TextView()->width(),
            splitter->width())
            << maximized;
        // The one row fills the whole height.
        EXPECT_EQ(window->TreeView()->height(), splitter->height());
        EXPECT_EQ(window->TextView()->height(), splitter->height());
        EXPECT_EQ(splitter->geometry(), window->SubWindow()->contentsRect());
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindowWidths, DrugFrameLayoutTest, ::testing::Values(1024, 800, 600),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Width" + std::to_string(info.param);
                         });

TEST_F(MainFrameTest, BothPanesShowTheSameDictionary) {
    ShowFrame();
    CZorvikDrugDoc* document = OpenDictionary({"Alpha", "Beta"});
    ASSERT_NE(document, nullptr);
    CZorvikDrugFrame* window = DrugFrameOf(*document);
    ASSERT_NE(window, nullptr);

    // The tree lists both results; the text shows the current one.
    ASSERT_TRUE(window->TreeView()->RootIndex().isValid());
    EXPECT_EQ(TreeResultCount(*window), 2);
    EXPECT_TRUE(window->TextView()->toPlainText().contains(QStringLiteral("Alpha")))
        << window->TextView()->toPlainText().toStdString();
}

// A title's line breaks and direction controls show as what they are.
TEST_F(MainFrameTest, AWindowTitleShowsControlCharactersVisibly) {
    ShowFrame();
    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);
    document->SetTitle(QStringLiteral("ward\n3\u202Egepj.zvk"));
    ProcessEvents();
    EXPECT_EQ(DrugFrameOf(*document)->windowTitle(), QStringLiteral("ward␊3<U+202E>gepj.zvk"));
}

TEST_F(MainFrameTest, EachDictionaryHasOneWindow) {
    ShowFrame();
    CZorvikDrugDoc* first = OpenDictionary({"A"});
    CZorvikDrugDoc* second = NewDictionary();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(OpenWindowCount(), 2);
    EXPECT_EQ(frame->ActiveDrugFrame(), DrugFrameOf(*second));

    // Opening the same file again only brings its window forward.
    EXPECT_EQ(docTemplate->OpenDocumentFile(first->GetPathName()), first);
    ProcessEvents();
    EXPECT_EQ(OpenWindowCount(), 2);
    EXPECT_EQ(frame->ActiveDrugFrame(), DrugFrameOf(*first));
}

TEST_F(MainFrameTest, ClosingTheWindowClosesItsDictionary) {
    ShowFrame();
    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);

    DrugFrameOf(*document)->SubWindow()->close();
    ProcessEvents();

    EXPECT_TRUE(docTemplate->GetDocuments().empty());
    EXPECT_EQ(OpenWindowCount(), 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainFrameTest, ClosingAModifiedWindowAsksToSaveAndCancelKeepsIt) {
    ShowFrame();
    CZorvikDrugDoc* document = NewDictionary();
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(true);

    ui.messageAnswers = {QMessageBox::Cancel};
    DrugFrameOf(*document)->SubWindow()->close();
    ProcessEvents();

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    ASSERT_EQ(docTemplate->GetDocuments().size(), 1u);
    EXPECT_EQ(OpenWindowCount(), 1);
    EXPECT_TRUE(DrugFrameOf(*document)->SubWindow()->isVisible());

    ui.messageAnswers = {QMessageBox::No};
    DrugFrameOf(*document)->SubWindow()->close();
    ProcessEvents();
    EXPECT_TRUE(docTemplate->GetDocuments().empty());
    EXPECT_EQ(OpenWindowCount(), 0);
}

// The edit commands work on the record text while it is the pane that has
// had the focus last, and their states follow it at once.
TEST_F(MainFrameTest, EditCommandsFollowTheRecordText) {
    ShowFrame();
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    CZorvikDrugDoc* document = OpenDictionary({"Alpha"});
    ASSERT_NE(document, nullptr);
    CZorvikDrugView* text = DrugFrameOf(*document)->TextView();
    QAction* undo = &frame->Action(platform::ID_EDIT_UNDO);
    QAction* cut = &frame->Action(platform::ID_EDIT_CUT);
    QAction* copy = &frame->Action(platform::ID_EDIT_COPY);
    QAction* paste = &frame->Action(platform::ID_EDIT_PASTE);
    const auto expectEnabled = [&](bool undoOn, bool cutOn, bool copyOn, bool pasteOn) {
        EXPECT_EQ(undo->isEnabled(), undoOn);
        EXPECT_EQ(cut->isEnabled(), cutOn);
        EXPECT_EQ(copy->isEnabled(), copyOn);
        EXPECT_EQ(paste->isEnabled(), pasteOn);
    };
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    // The tree has the focus: nothing to edit.
    expectEnabled(false, false, false, false);

    frame->Action(platform::ID_NEXT_PANE).trigger();
    ASSERT_TRUE(text->hasFocus());
    expectEnabled(false, false, false, true);
    text->selectAll();
    expectEnabled(false, true, true, true);
    copy->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("Alpha")));
    QTest::keyClick(text, Qt::Key_X);
    expectEnabled(true, false, false, true);
    QGuiApplication::clipboard()->clear();
    expectEnabled(true, false, false, false);
    undo->trigger();
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("Alpha")));

    frame->Action(platform::ID_PREV_PANE).trigger();
    expectEnabled(false, false, false, false);
}

TEST_F(MainFrameTest, TheRecordPaneShowsTheActiveDictionarysCounts) {
    ShowFrame();
    CZorvikDrugDoc* first = OpenDictionary({"A", "B", "C"});
    CZorvikDrugDoc* second = OpenDictionary({"D"});
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    QLabel* pane = frame->StatusPane(ID_INDICATOR_RECORDS);
    EXPECT_EQ(pane->text(), QStringLiteral("库文件记录:1条,当前浏览结果:1条"));
    DrugFrameOf(*first)->Activate();
    ProcessEvents();
    EXPECT_EQ(pane->text(), QStringLiteral("库文件记录:3条,当前浏览结果:3条"));
    DrugFrameOf(*second)->SubWindow()->close();
    ProcessEvents();
    EXPECT_EQ(pane->text(), QStringLiteral("库文件记录:3条,当前浏览结果:3条"));
    DrugFrameOf(*first)->SubWindow()->close();
    ProcessEvents();
    EXPECT_EQ(pane->text(), QStringLiteral("库文件记录:0条,当前浏览结果:0条"));
}

// 平铺 stacks the windows one above another, each as wide as the area.
TEST_F(MainFrameTest, TilingStacksTheWindowsAtFullWidth) {
    ShowFrame();
    CZorvikDrugDoc* last = nullptr;
    for (const char* name : {"A", "B", "C"}) {
        last = OpenDictionary({name});
        ASSERT_NE(last, nullptr);
    }
    frame->Action(platform::ID_WINDOW_TILE_HORZ).trigger();
    ProcessEvents();
    // The active window stays active, its commands enabled.
    EXPECT_EQ(frame->ActiveDrugFrame(), DrugFrameOf(*last));
    EXPECT_TRUE(frame->Action(ID_DRUG_SEARCH).isEnabled());
    const QRect area = frame->MdiArea()->viewport()->rect();
    const QList<QMdiSubWindow*> windows = frame->MdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 3);
    int top = 0;
    for (QMdiSubWindow* window : windows) {
        EXPECT_FALSE(window->isMaximized());
        EXPECT_EQ(window->geometry().left(), 0);
        EXPECT_EQ(window->geometry().width(), area.width());
        EXPECT_EQ(window->geometry().top(), top);
        EXPECT_NEAR(window->geometry().height(), area.height() / 3, 1);
        top = window->geometry().bottom() + 1;
    }
    EXPECT_EQ(top, area.height());
}

// Commands follow the active dictionary window in every state of its window:
// after a cascade of maximized windows, and while it is minimized.
TEST_F(MainFrameTest, CommandsFollowTheActiveWindowWhateverItsState) {
    ShowFrame();
    CZorvikDrugDoc* first = OpenDictionary({"A"});
    CZorvikDrugDoc* second = OpenDictionary({"B", "C"});
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(DrugFrameOf(*second)->SubWindow()->isMaximized());
    const auto expectActive = [&](const char* when, CZorvikDrugDoc* document) {
        SCOPED_TRACE(when);
        EXPECT_EQ(frame->ActiveDrugFrame(), DrugFrameOf(*document));
        for (const platform::CommandId id :
             {platform::ID_FILE_SAVE, ID_DRUG_APPEND, ID_DRUG_SEARCH}) {
            EXPECT_TRUE(frame->Action(id).isEnabled()) << id;
        }
        EXPECT_EQ(
            frame->StatusPane(ID_INDICATOR_RECORDS)->text(),
            QStringLiteral("库文件记录:%1条,当前浏览结果:%1条").arg(document->GetRecordCount()));
    };

    frame->Action(platform::ID_WINDOW_CASCADE).trigger();
    ProcessEvents();
    expectActive("cascaded", second);

    DrugFrameOf(*second)->SubWindow()->showMinimized();
    ProcessEvents();
    expectActive("minimized", second);

    DrugFrameOf(*first)->Activate();
    ProcessEvents();
    expectActive("another activated", first);
}

TEST_F(MainFrameTest, ClosingAMaximizedWindowLeavesTheNextOneMaximized) {
    ShowFrame();
    CZorvikDrugDoc* first = OpenDictionary({"A"});
    CZorvikDrugDoc* second = OpenDictionary({"B"});
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(DrugFrameOf(*second)->SubWindow()->isMaximized());
    DrugFrameOf(*second)->SubWindow()->close();
    ProcessEvents();
    ASSERT_EQ(OpenWindowCount(), 1);
    EXPECT_TRUE(DrugFrameOf(*first)->SubWindow()->isMaximized());
}

// A window that comes and goes (a file printed on request) leaves the others
// where they stood.
TEST_F(MainFrameTest, ARestoredArrangementPutsTheWindowsBack) {
    ShowFrame();
    CZorvikDrugDoc* first = OpenDictionary({"A"});
    CZorvikDrugDoc* second = OpenDictionary({"B"});
    ASSERT_NE(second, nullptr);
    frame->Action(platform::ID_WINDOW_TILE_HORZ).trigger();
    DrugFrameOf(*first)->Activate();
    frame->Action(platform::ID_WINDOW_TILE_HORZ).trigger();
    ProcessEvents();
    const QRect firstPlace = DrugFrameOf(*first)->SubWindow()->geometry();
    const QRect secondPlace = DrugFrameOf(*second)->SubWindow()->geometry();
    const CMainFrame::WindowArrangement arrangement = frame->SaveArrangement();

    CZorvikDrugDoc* printed = OpenDictionary({"C"});
    ASSERT_NE(printed, nullptr);
    docTemplate->CloseDocument(*printed);
    frame->RestoreArrangement(arrangement);
    ProcessEvents();
    EXPECT_EQ(DrugFrameOf(*first)->SubWindow()->geometry(), firstPlace);
    EXPECT_EQ(DrugFrameOf(*second)->SubWindow()->geometry(), secondPlace);
    EXPECT_FALSE(DrugFrameOf(*first)->SubWindow()->isMaximized());
    EXPECT_EQ(frame->ActiveDrugFrame(), DrugFrameOf(*first));
}

}  // namespace
}  // namespace quorbex::testing
