#include "platform/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "platform/main_frame_services.h"
#include "platform/message_box.h"

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

// The main window as the services see it: a window that owns the boxes
// and menus, and that routes the commands chosen from a menu.
class FakeMainFrame : public MainFrameServices {
public:
    QWidget* Window() override { return &window; }
    void SendCommand(unsigned id) override { sent.push_back(id); }
    std::optional<QRect> ToolBarButtonRect(unsigned, unsigned) override { return std::nullopt; }
    bool SetStatusPaneText(unsigned, const QString&) override { return false; }

    QWidget window;
    std::vector<unsigned> sent;
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
        menu.AppendMenu(MF_STRING, 102, QStringLiteral("按品名排序"));
        menu.AppendMenu(MF_STRING, 104, QStringLiteral("按英文排序"));
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING | MF_CHECKED, 114, QStringLiteral("搜索品名"));
        menu.AppendMenu(MF_STRING, 116, QStringLiteral("搜索拼音"));
        menu.CheckMenuRadioItem(102, 104, 102, MF_BYCOMMAND);
        mainFrame.window.show();
        ui.SetMainFrame(&mainFrame);
    }

    // Shows the menu at position and hands the shown QMenu to act.
    bool Track(QPoint position, std::function<void(QMenu*)> act) {
        const WhenShown<QMenu> driver(ActivePopup, std::move(act));
        ui.TrackPopupMenu(menu, position);
        return driver.shown;
    }

    PopupMenu menu;
    FakeMainFrame mainFrame;
    QtServices ui;
};

TEST_F(QtUserInterfacePopupMenu, ShowsTheItemsWithTheirMarksAndSendsTheChosenCommand) {
    const bool shown = Track(QPoint(30, 40), [](QMenu* popup) {
        EXPECT_EQ(popup->pos(), QPoint(30, 40));
        const QList<QAction*> actions = popup->actions();
        ASSERT_EQ(actions.size(), 5);
        const QString texts[] = {QStringLiteral("按品名排序"), QStringLiteral("按英文排序"),
                                 QString(), QStringLiteral("搜索品名"), QStringLiteral("搜索拼音")};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(actions[i]->text(), texts[i]) << i;
        }
        EXPECT_TRUE(actions[2]->isSeparator());
        // The sort order carries a radio mark; the search field a check mark.
        EXPECT_TRUE(actions[0]->isChecked());
        ASSERT_NE(actions[0]->actionGroup(), nullptr);
        EXPECT_EQ(actions[0]->actionGroup()->exclusionPolicy(),
                  QActionGroup::ExclusionPolicy::Exclusive);
        EXPECT_FALSE(actions[1]->isChecked());
        EXPECT_TRUE(actions[3]->isCheckable());
        EXPECT_TRUE(actions[3]->isChecked());
        EXPECT_EQ(actions[3]->actionGroup(), nullptr);
        EXPECT_FALSE(actions[4]->isChecked());

        popup->setActiveAction(actions[4]);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(mainFrame.sent, std::vector<unsigned>{116});
}

TEST_F(QtUserInterfacePopupMenu, ClosingTheMenuSendsNothing) {
    EXPECT_TRUE(
        Track(QPoint(10, 10), [](QMenu* popup) { QTest::keyClick(popup, Qt::Key_Escape); }));
    EXPECT_TRUE(mainFrame.sent.empty());
}

}  // namespace
}  // namespace quorbex::platform
