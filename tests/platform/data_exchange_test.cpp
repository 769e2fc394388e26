#include "platform/data_exchange.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

#include "tests/support/fake_user_interface.h"
#include "tests/support/keyboard_input.h"
#include "tests/support/test_files.h"

namespace quorbex::platform {
namespace {

using testing::Commit;
using testing::FakeUserInterface;
using testing::Gbk;
using testing::Type;

const QString TEN_CHINESE = QStringLiteral("阿司匹林布洛芬对乙酰");
const QString EMOJI = QStringLiteral("\U0001F600");

QString Text(QLineEdit* box) {
    return box->text();
}
QString Text(QPlainTextEdit* box) {
    return box->toPlainText();
}
void Paste(QLineEdit* box, const QString& text) {
    box->insert(text);
}
void Paste(QPlainTextEdit* box, const QString& text) {
    box->insertPlainText(text);
}
void SetCursor(QLineEdit* box, int position, int selected = 0) {
    box->setSelection(position, selected);
}
void SetCursor(QPlainTextEdit* box, int position, int selected = 0) {
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(position);
    cursor.setPosition(position + selected, QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
}

// Both kinds of edit box, limited the way a dialog's exchange limits them.
template <typename Box>
class GbkEditLimit : public ::testing::Test {
protected:
    GbkEditLimit() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(other);
        layout->addWidget(box);
        window.show();
        box->setFocus();
    }

    // A box of limit bytes holding initial, as the dialog loads it.
    void Load(const std::string& initial, int limit = 20) {
        DataExchange exchange(ui, false);
        std::string text = initial;
        ExchangeText(exchange, box, text);
        ValidateMaxBytes(exchange, box, text, limit);
        EXPECT_FALSE(exchange.Failed());
    }
    // Signals of the limiter that a character was refused.
    std::unique_ptr<QSignalSpy> WatchRefusals() {
        if constexpr (std::is_same_v<Box, QLineEdit>) {
            return std::make_unique<QSignalSpy>(GbkLimitValidator::Of(box),
                                                &GbkLimitValidator::characterRefused);
        } else {
            return std::make_unique<QSignalSpy>(GbkPlainTextLimit::Of(box),
                                                &GbkPlainTextLimit::characterRefused);
        }
    }

    FakeUserInterface ui;
    QWidget window;
    QLineEdit* other = new QLineEdit;
    Box* box = new Box;
};

using BoxTypes = ::testing::Types<QLineEdit, QPlainTextEdit>;
TYPED_TEST_SUITE(GbkEditLimit, BoxTypes);

TYPED_TEST(GbkEditLimit, TakesTwentyBytesOfTypedOrPastedTextAndNoMore) {
    using Box = TypeParam;
    struct Case {
        const char* name;
        std::string initial;  // GBK
        std::function<void(Box*)> edit;
        QString expected;
    };
    const Case cases[] = {
        {"eleven Chinese characters typed", "",
         [](Box* box) { Type(box, TEN_CHINESE + QStringLiteral("酚")); }, TEN_CHINESE},
        {"twenty-five letters typed", "",
         [](Box* box) { Type(box, QStringLiteral("abcdefghijklmnopqrstuvwxy")); },
         QStringLiteral("abcdefghijklmnopqrst")},
        {"a Chinese character that no longer fits, then a letter that does", "",
         [](Box* box) { Type(box, QStringLiteral("abcdefghijklmnopqrs药t")); },
         QStringLiteral("abcdefghijklmnopqrst")},
        {"twelve Chinese characters pasted", "",
         [](Box* box) { Paste(box, TEN_CHINESE + QStringLiteral("布洛")); }, TEN_CHINESE},
        {"letters and Chinese pasted", "",
         [](Box* box) { Paste(box, QStringLiteral("abc") + TEN_CHINESE); },
         QStringLiteral("abc阿司匹林布洛芬对")},
        {"pasted into the middle", "abcdefghij",
         [](Box* box) {
             SetCursor(box, 5);
             Paste(box, TEN_CHINESE);
         },
         QStringLiteral("abcde阿司匹林布fghij")},
        {"typed over a selection in a full box", Gbk("阿司匹林布洛芬对乙酰"),
         [](Box* box) {
             SetCursor(box, 9, 1);
             Type(box, QStringLiteral("xy"));
         },
         QStringLiteral("阿司匹林布洛芬对乙xy")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        this->Load(c.initial);
        c.edit(this->box);
        EXPECT_EQ(Text(this->box), c.expected);
        EXPECT_TRUE(this->ui.messages.empty());
    }
}

TYPED_TEST(GbkEditLimit, RefusesACharacterOutsideGbkWithEverythingAfterIt) {
    struct Case {
        const char* name;
        std::function<void(TypeParam*)> edit;
        QString expected;
    };
    const Case cases[] = {
        {"committed by an input method", [](TypeParam* box) { Commit(box, EMOJI); },
         QStringLiteral("药")},
        {"pasted", [](TypeParam* box) { Paste(box, QStringLiteral("ab") + EMOJI + "cd"); },
         QStringLiteral("药ab")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        this->Load(Gbk("药"));
        SetCursor(this->box, 1);
        const auto refusals = this->WatchRefusals();
        c.edit(this->box);
        EXPECT_EQ(Text(this->box), c.expected);
        ASSERT_EQ(refusals->size(), 1);
        EXPECT_EQ(refusals->at(0).at(0).toString(), EMOJI);
    }
}

TYPED_TEST(GbkEditLimit, LoadingShowsTheTextAndSetsOneLimit) {
    this->Load(Gbk("阿司匹林"), 20);
    this->Load(Gbk("阿司匹林"), 10);
    EXPECT_EQ(Text(this->box), QStringLiteral("阿司匹林"));
    if constexpr (std::is_same_v<TypeParam, QLineEdit>) {
        EXPECT_EQ(this->box->template findChildren<GbkLimitValidator*>().size(), 1);
        EXPECT_EQ(GbkLimitValidator::Of(this->box)->Limit(), 10);
    } else {
        EXPECT_EQ(this->box->template findChildren<GbkPlainTextLimit*>().size(), 1);
        EXPECT_EQ(GbkPlainTextLimit::Of(this->box)->Limit(), 10);
    }
    SetCursor(this->box, 4);
    Type(this->box, QStringLiteral("布洛"));  // 8 + 2 bytes fit, the rest not
    EXPECT_EQ(Text(this->box), QStringLiteral("阿司匹林布"));
}

// Saving: the boxes' texts back into GBK strings, with the length checked.
template <typename Box>
class ExchangeSave : public GbkEditLimit<Box> {
protected:
    // Saves the box into text with a limit; true if the exchange succeeded.
    bool Save(std::string& text, int limit) {
        DataExchange exchange(this->ui, true);
        ExchangeText(exchange, this->box, text);
        if (!exchange.Failed()) {
            ValidateMaxBytes(exchange, this->box, text, limit);
        }
        return !exchange.Failed();
    }
};

TYPED_TEST_SUITE(ExchangeSave, BoxTypes);

TYPED_TEST(ExchangeSave, TakesTheTextAsGbk) {
    Paste(this->box, QStringLiteral("阿司匹林Aspirin"));
    std::string text = "old";
    EXPECT_TRUE(this->Save(text, 20));
    EXPECT_EQ(text, Gbk("阿司匹林Aspirin"));
    EXPECT_TRUE(this->ui.messages.empty());
}

TYPED_TEST(ExchangeSave, FailsOnTextTooLongOrOutsideGbkAndPutsTheFocusOnTheBox) {
    struct Case {
        QString boxText;
        int limit;
        bool saved;
        QString messagePart;
    };
    const Case cases[] = {
        {QStringLiteral("阿司匹林布洛芬对乙酰"), 20, true, QString()},
        {QStringLiteral("阿司匹林布洛芬对乙酰a"), 20, false, QStringLiteral("20")},
        {QStringLiteral("阿司匹林") + EMOJI, 20, false, EMOJI},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boxText.toStdString());
        // Text set from elsewhere, not typed: no limit is in force on it.
        if constexpr (std::is_same_v<TypeParam, QLineEdit>) {
            this->box->setText(c.boxText);
        } else {
            this->box->setPlainText(c.boxText);
        }
        this->other->setFocus();
        this->ui.messages.clear();
        std::string text = "old";
        EXPECT_EQ(this->Save(text, c.limit), c.saved);
        if (c.saved) {
            EXPECT_TRUE(this->ui.messages.empty());
            EXPECT_EQ(text, Gbk(c.boxText.toStdString()));
            continue;
        }
        ASSERT_EQ(this->ui.messages.size(), 1u);
        EXPECT_TRUE(this->ui.messages[0].text.contains(c.messagePart))
            << this->ui.messages[0].text.toStdString();
        EXPECT_EQ(this->ui.messages[0].icon, QMessageBox::Warning);
        EXPECT_EQ(this->window.focusWidget(), this->box);
        if (c.messagePart == EMOJI) {
            EXPECT_EQ(text, "old");
        }
    }
}

}  // namespace
}  // namespace quorbex::platform
