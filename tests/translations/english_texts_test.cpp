// Under the English translation everything the program shows in words is
// English: the main window's menus (both sets), commands, tool bars and
// status bar, the dialogs made from templates, every text of the string
// table and the record view's headings. Each window is compared with the
// same window without a translation, in the Chinese the program shows by
// default: an English text is empty exactly where the Chinese one is.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QToolBar>
#include <functional>
#include <memory>

#include "app/about_dialog.h"
#include "app/language.h"
#include "app/startup_dialog.h"
#include "dialogs/drug_entry_dialog.h"
#include "dialogs/text_input_dialog.h"
#include "frames/main_frame.h"
#include "frames/main_status_bar.h"
#include "platform/command_spec.h"
#include "resources/commands.h"
#include "resources/menus.h"
#include "resources/strings.h"
#include "tests/support/cjk.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/qstring_printer.h"
#include "tests/views/drug_views_fixture.h"

namespace quorbex::testing {
namespace {

const QString ENGLISH = QStringLiteral("en");

struct ShownText {
    QString where;
    QString text;
};

void Add(QList<ShownText>& texts, const QObject& object, const char* what, const QString& text) {
    texts.append({QString::fromLatin1(object.metaObject()->className()) + QLatin1Char(' ') +
                      QString::fromLatin1(what),
                  text});
}

// Every text that root and the widgets in it show, with those of their
// actions, in the order the widgets were made.
QList<ShownText> TextsOf(QWidget& root) {
    QList<ShownText> texts;
    QList<QWidget*> widgets{&root};
    widgets.append(root.findChildren<QWidget*>());
    for (QWidget* widget : widgets) {
        Add(texts, *widget, "title", widget->windowTitle());
        Add(texts, *widget, "tool tip", widget->toolTip());
        Add(texts, *widget, "status tip", widget->statusTip());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            Add(texts, *label, "text", label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            Add(texts, *button, "text", button->text());
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            Add(texts, *group, "title", group->title());
        } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            Add(texts, *line, "text", line->text());
        } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
            Add(texts, *box, "text", box->toPlainText());
        } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
            Add(texts, *menu, "title", menu->title());
        }
        for (const QAction* action : widget->actions()) {
            Add(texts, *action, "text", action->text());
            Add(texts, *action, "tool tip", action->toolTip());
            Add(texts, *action, "status tip", action->statusTip());
        }
    }
    return texts;
}

// What make() shows without a translation and under the English one.
struct BothLanguages {
    QList<ShownText> chinese;
    QList<ShownText> english;
};

BothLanguages Shown(const std::function<std::unique_ptr<QWidget>()>& make) {
    BothLanguages shown;
    shown.chinese = TextsOf(*make());
    const Translation english(ENGLISH);
    shown.english = TextsOf(*make());
    return shown;
}

void ExpectEnglish(const BothLanguages& shown) {
    ASSERT_EQ(shown.english.size(), shown.chinese.size());
    int chineseTexts = 0;
    for (qsizetype i = 0; i < shown.english.size(); ++i) {
        const ShownText& chinese = shown.chinese[i];
        const ShownText& english = shown.english[i];
        SCOPED_TRACE(chinese.where.toStdString() + ": " + chinese.text.toStdString());
        EXPECT_FALSE(HoldsCjk(english.text)) << english.text.toStdString();
        EXPECT_EQ(english.text.isEmpty(), chinese.text.isEmpty()) << english.text.toStdString();
        chineseTexts += HoldsCjk(chinese.text) ? 1 : 0;
    }
    EXPECT_GT(chineseTexts, 0) << "nothing in Chinese to compare with";
}

// The mnemonics of texts, each at most once.
void ExpectDistinctMnemonics(const QStringList& texts, const QString& where) {
    QSet<QKeySequence> seen;
    for (const QString& text : texts) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(text);
        if (mnemonic.isEmpty()) {
            continue;
        }
        EXPECT_FALSE(seen.contains(mnemonic)) << where.toStdString() << ": " << text.toStdString();
        seen.insert(mnemonic);
    }
}

QStringList ActionTexts(const QWidget& widget) {
    QStringList texts;
    for (const QAction* action : widget.actions()) {
        texts.append(action->text());
    }
    return texts;
}

std::unique_ptr<CMainFrame> MainFrame(FakeUserInterface& ui) {
    return std::make_unique<CMainFrame>(ui, QSize(1024, 768));
}

TEST(EnglishTexts, TheMainWindowsMenusCommandsToolBarsAndStatusBar) {
    FakeUserInterface ui;
    ExpectEnglish(Shown([&ui] { return MainFrame(ui); }));

    const Translation english(ENGLISH);
    const std::unique_ptr<CMainFrame> frame = MainFrame(ui);
    for (const std::span<const MenuEntry> dropDown :
         {std::span<const MenuEntry>(SEARCH_OPTIONS_MENU),
          std::span<const MenuEntry>(DELETE_OPTIONS_MENU)}) {
        for (const MenuEntry& entry : dropDown) {
            if (entry.kind == MenuKind::Command) {
                EXPECT_FALSE(frame->Action(entry.id).text().isEmpty())
                    << static_cast<unsigned>(entry.id);
            }
        }
    }
    EXPECT_EQ(frame->Action(platform::ID_FILE_OPEN).text(), QStringLiteral("&Open..."));
    EXPECT_EQ(frame->DrugToolBar()->windowTitle(), QStringLiteral("Drug Toolbar"));
}

// Within each menu, and in either language, no two items share a mnemonic.
TEST(EnglishTexts, EveryMenusMnemonicsAreDistinctInBothLanguages) {
    FakeUserInterface ui;
    for (const bool inEnglish : {false, true}) {
        const std::unique_ptr<Translation> english =
            inEnglish ? std::make_unique<Translation>(ENGLISH) : nullptr;
        const std::unique_ptr<CMainFrame> frame = MainFrame(ui);
        const QString language = inEnglish ? QStringLiteral("English") : QStringLiteral("Chinese");
        QStringList titles;
        for (QMenu* menu : frame->findChildren<QMenu*>()) {
            ExpectDistinctMnemonics(ActionTexts(*menu),
                                    language + QLatin1Char(' ') + menu->title());
            if (qobject_cast<QMenu*>(menu->parent()) == nullptr) {
                titles.append(menu->title());
            }
        }
        // The two menu bars share their file and help menus' titles.
        titles.removeDuplicates();
        ExpectDistinctMnemonics(titles, language + QStringLiteral(" menu bar"));
    }
}

// Each labelled control of a dialog shows its whole text.
void ExpectTextsFit(QWidget& dialog) {
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (widget->isHidden()) {
            continue;
        }
        int needed = 0;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget);
            label != nullptr && label->pixmap().isNull()) {
            text = label->text();
            needed = label->fontMetrics().horizontalAdvance(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
            needed = button->sizeHint().width();
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            text = group->title();
            needed = group->minimumSizeHint().width();
        }
        EXPECT_LE(needed, widget->width()) << text.toStdString();
    }
}

template <typename Dialog>
void ExpectEnglishDialog(const std::function<std::unique_ptr<Dialog>()>& make) {
    ExpectEnglish(Shown([&make]() -> std::unique_ptr<QWidget> { return make(); }));
    for (const bool inEnglish : {false, true}) {
        SCOPED_TRACE(inEnglish ? "English" : "Chinese");
        const std::unique_ptr<Translation> english =
            inEnglish ? std::make_unique<Translation>(ENGLISH) : nullptr;
        const std::unique_ptr<Dialog> dialog = make();
        ExpectTextsFit(*dialog);
        QStringList texts;
        for (const QAbstractButton* button : dialog->template findChildren<QAbstractButton*>()) {
            texts.append(button->text());
        }
        ExpectDistinctMnemonics(texts, dialog->windowTitle());
    }
}

TEST(EnglishTexts, TheDialogsMadeFromTemplates) {
    FakeUserInterface ui;
    {
        SCOPED_TRACE("drug entry");
        ExpectEnglishDialog<DrugEntryDialog>([&ui] {
            auto dialog = std::make_unique<DrugEntryDialog>(ui);
            dialog->OnInitDialog();
            return dialog;
        });
    }
    {
        SCOPED_TRACE("text input");
        ExpectEnglishDialog<TextInputDialog>([&ui] {
            auto dialog = std::make_unique<TextInputDialog>(ui, nullptr);
            dialog->OnInitDialog();
            return dialog;
        });
    }
    {
        SCOPED_TRACE("about");
        ExpectEnglishDialog<AboutDialog>([] { return std::make_unique<AboutDialog>(); });
    }
    {
        SCOPED_TRACE("startup");
        ExpectEnglishDialog<StartupDialog>([&ui] {
            return std::make_unique<StartupDialog>(ui, QStringList{QStringLiteral("/wards/a.zvk")});
        });
    }
}

// The English entry dialog names its fields with the record view's words, in
// a wider layout than the Chinese template's.
TEST(EnglishTexts, TheEntryDialogUsesTheRecordViewsWordsInAWiderLayout) {
    FakeUserInterface ui;
    const QSize chinese = DrugEntryDialog(ui).size();
    const Translation english(ENGLISH);
    DrugEntryDialog dialog(ui);
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().endsWith(QLatin1Char(':'))) {
            labels.append(label->text());
        }
    }
    EXPECT_EQ(labels, QStringList({"Trade name:", "English name:", "Pinyin:", "Other names:",
                                   "Usage:", "Function:", "Cautions:"}));
    EXPECT_GT(dialog.width(), chinese.width());
    EXPECT_EQ(dialog.height(), chinese.height());
}

// The placeholders (%1, %2) of a text, in order.
QStringList Placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QStringList found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text)) {
        found.append(match.captured());
    }
    found.sort();
    return found;
}

TEST(EnglishTexts, EveryTextOfTheStringTableKeepsItsPlaceholdersAndMnemonic) {
    const Translation english(ENGLISH);
    for (const UiTextEntry& entry : STRING_TABLE) {
        const QString source = QString::fromUtf8(entry.source);
        const QString translated = Tr(entry.id);
        SCOPED_TRACE(std::string(entry.context) + ": " + entry.source);
        EXPECT_FALSE(HoldsCjk(translated)) << translated.toStdString();
        EXPECT_FALSE(translated.trimmed().isEmpty());
        EXPECT_EQ(Placeholders(translated), Placeholders(source)) << translated.toStdString();
        EXPECT_EQ(QKeySequence::mnemonic(translated).isEmpty(),
                  QKeySequence::mnemonic(source).isEmpty())
            << translated.toStdString();
    }
}

// A prompt is the status-bar text and, after a line break, the tool tip.
TEST(EnglishTexts, EveryCommandsPromptKeepsItsToolTip) {
    const Translation english(ENGLISH);
    for (const platform::CommandSpec& command : COMMANDS) {
        const QString prompt = QString::fromUtf8(command.prompt);
        const QString translated =
            QCoreApplication::translate(platform::COMMANDS_CONTEXT, command.prompt);
        SCOPED_TRACE(command.prompt);
        EXPECT_EQ(translated.count(QLatin1Char('\n')), prompt.count(QLatin1Char('\n')))
            << translated.toStdString();
    }
}

class EnglishRecordView : public DrugViewsTest {
protected:
    const Translation english{ENGLISH};
};

// The stored headings stay the file format's and zvk's; on screen, and so on
// paper, the headings are the user's language.
TEST_F(EnglishRecordView, ShowsTheRecordUnderEnglishHeadings) {
    Open({{.tradeName = "阿司匹林",
           .englishName = "Aspirin",
           .otherNames = "乙酰水杨酸",
           .function = "解热镇痛",
           .usage = "口服",
           .cautions = "孕妇慎用"}});
    EXPECT_EQ(text.toPlainText(),
              QStringLiteral("[Trade name] 阿司匹林(乙酰水杨酸)\n[English name] Aspirin\n\n"
                             "[Function]\n解热镇痛\n\n[Usage]\n口服\n\n[Cautions]\n孕妇慎用"));
    EXPECT_EQ(Text(Root()), QStringLiteral("Search results"));
    MainStatusBar status;
    status.ShowRecordCounts(1, 1);
    EXPECT_EQ(status.Pane(ID_INDICATOR_RECORDS)->text(),
              QStringLiteral("Records in dictionary: 1, current results: 1"));
    EXPECT_EQ(GbkToUtf8(RenderRecordText(document.GetCurrentStrings())),
              "[品名]阿司匹林(乙酰水杨酸)\r\n[英文]Aspirin\r\n\r\n[功能]\r\n解热镇痛\r\n\r\n"
              "[用法]\r\n口服\r\n\r\n[注意事项]\r\n孕妇慎用");
}

}  // namespace
}  // namespace quorbex::testing
