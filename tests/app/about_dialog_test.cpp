// The about box: it opens short, grows once to the full height of its
// template to show the author's note, and starts short again every time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/about_dialog.h"
#include "app/drug_app.h"
#include "platform/dialog_template.h"
#include "platform/framework_ids.h"
#include "resources/dialog_templates.h"

namespace quorbex {
namespace {

// The template's rectangle in dialog units, in pixels for the dialog's font.
QRect Pixels(const AboutDialog& dialog, int x, int y, int width, int height) {
    return platform::MapDialogRect(QRect(x, y, width, height),
                                   platform::DialogBaseUnits(dialog.font()));
}

int TemplateHeight(const AboutDialog& dialog) {
    return Pixels(dialog, 0, 0, 195, 159).height();
}

int NoteHeight(const AboutDialog& dialog) {
    return Pixels(dialog, 7, 90, 180, 62).height();
}

QPushButton* ButtonLabelled(const AboutDialog& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

// Runs whileOpen once the modal about box that run() shows is up; a box
// still open after it is closed, so that the test cannot hang.
void WhileAboutBoxOpen(const std::function<void(AboutDialog&)>& whileOpen,
                       const std::function<void()>& run) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<AboutDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no about box is showing";
        seen = true;
        whileOpen(*dialog);
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            open->reject();
        }
    });
    run();
    EXPECT_TRUE(seen);
}

TEST(AboutDialogTest, OpensShortByTheNotesHeight) {
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("关于Quorbex"));
    ASSERT_NE(dialog.NoteBox(), nullptr);
    ASSERT_NE(dialog.ExpandButton(), nullptr);

    EXPECT_EQ(dialog.NoteBox()->height(), NoteHeight(dialog));
    EXPECT_EQ(dialog.height(), TemplateHeight(dialog) - NoteHeight(dialog));
    EXPECT_EQ(dialog.width(), Pixels(dialog, 0, 0, 195, 159).width());
    EXPECT_TRUE(dialog.NoteBox()->isHidden());
    EXPECT_TRUE(dialog.ExpandButton()->isEnabled());
    EXPECT_EQ(dialog.ExpandButton()->text(), QStringLiteral("关于作者"));

    // Everything but the note fits in the short form.
    for (QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != dialog.NoteBox()) {
            EXPECT_LE(control->geometry().bottom(), dialog.height() - 1);
        }
    }
    EXPECT_EQ(dialog.NoteBox()->geometry(), Pixels(dialog, 7, 90, 180, 62));
}

TEST(AboutDialogTest, ShowsTheProgramAndFamilyNames) {
    AboutDialog dialog;
    QStringList texts;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        texts.append(label->text());
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("Halvern")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Quorbex")));
    QPushButton* ok = ButtonLabelled(dialog, QStringLiteral("确定"));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
}

TEST(AboutDialogTest, ExpandGrowsToTheTemplateHeightOnce) {
    AboutDialog dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const int width = dialog.width();
    const QPoint position = dialog.pos();

    dialog.OnExpand();
    EXPECT_EQ(dialog.height(), TemplateHeight(dialog));
    EXPECT_EQ(dialog.width(), width);
    EXPECT_EQ(dialog.pos(), position);
    EXPECT_TRUE(dialog.NoteBox()->isVisible());
    EXPECT_FALSE(dialog.ExpandButton()->isEnabled());
    // The note now lies inside, along the bottom edge.
    EXPECT_LE(dialog.NoteBox()->geometry().bottom(), dialog.height() - 1);
}

TEST(AboutDialogTest, ExpandButtonGrowsTheOpenBox) {
    AboutDialog dialog;
    int shortHeight = 0;
    WhileAboutBoxOpen(
        [&](AboutDialog& shown) {
            ASSERT_EQ(&shown, &dialog);
            shortHeight = shown.height();
            QTest::mouseClick(shown.ExpandButton(), Qt::LeftButton);
            EXPECT_EQ(shown.height(), TemplateHeight(shown));
            EXPECT_TRUE(shown.NoteBox()->isVisible());
            EXPECT_FALSE(shown.ExpandButton()->isEnabled());
            // A second click does nothing more.
            QTest::mouseClick(shown.ExpandButton(), Qt::LeftButton);
            EXPECT_EQ(shown.height(), TemplateHeight(shown));
            QTest::mouseClick(ButtonLabelled(shown, QStringLiteral("确定")), Qt::LeftButton);
        },
        [&] { EXPECT_EQ(dialog.DoModal(), QDialog::Accepted); });
    EXPECT_EQ(shortHeight, TemplateHeight(dialog) - NoteHeight(dialog));
}

TEST(AboutDialogTest, OkEscapeAndTheCloseBoxEndItInEitherForm) {
    const struct {
        const char* way;
        std::function<void(AboutDialog&)> end;
        int result;
    } ways[] = {
        {"OK",
         [](AboutDialog& shown) {
             QTest::mouseClick(ButtonLabelled(shown, QStringLiteral("确定")), Qt::LeftButton);
         },
         QDialog::Accepted},
        {"Escape", [](AboutDialog& shown) { QTest::keyClick(&shown, Qt::Key_Escape); },
         QDialog::Rejected},
        {"close box", [](AboutDialog& shown) { shown.close(); }, QDialog::Rejected},
    };
    for (const auto& way : ways) {
        for (bool expanded : {false, true}) {
            AboutDialog dialog;
            WhileAboutBoxOpen(
                [&](AboutDialog& shown) {
                    if (expanded) {
                        shown.OnExpand();
                    }
                    way.end(shown);
                    EXPECT_FALSE(shown.isVisible()) << way.way << expanded;
                },
                [&] { EXPECT_EQ(dialog.DoModal(), way.result) << way.way << expanded; });
        }
    }
}

TEST(AboutDialogTest, NoteCanBeSelectedAndCopiedButNotEdited) {
    AboutDialog dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.OnExpand();
    QPlainTextEdit* note = dialog.NoteBox();
    const QString text = note->toPlainText();
    ASSERT_FALSE(text.trimmed().isEmpty());
    // Line breaks, not stray carriage returns.
    EXPECT_TRUE(text.contains(QLatin1Char('\n')));
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));

    EXPECT_TRUE(note->isReadOnly());
    note->setFocus();
    QTest::keyClicks(note, "abc");
    QTest::keyClick(note, Qt::Key_Backspace);
    QTest::keyClick(note, Qt::Key_Delete);
    EXPECT_EQ(note->toPlainText(), text);

    QTest::keyClick(note, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(
        note->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')),
        text);
    QApplication::clipboard()->clear();
    QTest::keyClick(note, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), text);
}

TEST(AboutDialogTest, AboutCommandOpensAShortBoxEveryTime) {
    DrugApp app;
    for (int opening = 0; opening < 2; ++opening) {
        WhileAboutBoxOpen(
            [&](AboutDialog& shown) {
                EXPECT_EQ(shown.height(), TemplateHeight(shown) - NoteHeight(shown)) << opening;
                EXPECT_TRUE(shown.ExpandButton()->isEnabled()) << opening;
                EXPECT_FALSE(shown.NoteBox()->isVisible()) << opening;
                QTest::mouseClick(shown.ExpandButton(), Qt::LeftButton);
                EXPECT_EQ(shown.height(), TemplateHeight(shown)) << opening;
                shown.accept();
            },
            [&] { app.OnAppAbout(); });
    }
}

}  // namespace
}  // namespace quorbex
