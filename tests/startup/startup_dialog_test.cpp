// The startup dialog on its own (its choices, the no-selection message,
// cancelling) and as the program runs it at start-up.
#include <QRadioButton>
#include <QSignalSpy>

#include "frames/main_frame.h"
#include "tests/startup/startup_fixture.h"
#include "tests/support/fake_user_interface.h"

namespace quorbex::testing {
namespace {

const QString NO_SELECTION_TEXT = QStringLiteral("历史文件列表未选定文件!");

class StartupDialogTest : public ::testing::Test {
protected:
    // Shows dialog as the user would see it.
    void Show(StartupDialog& dialog) {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    void ExpectNoSelectionMessage() {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, NO_SELECTION_TEXT);
        EXPECT_EQ(ui.messages[0].caption, QStringLiteral("错误..."));
        EXPECT_EQ(ui.messages[0].icon, QMessageBox::Critical);
        ui.messages.clear();
    }

    FakeUserInterface ui;
    const QStringList recent{"/wards/c.zvk", "/wards/b.zvk", "/wards/a.zvk"};
};

TEST_F(StartupDialogTest, OpensOnTheRecentFilesWithNothingSelected) {
    StartupDialog dialog(ui, recent);
    Show(dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Quorbex"));
    EXPECT_TRUE(dialog.OpenRecentButton()->isChecked());
    EXPECT_FALSE(dialog.NewEmptyButton()->isChecked());
    EXPECT_FALSE(dialog.TemplateButton()->isChecked());
    EXPECT_TRUE(dialog.RecentList()->isEnabled());
    EXPECT_EQ(ListEntries(*dialog.RecentList()), recent) << "in the list's own order";
    EXPECT_TRUE(dialog.RecentList()->selectedItems().isEmpty());
    EXPECT_EQ(dialog.m_nChoice, StartupDialog::CHOICE_NONE);
    EXPECT_TRUE(dialog.m_strPath.isEmpty());
}

TEST_F(StartupDialogTest, TheTemplateChoiceIsShownButCannotBeChosen) {
    StartupDialog dialog(ui, recent);
    Show(dialog);
    EXPECT_TRUE(dialog.TemplateButton()->isVisible());
    EXPECT_FALSE(dialog.TemplateButton()->isEnabled());
    QTest::mouseClick(dialog.TemplateButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.TemplateButton()->isChecked());
    EXPECT_TRUE(dialog.OpenRecentButton()->isChecked());
}

TEST_F(StartupDialogTest, TheNewEmptyChoiceDisablesTheListAndKeepsItsSelection) {
    StartupDialog dialog(ui, recent);
    Show(dialog);
    QListWidget& list = *dialog.RecentList();
    ClickItem(list, 1);
    ASSERT_EQ(list.currentRow(), 1);

    QTest::mouseClick(dialog.NewEmptyButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.NewEmptyButton()->isChecked());
    EXPECT_FALSE(dialog.OpenRecentButton()->isChecked());
    EXPECT_FALSE(list.isEnabled());
    EXPECT_TRUE(list.item(1)->isSelected());

    QTest::mouseClick(dialog.OpenRecentButton(), Qt::LeftButton);
    EXPECT_TRUE(list.isEnabled());
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_TRUE(list.item(1)->isSelected());

    // The kept selection is what OK opens.
    QTest::mouseClick(DialogButton(dialog, QStringLiteral("确认")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_nChoice, StartupDialog::CHOICE_OPEN_RECENT);
    EXPECT_EQ(dialog.m_strPath, recent[1]);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartupDialogTest, OkWithoutASelectedFileSaysSoAndStaysOpen) {
    for (const QStringList& files : {QStringList{}, recent}) {
        SCOPED_TRACE(files.size());
        StartupDialog dialog(ui, files);
        Show(dialog);
        QSignalSpy finished(&dialog, &QDialog::finished);

        QTest::mouseClick(DialogButton(dialog, QStringLiteral("确认")), Qt::LeftButton);
        ExpectNoSelectionMessage();
        // Enter presses the default button, OK, in the same way.
        QTest::keyClick(dialog.RecentList(), Qt::Key_Return);
        ExpectNoSelectionMessage();

        EXPECT_TRUE(finished.isEmpty());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(dialog.OpenRecentButton()->isChecked());
        EXPECT_TRUE(dialog.RecentList()->isEnabled());
        EXPECT_EQ(dialog.m_nChoice, StartupDialog::CHOICE_NONE);
        EXPECT_TRUE(dialog.m_strPath.isEmpty());
    }
}

TEST_F(StartupDialogTest, OkWithTheNewEmptyChoiceAsksForANewDictionary) {
    StartupDialog dialog(ui, recent);
    Show(dialog);
    ClickItem(*dialog.RecentList(), 0);
    QTest::mouseClick(dialog.NewEmptyButton(), Qt::LeftButton);
    QTest::mouseClick(DialogButton(dialog, QStringLiteral("确认")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_nChoice, StartupDialog::CHOICE_NEW_EMPTY);
    EXPECT_TRUE(dialog.m_strPath.isEmpty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartupDialogTest, CancelAndEscapeChooseNothing) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancel");
        StartupDialog dialog(ui, recent);
        Show(dialog);
        ClickItem(*dialog.RecentList(), 0);
        if (escape) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
            QTest::mouseClick(DialogButton(dialog, QStringLiteral("取消")), Qt::LeftButton);
        }
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(dialog.m_nChoice, StartupDialog::CHOICE_NONE);
        EXPECT_TRUE(dialog.m_strPath.isEmpty());
    }
}

TEST_F(StartupDialogTest, ADoubleClickOnAnEntryOnlySelectsIt) {
    StartupDialog dialog(ui, recent);
    Show(dialog);
    QSignalSpy finished(&dialog, &QDialog::finished);
    QListWidget& list = *dialog.RecentList();
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                       list.visualItemRect(list.item(2)).center());
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.m_nChoice, StartupDialog::CHOICE_NONE);
    EXPECT_EQ(list.currentRow(), 2);
}

// The dialog as the program runs it when no file is named.
using StartupDialogRun = StartupTest;

TEST_F(StartupDialogRun, ShowsOverTheVisibleMainWindowAndCancelLeavesItEmpty) {
    TestApp app;
    bool mainWindowVisible = false;
    QWidget* owner = nullptr;
    EXPECT_TRUE(StartThroughDialog(app, [&](StartupDialog& dialog) {
        mainWindowVisible = app->MainFrame()->isVisible();
        owner = dialog.parentWidget();
        EXPECT_TRUE(dialog.isModal());
        QTest::mouseClick(DialogButton(dialog, QStringLiteral("取消")), Qt::LeftButton);
    }));
    EXPECT_TRUE(dialogShown);
    EXPECT_TRUE(mainWindowVisible) << "the main window shows first";
    EXPECT_EQ(owner, app->MainFrame());
    EXPECT_TRUE(app.Documents().empty());
    EXPECT_TRUE(app.Ui().messages.empty());
    EXPECT_FALSE(app->MainFrame()->ShowsDictionaryMenus());
    EXPECT_TRUE(app->MainFrame()->isVisible());
    EXPECT_EQ(app->ExitInstance(), 0);
}

TEST_F(StartupDialogRun, TheNewEmptyChoiceMakesAnUntitledDictionary) {
    TestApp app;
    EXPECT_TRUE(StartThroughDialog(app, [](StartupDialog& dialog) {
        QTest::mouseClick(dialog.NewEmptyButton(), Qt::LeftButton);
        QTest::mouseClick(DialogButton(dialog, QStringLiteral("确认")), Qt::LeftButton);
    }));
    ASSERT_EQ(app.Documents().size(), 1u);
    const platform::Document& document = *app.Documents()[0];
    EXPECT_TRUE(document.GetPathName().isEmpty());
    EXPECT_EQ(document.GetTitle(), app->DocTemplate()->Strings().docName + QStringLiteral("1"));
    EXPECT_TRUE(app->MainFrame()->ShowsDictionaryMenus());
    EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
    EXPECT_TRUE(app.Ui().messages.empty());
}

TEST_F(StartupDialogRun, TheChosenRecentFileOpens) {
    const QString older = WriteDictionary(QStringLiteral("older.zvk"));
    const QString newer = WriteDictionary(QStringLiteral("newer.zvk"));
    WriteRecentValues({{1, newer}, {2, older}});
    TestApp app;
    QStringList listed;
    EXPECT_TRUE(StartThroughDialog(app, [&](StartupDialog& dialog) {
        listed = ListEntries(*dialog.RecentList());
        ClickItem(*dialog.RecentList(), 1);
        QTest::mouseClick(DialogButton(dialog, QStringLiteral("确认")), Qt::LeftButton);
    }));
    EXPECT_EQ(listed, (QStringList{newer, older}));
    ASSERT_EQ(app.Documents().size(), 1u);
    EXPECT_EQ(app.Documents()[0]->GetPathName(), older);
    EXPECT_EQ(app->RecentFiles().Paths(), (QStringList{older, newer}));
    EXPECT_TRUE(app.Ui().messages.empty());
}

TEST_F(StartupDialogRun, ARecentFileThatNoLongerOpensIsReportedAndTheProgramGoesOn) {
    const QString damaged = WriteDamaged(QStringLiteral("damaged.zvk"));
    const QString gone = File(QStringLiteral("gone.zvk"));
    WriteRecentValues({{1, gone}, {2, damaged}});
    for (int row : {0, 1}) {
        SCOPED_TRACE(row);
        TestApp app;
        EXPECT_TRUE(StartThroughDialog(app, [row](StartupDialog& dialog) {
            ClickItem(*dialog.RecentList(), row);
            QTest::mouseClick(DialogButton(dialog, QStringLiteral("确认")), Qt::LeftButton);
        }));
        ASSERT_EQ(app.Ui().messages.size(), 1u);
        if (row == 0) {
            EXPECT_TRUE(app.Ui().messages[0].text.contains(QStringLiteral("gone.zvk")))
                << app.Ui().messages[0].text.toStdString();
        } else {
            ExpectMessage(app.Ui().messages[0], "此文件不是有效药物库文件,可能已被破坏",
                          "文件打开错误...", QMessageBox::Critical);
        }
        EXPECT_TRUE(app.Documents().empty());
        EXPECT_TRUE(app->MainFrame()->isVisible());
        EXPECT_FALSE(app->MainFrame()->ShowsDictionaryMenus());
        EXPECT_EQ(app->ExitInstance(), 0);
    }
    // Both entries stay in the list.
    EXPECT_EQ(RecentValue(1), gone);
    EXPECT_EQ(RecentValue(2), damaged);
}

}  // namespace
}  // namespace quorbex::testing
