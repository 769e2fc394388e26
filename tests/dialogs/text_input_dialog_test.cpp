// The text input dialog, run through InputText: its prompt, its byte limit,
// the answers of its keys and buttons with the text handed back, and its
// layout in dialog units.
#include "dialogs/text_input_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <optional>
#include <string>

#include "platform/dialog_template.h"
#include "store/gbk_codec.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/gbk_text.h"
#include "tests/support/keyboard_input.h"
#include "tests/support/modal_dialog.h"

namespace quorbex::testing {
namespace {

class TextInputDialogTest : public ::testing::Test {
protected:
    // Runs InputText; whileOpen acts in the dialog as the user.
    bool Ask(const QString& prompt, std::string& text, int limit,
             const std::function<void(TextInputDialog&)>& whileOpen) {
        return WhileModal<TextInputDialog>(
            whileOpen, [&] { return InputText(ui, nullptr, prompt, text, limit); });
    }

    FakeUserInterface ui;
};

TEST_F(TextInputDialogTest, ShowsThePromptOrTheDefaultOneAndStartsInTheBox) {
    struct Case {
        QString prompt;
        QString shown;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("请输入数据:")},
        {QStringLiteral("请输入要查找的内容:"), QStringLiteral("请输入要查找的内容:")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        std::string text = Gbk("阿司匹林");
        Ask(c.prompt, text, 10, [&](TextInputDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("数据输入窗口"));
            EXPECT_EQ(dialog.PromptLabel()->text(), c.shown);
            EXPECT_EQ(dialog.TextBox()->text(), QStringLiteral("阿司匹林"));
            EXPECT_EQ(QApplication::focusWidget(), dialog.TextBox());
        });
    }
}

TEST_F(TextInputDialogTest, TheBoxTakesAtMostTheLimitInBytesOrAHundredWithoutALimit) {
    struct Case {
        int limit;
        const char* how;
        QString entered;
        QString kept;
    };
    const QString hundred(100, QLatin1Char('a'));
    const QString fiftyChinese(50, QChar(0x836F));  // 药
    const Case cases[] = {
        {0, "typed", hundred + QStringLiteral("bc"), hundred},
        {-3, "typed", hundred + QStringLiteral("bc"), hundred},
        {0, "pasted", fiftyChinese + QStringLiteral("片"), fiftyChinese},
        {10, "typed", QStringLiteral("abcdefghijkl"), QStringLiteral("abcdefghij")},
        {10, "typed", QStringLiteral("阿司匹林布洛芬"), QStringLiteral("阿司匹林布")},
        {10, "typed", QStringLiteral("a阿司匹林布"), QStringLiteral("a阿司匹林")},
        {10, "pasted", QStringLiteral("阿司匹林布洛芬"), QStringLiteral("阿司匹林布")},
        {10, "pasted", QStringLiteral("阿司匹林布"), QStringLiteral("阿司匹林布")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.limit) + " " + c.how + " " + c.entered.toStdString());
        std::string text;
        ui.messages.clear();
        const bool pasted = std::string(c.how) == "pasted";
        const bool answer = Ask(QString(), text, c.limit, [&](TextInputDialog& dialog) {
            if (pasted) {
                Paste(dialog.TextBox(), c.entered);
            } else {
                Type(dialog.TextBox(), c.entered);
            }
            EXPECT_EQ(dialog.TextBox()->text(), c.kept);
            QCoreApplication::processEvents();
            QTest::keyClick(dialog.TextBox(), Qt::Key_Return);
        });
        EXPECT_TRUE(answer);
        EXPECT_EQ(text, Gbk(c.kept.toStdString()));
        // A paste that was cut says so and shows what was cut; typing does not.
        const bool cut = pasted && c.kept != c.entered;
        ASSERT_EQ(ui.messages.size(), cut ? 1u : 0u);
        if (cut) {
            const QString lost = c.entered.mid(c.kept.size());
            EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("截去")));
            EXPECT_TRUE(ui.messages[0].text.endsWith(QStringLiteral("\n") + lost))
                << ui.messages[0].text.toStdString();
        }
    }
}

TEST_F(TextInputDialogTest, AnInitialTextLongerThanTheLimitIsShownAndKeptInFull) {
    std::string text = "abcdefgh";
    const bool answer = Ask(QString(), text, 4, [](TextInputDialog& dialog) {
        EXPECT_EQ(dialog.TextBox()->text(), QStringLiteral("abcdefgh"));
        QTest::keyClick(dialog.TextBox(), Qt::Key_End);
        QTest::keyClicks(dialog.TextBox(), "xy");
        EXPECT_EQ(dialog.TextBox()->text(), QStringLiteral("abcdefgh"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(answer);
    EXPECT_EQ(text, "abcdefgh");
}

TEST_F(TextInputDialogTest, AnswersByKeyOrButtonAndHandsBackTheTextOnlyAfterOk) {
    const std::string initial = Gbk("原文");
    struct Case {
        const char* name;
        std::function<void(TextInputDialog&)> act;
        bool confirmed;
        std::string text;
    };
    const auto retype = [](TextInputDialog& dialog, const QString& text) {
        dialog.TextBox()->selectAll();
        Type(dialog.TextBox(), text);
    };
    const Case cases[] = {
        {"Enter",
         [&](TextInputDialog& dialog) {
             retype(dialog, QStringLiteral("布洛芬"));
             QTest::keyClick(dialog.TextBox(), Qt::Key_Return);
         },
         true, Gbk("布洛芬")},
        {"Escape",
         [&](TextInputDialog& dialog) {
             retype(dialog, QStringLiteral("布洛芬"));
             QTest::keyClick(dialog.TextBox(), Qt::Key_Escape);
         },
         false, initial},
        {"the Cancel button",
         [&](TextInputDialog& dialog) {
             retype(dialog, QStringLiteral("布洛芬"));
             QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
         },
         false, initial},
        {"the OK button with the box emptied",
         [](TextInputDialog& dialog) {
             dialog.TextBox()->clear();
             QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
         },
         true, std::string()},
        {"Enter with blanks around the text",
         [&](TextInputDialog& dialog) {
             retype(dialog, QStringLiteral("  a b  "));
             QTest::keyClick(dialog.TextBox(), Qt::Key_Return);
         },
         true, "  a b  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = initial;
        EXPECT_EQ(Ask(QString(), text, 10, c.act), c.confirmed);
        EXPECT_EQ(text, c.text);
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST_F(TextInputDialogTest, ACharacterGbkCannotHoldIsRefusedWithAMessage) {
    std::string text = "ab";
    Ask(QString(), text, 10, [this](TextInputDialog& dialog) {
        QTest::keyClick(dialog.TextBox(), Qt::Key_End);
        Commit(dialog.TextBox(), QStringLiteral("\U0001F600"));
        EXPECT_EQ(dialog.TextBox()->text(), QStringLiteral("ab"));
        // The user is told why the character did not arrive, once the edit is done.
        QCoreApplication::processEvents();
        EXPECT_EQ(ui.messages.size(), 1u);
    });
}

TEST_F(TextInputDialogTest, IsLaidOutInDialogUnitsOfItsFontWithCancelBeforeOkInTheTabOrder) {
    std::string text;
    Ask(QString(), text, 10, [](TextInputDialog& dialog) {
        EXPECT_EQ(dialog.font().pointSize(), 9);
        EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        const QSize base = platform::DialogBaseUnits(dialog.font());
        ASSERT_GT(base.width(), 0);
        ASSERT_GT(base.height(), 0);
        const auto pixels = [base](int x, int y, int width, int height) {
            return platform::MapDialogRect(QRect(x, y, width, height), base);
        };
        EXPECT_EQ(dialog.size(), pixels(0, 0, 238, 93).size());
        EXPECT_EQ(dialog.PromptLabel()->geometry(), pixels(46, 14, 185, 8));
        EXPECT_EQ(dialog.TextBox()->geometry(), pixels(46, 26, 185, 14));
        EXPECT_EQ(dialog.OkButton()->geometry(), pixels(61, 65, 50, 14));
        EXPECT_EQ(dialog.CancelButton()->geometry(), pixels(126, 65, 50, 14));
        EXPECT_TRUE(dialog.OkButton()->isDefault());
        EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("确认(&O)"));
        EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("取消(&C)"));

        const QWidget* order[] = {dialog.CancelButton(), dialog.OkButton(), dialog.TextBox()};
        ASSERT_EQ(QApplication::focusWidget(), dialog.TextBox());
        for (const QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), next);
        }
    });
}

}  // namespace
}  // namespace quorbex::testing
