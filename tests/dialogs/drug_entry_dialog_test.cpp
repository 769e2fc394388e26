// The drug entry dialog: its fields in and out, the names check on OK, Enter
// in one-line and multi-line boxes, the byte limits, the tool tips and the
// layout in dialog units.
#include "dialogs/drug_entry_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <array>
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

const QString EMOJI = QStringLiteral("\U0001F48A");

QString Utf8(const std::string& gbk) {
    return QString::fromStdString(GbkToUtf8(gbk));
}

QDialog::DialogCode RunDialog(DrugEntryDialog& dialog,
                              const std::function<void(DrugEntryDialog&)>& whileOpen) {
    return WhileModal<DrugEntryDialog>(whileOpen, [&dialog] { return dialog.DoModal(); });
}

class DrugEntryDialogTest : public ::testing::Test {
protected:
    // Opens the dialog without blocking, as DoModal opens it.
    void Show() {
        dialog.OnInitDialog();
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    // Every edit box with its field's limit in bytes.
    struct Box {
        const char* name;
        QWidget* widget;
        int limit;
    };
    std::array<Box, 7> Boxes() const {
        return {{{"trade name", dialog.TradeNameBox(), 20},
                 {"English name", dialog.EnglishNameBox(), 20},
                 {"pinyin initials", dialog.PinyinBox(), 10},
                 {"other names", dialog.OtherNamesBox(), 40},
                 {"usage", dialog.UsageBox(), 200},
                 {"function", dialog.FunctionBox(), 200},
                 {"cautions", dialog.CautionsBox(), 200}}};
    }

    FakeUserInterface ui;
    DrugEntryDialog dialog{ui};
};

TEST_F(DrugEntryDialogTest, OkNeedsATradeNameOrAnEnglishNameAndHandsOutTheNamesAsTyped) {
    struct Case {
        const char* name;
        QString tradeName;
        QString englishName;
        bool accepted;
    };
    const Case cases[] = {
        {"both empty", "", "", false},
        {"a trade name of blanks and a tab", QStringLiteral("   \t"), "", false},
        {"an English name of blanks", "", QStringLiteral("   "), false},
        {"only the English name", "", QStringLiteral("Aspirin"), true},
        {"a trade name with a leading blank", QStringLiteral(" 阿司匹林"),
         QStringLiteral("Aspirin"), true},
        {"only a trade name, with a trailing blank", QStringLiteral("阿司匹林 "), "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeUserInterface caseUi;
        DrugEntryDialog entry(caseUi);
        bool stayedOpen = false;
        const QDialog::DialogCode answer = RunDialog(entry, [&](DrugEntryDialog& shown) {
            Paste(shown.TradeNameBox(), c.tradeName);
            Paste(shown.EnglishNameBox(), c.englishName);
            QTest::mouseClick(shown.OkButton(), Qt::LeftButton);
            stayedOpen = shown.isVisible();
            // Whatever the check said, the input is still there.
            EXPECT_EQ(shown.TradeNameBox()->text(), c.tradeName);
            EXPECT_EQ(shown.EnglishNameBox()->text(), c.englishName);
        });
        EXPECT_EQ(answer, c.accepted ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(stayedOpen, !c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(caseUi.messages.empty());
            DrugFields out;
            entry.ExchangeFields(out, true);
            EXPECT_EQ(Utf8(out.tradeName), c.tradeName);
            EXPECT_EQ(Utf8(out.englishName), c.englishName);
        } else {
            ASSERT_EQ(caseUi.messages.size(), 1u);
            EXPECT_EQ(caseUi.messages[0].text, QStringLiteral("品名 和 英文名 至少有一个有效"));
            EXPECT_EQ(caseUi.messages[0].caption, QStringLiteral("输入错误"));
            EXPECT_EQ(caseUi.messages[0].icon, QMessageBox::Critical);
        }
    }
}

TEST_F(DrugEntryDialogTest, FieldsGoInAndOutByMeaningAndCancelKeepsThoseItOpenedWith) {
    // Distinct values, each within its field's limit with room for one more
    // Chinese character.
    const DrugFields opened{Gbk("阿司匹林"), Gbk("ASPL"), Gbk("Aspirin"), Gbk("乙酰水杨酸"),
                            Gbk("解热"),     Gbk("口服"), Gbk("慎用")};
    struct Case {
        const char* name;
        QPushButton* (DrugEntryDialog::*button)() const;
        QDialog::DialogCode answer;
        bool edited;  // the fields handed out afterwards are the edited ones
    };
    const Case cases[] = {
        {"OK", &DrugEntryDialog::OkButton, QDialog::Accepted, true},
        {"Cancel", &DrugEntryDialog::CancelButton, QDialog::Rejected, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrugEntryDialog entry(ui);
        DrugFields in = opened;
        entry.ExchangeFields(in, false);
        const QDialog::DialogCode answer = RunDialog(entry, [&](DrugEntryDialog& shown) {
            struct Shown {
                const char* field;
                QWidget* box;
                const std::string& value;
            };
            const Shown expected[] = {
                {"trade name", shown.TradeNameBox(), opened.tradeName},
                {"pinyin initials", shown.PinyinBox(), opened.pinyinInitials},
                {"English name", shown.EnglishNameBox(), opened.englishName},
                {"other names", shown.OtherNamesBox(), opened.otherNames},
                {"usage", shown.UsageBox(), opened.usage},
                {"function", shown.FunctionBox(), opened.function},
                {"cautions", shown.CautionsBox(), opened.cautions},
            };
            for (const Shown& field : expected) {
                EXPECT_EQ(TextOf(field.box), Utf8(field.value)) << field.field;
                field.box->setFocus();
                MoveToEnd(field.box);
                Type(field.box, QStringLiteral("改"));
            }
            QTest::mouseClick((shown.*c.button)(), Qt::LeftButton);
        });
        EXPECT_EQ(answer, c.answer);

        DrugFields out;
        entry.ExchangeFields(out, true);
        const std::string suffix = c.edited ? Gbk("改") : std::string();
        EXPECT_EQ(out.tradeName, opened.tradeName + suffix);
        EXPECT_EQ(out.pinyinInitials, opened.pinyinInitials + suffix);
        EXPECT_EQ(out.englishName, opened.englishName + suffix);
        EXPECT_EQ(out.otherNames, opened.otherNames + suffix);
        EXPECT_EQ(out.usage, opened.usage + suffix);
        EXPECT_EQ(out.function, opened.function + suffix);
        EXPECT_EQ(out.cautions, opened.cautions + suffix);
    }
}

// A record written with CR LF line breaks, confirmed without a change, comes
// back as it went in: what stands in the boxes is what was put there.
TEST_F(DrugEntryDialogTest, UntouchedFieldsComeBackByteForByte) {
    DrugFields in{Gbk("阿司匹林"),
                  "ASPL",
                  "Aspirin",
                  Gbk("乙酰水杨酸"),
                  Gbk("解热\r\n镇痛\r\n"),
                  Gbk("口服\r\n每日三次"),
                  Gbk("\r\n孕妇慎用")};
    dialog.ExchangeFields(in, false);
    const QDialog::DialogCode answer = RunDialog(dialog, [](DrugEntryDialog& shown) {
        QTest::mouseClick(shown.OkButton(), Qt::LeftButton);
    });
    ASSERT_EQ(answer, QDialog::Accepted);
    DrugFields out;
    dialog.ExchangeFields(out, true);
    EXPECT_EQ(out, in);
}

TEST_F(DrugEntryDialogTest, EnterMovesOnFromOneLineBoxesAndBreaksLinesInMultiLineOnes) {
    Show();
    ASSERT_EQ(QApplication::focusWidget(), dialog.TradeNameBox());
    const QWidget* order[] = {dialog.EnglishNameBox(), dialog.PinyinBox(), dialog.OtherNamesBox(),
                              dialog.UsageBox()};
    Qt::Key key = Qt::Key_Enter;  // the keypad's Enter first, then the main one
    for (const QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(QApplication::focusWidget(), next);
        key = Qt::Key_Return;
    }

    for (QPlainTextEdit* box : {dialog.UsageBox(), dialog.FunctionBox(), dialog.CautionsBox()}) {
        box->setFocus();
        QTest::keyClicks(box, "a");
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, "b");
        EXPECT_EQ(box->toPlainText(), QStringLiteral("a\nb"));
        EXPECT_EQ(QApplication::focusWidget(), box);
    }
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(ui.messages.empty());

    // Enter on the OK button is a click on it.
    Paste(dialog.EnglishNameBox(), QStringLiteral("Aspirin"));
    dialog.OkButton()->setFocus();
    QTest::keyClick(dialog.OkButton(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(DrugEntryDialogTest, TypingStopsAtTheLimitWithABeepAndTheCounterShowsTheBytesLeft) {
    Show();
    QSignalSpy beeps(&dialog, &DrugEntryDialog::limitReached);
    for (const Box& box : Boxes()) {
        SCOPED_TRACE(box.name);
        const QLabel* counter = dialog.BytesLeftCounter(box.widget);
        ASSERT_NE(counter, nullptr);
        const QString letters(box.limit, QLatin1Char('x'));
        const QString chinese(box.limit / 2, QChar(0x836F));  // 药
        struct Entry {
            const char* how;
            QString typed;
            QString kept;
            int beeps;
        };
        const Entry entries[] = {
            {"letters", letters + QStringLiteral("yz"), letters, 2},
            {"Chinese", chinese + QStringLiteral("片"), chinese, 1},
            {"Chinese after letters", QStringLiteral("a") + chinese,
             QStringLiteral("a") + chinese.left(chinese.size() - 1), 1},
            {"within the limit", QStringLiteral("a药"), QStringLiteral("a药"), 0},
        };
        for (const Entry& entry : entries) {
            SCOPED_TRACE(entry.how);
            Clear(box.widget);
            box.widget->setFocus();
            beeps.clear();
            Type(box.widget, entry.typed);
            EXPECT_EQ(TextOf(box.widget), entry.kept);
            EXPECT_EQ(beeps.size(), entry.beeps);
            const int left = box.limit - static_cast<int>(Gbk(entry.kept.toStdString()).size());
            EXPECT_EQ(counter->text(), QString::number(left));
            EXPECT_EQ(counter->palette().color(QPalette::WindowText) == QColor(Qt::red), left == 0);
        }
        EXPECT_TRUE(ui.messages.empty());
    }
}

// Pasted with the keyboard from the clipboard, or dropped from another box:
// what fits goes in, what does not is refused whole and explained, and the
// text stays where it came from.
TEST_F(DrugEntryDialogTest, APasteOrDropThatDoesNotFitIsRefusedWholeAndExplained) {
    Show();
    const auto paste = [](QWidget* box, const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    };
    QLineEdit source;  // a box elsewhere that the text is dragged from
    const auto drop = [&source](QWidget* box, const QString& text) {
        source.setText(text);
        auto* mime = new QMimeData;
        mime->setText(text);
        QWidget* target = box;
        if (auto* lines = qobject_cast<QPlainTextEdit*>(box)) {
            target = lines->viewport();
        }
        QDragEnterEvent enter(QPoint(2, 2), Qt::MoveAction | Qt::CopyAction, mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(QPointF(2, 2), Qt::MoveAction | Qt::CopyAction, mime, Qt::LeftButton,
                           Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        delete mime;
        return dropped.isAccepted();
    };
    for (const Box& box : Boxes()) {
        SCOPED_TRACE(box.name);
        const QString room(box.limit / 2 - 1, QChar(0x836F));  // leaves two bytes after "ab"
        struct Case {
            const char* how;
            enum { Pasted, Dropped, Committed } source;
            QString offered;
            QString kept;
            QString lost;  // empty when it fits
        };
        const Case cases[] = {
            {"a paste that fits", Case::Pasted, QStringLiteral("ab") + room,
             QStringLiteral("ab") + room, ""},
            {"a paste that does not", Case::Pasted, room + QStringLiteral("abc片剂"), "",
             QStringLiteral("c片剂")},
            {"a drop that fits", Case::Dropped, room + QStringLiteral("ab"),
             room + QStringLiteral("ab"), ""},
            {"a drop that does not", Case::Dropped, room + QStringLiteral("片剂"), "",
             QStringLiteral("剂")},
            {"an input method's phrase that does not", Case::Committed,
             room + QStringLiteral("片剂"), "", QStringLiteral("剂")},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.how);
            Clear(box.widget);
            box.widget->setFocus();
            ui.messages.clear();
            QApplication::clipboard()->clear();
            if (c.source == Case::Dropped) {
                EXPECT_EQ(drop(box.widget, c.offered), c.lost.isEmpty());
                // A refused move leaves its text where it was.
                EXPECT_EQ(source.text(), c.offered);
            } else if (c.source == Case::Pasted) {
                paste(box.widget, c.offered);
                EXPECT_EQ(QApplication::clipboard()->text(), c.offered);
            } else {
                Commit(box.widget, c.offered);
            }
            QCoreApplication::processEvents();
            EXPECT_EQ(TextOf(box.widget), c.kept);
            if (c.lost.isEmpty()) {
                EXPECT_TRUE(ui.messages.empty());
                continue;
            }
            ASSERT_EQ(ui.messages.size(), 1u);
            const QString& message = ui.messages[0].text;
            const int over = static_cast<int>(Gbk(c.lost.toStdString()).size());
            EXPECT_TRUE(message.contains(QStringLiteral("多出%1个字节").arg(over)))
                << message.toStdString();
            EXPECT_TRUE(message.contains(QStringLiteral("还能放%1个字节").arg(box.limit)))
                << message.toStdString();
            EXPECT_TRUE(message.contains(QStringLiteral("\n") + c.lost + QStringLiteral("\n")))
                << message.toStdString();
            EXPECT_EQ(message.contains(QStringLiteral("留在原处")), c.source == Case::Dropped)
                << message.toStdString();
            EXPECT_EQ(message.contains(QStringLiteral("仍在剪贴板上")), c.source == Case::Pasted)
                << message.toStdString();
        }
    }
}

TEST_F(DrugEntryDialogTest, ACharacterGbkCannotHoldIsRefusedWithAMessage) {
    Show();
    for (const Box& box : Boxes()) {
        SCOPED_TRACE(box.name);
        Clear(box.widget);
        box.widget->setFocus();
        Type(box.widget, QStringLiteral("药"));
        ui.messages.clear();
        Commit(box.widget, EMOJI);
        Paste(box.widget, QStringLiteral("片") + EMOJI);
        EXPECT_EQ(TextOf(box.widget), QStringLiteral("药片"));
        // The user is told why the character did not arrive, once the edit is done.
        QCoreApplication::processEvents();
        EXPECT_EQ(ui.messages.size(), 2u);
    }
}

TEST_F(DrugEntryDialogTest, TypingATradeNameFillsInItsPinyinUntilTheUserWritesHisOwn) {
    Show();
    QLineEdit* tradeName = dialog.TradeNameBox();
    QLineEdit* pinyin = dialog.PinyinBox();
    tradeName->setFocus();
    Type(tradeName, QStringLiteral("阿司匹林"));
    EXPECT_EQ(pinyin->text(), QStringLiteral("ASPL"));
    // Latin letters and digits upper-cased, other characters skipped.
    Type(tradeName, QStringLiteral("-b12 片"));
    EXPECT_EQ(pinyin->text(), QStringLiteral("ASPLB12P"));
    // Cut at the field's 10 bytes.
    Clear(tradeName);
    Type(tradeName, QStringLiteral("对乙酰氨基酚缓释片剂"));
    EXPECT_EQ(pinyin->text(), QStringLiteral("DYXAJFHSPJ"));

    // The user's own initials stay while the trade name changes.
    Clear(pinyin);
    pinyin->setFocus();
    Type(pinyin, QStringLiteral("DXA"));
    tradeName->setFocus();
    Clear(tradeName);
    Type(tradeName, QStringLiteral("布洛芬"));
    EXPECT_EQ(pinyin->text(), QStringLiteral("DXA"));
    // An emptied pinyin box takes the suggestion again.
    Clear(pinyin);
    tradeName->setFocus();
    Type(tradeName, QStringLiteral("缓释"));
    EXPECT_EQ(pinyin->text(), QStringLiteral("BLFHS"));
}

TEST_F(DrugEntryDialogTest, OpeningARecordLeavesItsPinyinAsStored) {
    for (const char* stored : {"", "BLF"}) {
        SCOPED_TRACE(stored);
        DrugEntryDialog entry(ui);
        DrugFields in{Gbk("布洛芬"), stored, "Ibuprofen", "", "", "", ""};
        entry.ExchangeFields(in, false);
        entry.OnInitDialog();
        EXPECT_EQ(entry.PinyinBox()->text(), QString::fromLatin1(stored));
    }
    // Typing into a record's trade name keeps initials the user gave.
    DrugFields in{Gbk("布洛芬"), "IBU", "Ibuprofen", "", "", "", ""};
    dialog.ExchangeFields(in, false);
    Show();
    MoveToEnd(dialog.TradeNameBox());
    Type(dialog.TradeNameBox(), QStringLiteral("片"));
    EXPECT_EQ(dialog.PinyinBox()->text(), QStringLiteral("IBU"));
}

TEST_F(DrugEntryDialogTest, EveryBoxExplainsItselfInAToolTip) {
    Show();
    const std::pair<QWidget*, QString> tips[] = {
        {dialog.TradeNameBox(), QStringLiteral("药物商品名称,小于10个汉字")},
        {dialog.EnglishNameBox(), QStringLiteral("药物英文名称,小于20个字母")},
        {dialog.PinyinBox(), QStringLiteral("药物拼音首字母简写,小于10个字母")},
        {dialog.OtherNamesBox(), QStringLiteral("药物其它商品名称,小于20个汉字")},
        {dialog.FunctionBox(), QStringLiteral("药物功能作用,小于100个汉字")},
        {dialog.UsageBox(), QStringLiteral("药物用法及用量,小于100个汉字")},
        {dialog.CautionsBox(), QStringLiteral("药物使用注意事项及禁忌,小于100个汉字")},
    };
    for (const auto& [box, tip] : tips) {
        EXPECT_EQ(box->toolTip(), tip);
        EXPECT_EQ(box->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, box), 500)
            << tip.toStdString();
    }
    for (QPushButton* button : {dialog.OkButton(), dialog.CancelButton()}) {
        EXPECT_TRUE(button->toolTip().isEmpty());
    }
}

TEST_F(DrugEntryDialogTest, IsLaidOutInDialogUnitsOfItsFontWithTheTemplatesTabOrder) {
    Show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("药物输入窗口"));
    EXPECT_EQ(dialog.font().pointSize(), 10);
    const QSize base = platform::DialogBaseUnits(dialog.font());
    ASSERT_GT(base.width(), 0);
    ASSERT_GT(base.height(), 0);
    const auto pixels = [base](int x, int y, int width, int height) {
        return platform::MapDialogRect(QRect(x, y, width, height), base);
    };
    EXPECT_EQ(dialog.size(), pixels(0, 0, 251, 203).size());
    const std::pair<QWidget*, QRect> controls[] = {
        {dialog.TradeNameBox(), pixels(28, 7, 69, 12)},
        {dialog.EnglishNameBox(), pixels(117, 7, 69, 12)},
        {dialog.PinyinBox(), pixels(207, 7, 37, 12)},
        {dialog.OtherNamesBox(), pixels(28, 21, 216, 12)},
        {dialog.UsageBox(), pixels(28, 35, 216, 46)},
        {dialog.FunctionBox(), pixels(28, 83, 216, 46)},
        {dialog.CautionsBox(), pixels(28, 131, 216, 46)},
        {dialog.OkButton(), pixels(69, 182, 50, 14)},
        {dialog.CancelButton(), pixels(132, 182, 50, 14)},
    };
    for (const auto& [control, rect] : controls) {
        EXPECT_EQ(control->geometry(), rect) << control->metaObject()->className();
    }
    EXPECT_FALSE(dialog.OkButton()->isDefault());

    // Tab visits the boxes and the two visible buttons in template order.
    const QWidget* order[] = {
        dialog.EnglishNameBox(), dialog.PinyinBox(),    dialog.OtherNamesBox(),
        dialog.UsageBox(),       dialog.FunctionBox(),  dialog.CautionsBox(),
        dialog.OkButton(),       dialog.CancelButton(), dialog.TradeNameBox()};
    ASSERT_EQ(QApplication::focusWidget(), dialog.TradeNameBox());
    for (const QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

}  // namespace
}  // namespace quorbex::testing
