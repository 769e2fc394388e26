#include "platform/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

namespace quorbex::platform {
namespace {

// Waits in the event loop of a modal box until it is shown, then
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

// The services under test; the prompt is the program's own dialog and is not
// used here.
class QtServices : public QtUserInterface {
public:
    bool InputText(const QString&, std::string&, int) override {
        ADD_FAILURE() << "unexpected prompt";
        return false;
    }
};

QWidget* ActiveModal() {
    return QApplication::activeModalWidget();
}

TEST(QtUserInterfaceMessageBox, ShowsTheTextCaptionIconAndButtonsAndAnswersTheButtonClicked) {
    using Button = QMessageBox::StandardButton;
    const QMessageBox::StandardButtons yesNo = QMessageBox::Yes | QMessageBox::No;
    const QMessageBox::StandardButtons yesNoCancel = yesNo | QMessageBox::Cancel;
    struct Case {
        QString caption;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QString title;
        Button defaultButton;
        Button escapeButton;
        Button click;
    };
    const Case cases[] = {
        {QString(), QMessageBox::Critical, QMessageBox::Ok, QStringLiteral("Quorbex"),
         QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok},
        {QStringLiteral("修改..."), QMessageBox::Information, QMessageBox::Ok,
         QStringLiteral("修改..."), QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok},
        {QStringLiteral("删除..."), QMessageBox::Question, yesNo, QStringLiteral("删除..."),
         QMessageBox::Yes, QMessageBox::No, QMessageBox::Yes},
        {QStringLiteral("删除..."), QMessageBox::Question, yesNo, QStringLiteral("删除..."),
         QMessageBox::Yes, QMessageBox::No, QMessageBox::No},
        {QString(), QMessageBox::Warning, yesNoCancel, QStringLiteral("Quorbex"), QMessageBox::Yes,
         QMessageBox::Cancel, QMessageBox::Cancel},
        {QString(), QMessageBox::Warning, yesNoCancel, QStringLiteral("Quorbex"), QMessageBox::Yes,
         QMessageBox::Cancel, QMessageBox::No},
        {QString(), QMessageBox::NoIcon, QMessageBox::Ok | QMessageBox::Cancel,
         QStringLiteral("Quorbex"), QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Cancel},
    };
    QtServices ui;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title.toStdString() + " " + std::to_string(c.click));
        const WhenShown<QMessageBox> driver(ActiveModal, [&](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), c.title);
            EXPECT_EQ(box->text(), QStringLiteral("记录已被删完!"));
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->standardButtons(), c.buttons);
            EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()),
                      box->button(c.defaultButton));
            EXPECT_EQ(box->escapeButton(), box->button(c.escapeButton));
            ASSERT_NE(box->button(c.click), nullptr);
            box->button(c.click)->click();
        });
        EXPECT_EQ(ui.MessageBox(QStringLiteral("记录已被删完!"), c.caption, c.icon, c.buttons),
                  c.click);
        EXPECT_TRUE(driver.shown);
    }
}

// A question of labelled choices: Enter takes the default one, Escape the
// escape one, a click the one clicked.
TEST(QtUserInterfaceChoose, AnswersTheChoiceTakenByEnterEscapeOrAClick) {
    const QStringList labels = {QStringLiteral("Merge"), QStringLiteral("Reload"),
                                QStringLiteral("Keep"), QStringLiteral("Cancel")};
    struct Case {
        std::function<void(QMessageBox*)> act;
        int answer;
    };
    const Case cases[] = {
        {[](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }, 0},
        {[](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, 3},
        {[](QMessageBox* box) { box->buttons().at(2)->click(); }, 2},
    };
    QtServices ui;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        const WhenShown<QMessageBox> driver(ActiveModal, [&](QMessageBox* box) {
            EXPECT_EQ(box->text(), QStringLiteral("question"));
            QStringList shown;
            for (QAbstractButton* button : box->buttons()) {
                shown.append(button->text());
            }
            EXPECT_EQ(shown.size(), labels.size());
            EXPECT_EQ(box->defaultButton()->text(), labels[0]);
            c.act(box);
        });
        EXPECT_EQ(ui.Choose(QStringLiteral("question"), QMessageBox::Warning, labels, 0, 3),
                  c.answer);
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
    ui.MessageBox(QStringLiteral("text"), QString(), QMessageBox::Critical);
    EXPECT_TRUE(driver.shown);
    EXPECT_EQ(shapeWhileShown, Qt::ArrowCursor);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace quorbex::platform
