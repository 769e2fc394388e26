#include "platform/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "platform/command_actions.h"
#include "platform/main_frame_services.h"
#include "platform/message_box.h"
#include "resources/commands.h"

namespace quorbex::platform {
namespace {

// Waits in the event loop of a modal box or menu until it is shown, then
// runs act on it.
template <typename Widget>
class WhenShown {
public:
    WhenShown(std::function<QWidget*()> find, std::function<void(Widget*)> act) {
        QObject::connect(&m_timer, &QTimer::timeout, [this, find, act] {
            if (auto* widget = qobject_cast<Widget*>(find())) {
                m_timer.stop();
                shown = true;
                act(widget);
            }
        });
        m_timer.start(0);
    }

    bool shown = false;

private:
    QTimer m_timer;
};

// The services under test; the prompt and the tool bar belong to the
// program's windows and are not used here.
class QtServices : public QtUserInterface {
public:
    int InputText(const QString&, std::string&, int) override {
        ADD_FAILURE() << "unexpected prompt";
        return IDCANCEL;
    }
};

// The main window as the services see it: a window with a status bar that
// owns the boxes and menus, and the program's actions.
class FakeMainFrame : public MainFrameServices {
public:
    QWidget* Window() override { return &window; }
    QAction* Action(unsigned id) override { return actions.Action(id); }
    std::optional<QRect> ToolBarButtonRect(unsigned, unsigned) override { return std::nullopt; }
    bool SetStatusPaneText(unsigned, const QString&) override { return false; }

    QMainWindow window;
    CommandActions actions{COMMANDS, window};
};

QWidget* ActiveModal() {
    return QApplication::activeModalWidget();
}

QWidget* ActivePopup() {
    return QApplication::activePopupWidget();
}

TEST(QtUserInterfaceMessageBox, ShowsTheTextCaptionIconAndButtonsAndAnswersTheButtonClicked) {
    using Button = QMessageBox::StandardButton;
    struct Case {
        QString caption;
        unsigned style;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        Button click;
        int answer;
    };
    const Case cases[] = {
        {QString(), MB_ICONERROR, QStringLiteral("Quorbex"), QMessageBox::Critical, QMessageBox::Ok,
         QMessageBox::Ok, IDOK},
        {QStringLiteral("修改..."), MB_ICONINFORMATION, QStringLiteral("修改..."),
         QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, IDOK},
        {QStringLiteral("删除..."), MB_YESNO | MB_ICONQUESTION, QStringLiteral("删除..."),
         QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, IDYES},
        {QStringLiteral("删除..."), MB_YESNO | MB_ICONQUESTION, QStringLiteral("删除..."),
         QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, IDNO},
        {QString(), MB_YESNOCANCEL | MB_ICONEXCLAMATION, QStringLiteral("Quorbex"),
         QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Cancel, IDCANCEL},
        {QString(), MB_YESNOCANCEL | MB_ICONEXCLAMATION, QStringLiteral("Quorbex"),
         QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::No, IDNO},
        {QString(), MB_OKCANCEL, QStringLiteral("Quorbex"), QMessageBox::NoIcon,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, IDCANCEL},
    };
    QtServices ui;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title.toStdString() + " " + std::to_string(c.answer));
        const WhenShown<QMessageBox> driver(ActiveModal, [&](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), c.title);
            EXPECT_EQ(box->text(), QStringLiteral("记录已被删完!"));
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->standardButtons(), c.buttons);
            ASSERT_NE(box->button(c.click), nullptr);
            box->button(c.click)->click();
        });
        EXPECT_EQ(ui.MessageBox(QStringLiteral("记录已被删完!"), c.caption, c.style), c.answer);
        EXPECT_TRUE(driver.shown);
    }
}

TEST(QtUserInterfaceMessageBox, ShowsTheArrowWhileACommandWaits) {
    QtServices ui;
    ui.BeginWaitCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    std::optional<Qt::CursorShape> shapeWhileShown;
    const WhenShown<QMessageBox> driver(ActiveModal, [&](QMessageBox* box) {
        if (QApplication::overrideCursor() != nullptr) {
            shapeWhileShown = QApplication::overrideCursor()->shape();
        }
        box->button(QMessageBox::Ok)->click();
    });
    ui.MessageBox(QStringLiteral("text"), QString(), MB_ICONERROR);
    EXPECT_TRUE(driver.shown);
    EXPECT_EQ(shapeWhileShown, Qt::ArrowCursor);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

class QtUserInterfacePopupMenu : public ::testing::Test {
protected:
    QtUserInterfacePopupMenu() {
        mainFrame.window.statusBar();
        mainFrame.window.show();
        ui.SetMainFrame(&mainFrame);
        for (QAction* action : mainFrame.actions.Actions()) {
            QObject::connect(action, &QAction::triggered, action,
                             [this, action] { triggered.push_back(action->data().toUInt()); });
        }
    }

    // Shows the menu at position and hands the shown QMenu to act.
    bool Track(QPoint position, std::function<void(QMenu*)> act) {
        const WhenShown<QMenu> driver(ActivePopup, std::move(act));
        ui.TrackPopupMenu(MENU, position);
        return driver.shown;
    }

    static constexpr unsigned MENU[] = {ID_SORT_BY_TRADE_NAME, ID_SORT_BY_ENGLISH_NAME, 0,
                                        ID_CONFIRM_DELETE};
    FakeMainFrame mainFrame;
    QtServices ui;
    std::vector<unsigned> triggered;
};

TEST_F(QtUserInterfacePopupMenu, ShowsTheMainWindowsActionsAndRunsTheChosenOne) {
    const bool shown = Track(QPoint(30, 40), [this](QMenu* popup) {
        EXPECT_EQ(popup->pos(), QPoint(30, 40));
        const QList<QAction*> items = popup->actions();
        ASSERT_EQ(items.size(), 4);
        EXPECT_EQ(items[0], mainFrame.Action(ID_SORT_BY_TRADE_NAME));
        EXPECT_EQ(items[1], mainFrame.Action(ID_SORT_BY_ENGLISH_NAME));
        EXPECT_TRUE(items[2]->isSeparator());
        EXPECT_EQ(items[3], mainFrame.Action(ID_CONFIRM_DELETE));

        popup->setActiveAction(items[3]);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(triggered, std::vector<unsigned>{ID_CONFIRM_DELETE});
}

TEST_F(QtUserInterfacePopupMenu, PointingAtAnItemShowsItsPromptInTheMainWindow) {
    QStatusBar* status = mainFrame.window.statusBar();
    const bool shown = Track(QPoint(30, 40), [status](QMenu* popup) {
        QAction* item = popup->actions().value(3);
        QTest::mouseMove(popup, popup->actionGeometry(item).center());
        QCoreApplication::processEvents();
        EXPECT_EQ(status->currentMessage(), QStringLiteral("删除记录时弹出确认对话框"));
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(status->currentMessage(), QString());
}

TEST_F(QtUserInterfacePopupMenu, ClosingTheMenuRunsNothing) {
    EXPECT_TRUE(
        Track(QPoint(10, 10), [](QMenu* popup) { QTest::keyClick(popup, Qt::Key_Escape); }));
    EXPECT_TRUE(triggered.empty());
}

}  // namespace
}  // namespace quorbex::platform
