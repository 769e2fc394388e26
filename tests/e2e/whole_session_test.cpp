// Whole sessions of use through the real main window: the startup dialog,
// the tool bar and its drop-down menus, the entry and input dialogs, the
// save dialog, the recent-file list, and the file on disk afterwards.
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>

#include "dialogs/drug_entry_dialog.h"
#include "dialogs/text_input_dialog.h"
#include "document/zorvik_drug_doc.h"
#include "frames/main_frame.h"
#include "frames/zorvik_drug_frame.h"
#include "platform/framework_ids.h"
#include "resources/resource_ids.h"
#include "store/disk_file.h"
#include "store/record_store.h"
#include "tests/startup/startup_fixture.h"
#include "tests/support/command_id_printer.h"
#include "tests/support/keyboard_input.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex::testing {
namespace {

struct Drug {
    QString tradeName;
    QString englishName;
    QString pinyin;
    QString function;
};

class WholeSession : public StartupTest {
protected:
    CMainFrame& Main() { return *app->MainFrame(); }

    CZorvikDrugDoc& Doc() {
        const auto documents = app.Documents();
        EXPECT_EQ(documents.size(), 1u);
        return static_cast<CZorvikDrugDoc&>(*documents.front());
    }

    CZorvikDrugFrame& Window() {
        return static_cast<CZorvikDrugFrame&>(*app->DocTemplate()->WindowOf(Doc()));
    }

    // Clicks a tool bar button or chooses a menu item, as the user does.
    void Command(platform::CommandId id) {
        QAction& action = Main().Action(id);
        ASSERT_TRUE(action.isEnabled()) << id;
        action.trigger();
    }

    // Runs a command that opens a modal dialog of type Dialog and works it.
    template <typename Dialog>
    void CommandWithDialog(platform::CommandId id, const std::function<void(Dialog&)>& work) {
        const bool shown = WhileModal(
            [&work](QWidget& modal) {
                auto* dialog = dynamic_cast<Dialog*>(&modal);
                ASSERT_NE(dialog, nullptr) << modal.metaObject()->className();
                work(*dialog);
            },
            [&] { Command(id); });
        EXPECT_TRUE(shown);
    }

    void Append(const Drug& drug) {
        CommandWithDialog<DrugEntryDialog>(ID_DRUG_APPEND, [&drug](DrugEntryDialog& dialog) {
            Type(dialog.TradeNameBox(), drug.tradeName);
            Type(dialog.EnglishNameBox(), drug.englishName);
            // The trade name filled in its initials; typed over, they stay the user's.
            EXPECT_EQ(dialog.PinyinBox()->text(), drug.pinyin);
            dialog.PinyinBox()->selectAll();
            Type(dialog.PinyinBox(), drug.pinyin);
            Type(dialog.FunctionBox(), drug.function);
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        });
    }

    // Clicks the drop-down arrow of a drug tool bar button and chooses the
    // item with the given text from the menu that opens under it.
    void ChooseFromDropDown(platform::CommandId buttonId, const QString& item) {
        QToolButton* button = Main().ToolBarButton(buttonId);
        ASSERT_NE(button, nullptr);
        ASSERT_NE(button->menu(), nullptr);
        bool chosen = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr) << "no menu opened";
            for (QAction* action : menu->actions()) {
                if (action->text() == item) {
                    menu->setActiveAction(action);
                    QTest::keyClick(menu, Qt::Key_Return);
                    chosen = true;
                    return;
                }
            }
            menu->close();
        });
        // The arrow is the button's right end.
        QTest::mouseClick(button, Qt::LeftButton, {},
                          QPoint(button->width() - 3, button->height() / 2));
        EXPECT_TRUE(chosen) << item.toStdString();
    }

    void Search(const QString& pattern) {
        CommandWithDialog<TextInputDialog>(ID_DRUG_SEARCH, [&pattern](TextInputDialog& dialog) {
            Type(dialog.TextBox(), pattern);
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        });
    }

    QStringList TreeLabels() {
        CZorvikDrugTreeView* tree = Window().TreeView();
        QStringList labels;
        for (int i = 0; i < tree->model()->rowCount(tree->RootIndex()); ++i) {
            labels.append(tree->ResultIndex(i).data().toString());
        }
        return labels;
    }

    void ClickTreeItem(const QString& label) {
        CZorvikDrugTreeView* tree = Window().TreeView();
        const QModelIndexList found = tree->model()->match(tree->ResultIndex(0), Qt::DisplayRole,
                                                           label, -1, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << label.toStdString();
        tree->scrollTo(found.front());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualRect(found.front()).center());
    }

    QString ShownText() { return Window().TextView()->toPlainText(); }

    // The records of a dictionary file, read back with the store.
    std::vector<DrugFields> RecordsOf(const QString& path, std::uint64_t* length = nullptr) {
        std::vector<DrugFields> records;
        auto file = DiskFile::Open(path.toStdString(), DiskFile::Mode::Read);
        EXPECT_NE(file, nullptr) << path.toStdString();
        RecordStore store;
        if (file == nullptr || !store.LoadFromFile(*file)) {
            ADD_FAILURE() << "not a dictionary: " << path.toStdString();
            return records;
        }
        for (std::uint32_t number = 1; number <= store.GetCount(); ++number) {
            records.push_back(RecordFields(store, number));
        }
        if (length != nullptr) {
            *length = QFileInfo(path).size();
        }
        return records;
    }

    void QuitAnswering(std::initializer_list<QMessageBox::StandardButton> answers) {
        app.Ui().answers.assign(answers.begin(), answers.end());
        Main().close();
        QCoreApplication::processEvents();
    }

    TestApp app;
};

TEST_F(WholeSession, FromANewDictionaryToItsFileAndBack) {
    // Start without a file and choose a new, empty dictionary.
    ASSERT_TRUE(StartThroughDialog(app, [](StartupDialog& dialog) {
        QTest::mouseClick(dialog.NewEmptyButton(), Qt::LeftButton);
        QTest::mouseClick(DialogButton(dialog, QStringLiteral("确认")), Qt::LeftButton);
    }));
    QCoreApplication::processEvents();
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("我的药物字典_1"));
    EXPECT_TRUE(Main().ShowsDictionaryMenus());

    // Three drugs through the entry dialog, each shown as it is added.
    Append({QStringLiteral("布洛芬"), QStringLiteral("Ibuprofen"), QStringLiteral("BLF"),
            QStringLiteral("解热镇痛")});
    Append({QStringLiteral("阿司匹林"), QStringLiteral("Aspirin"), QStringLiteral("ASPL"),
            QStringLiteral("抗血小板")});
    Append({QStringLiteral("氯雷他定"), QStringLiteral("Loratadine"), QStringLiteral("LLTD"),
            QStringLiteral("抗过敏")});
    Append({QStringLiteral("对乙酰氨基酚"), QStringLiteral("Paracetamol"), QStringLiteral("DYXAJF"),
            QStringLiteral("退热")});
    EXPECT_EQ(TreeLabels(),
              (QStringList{QStringLiteral("布洛芬"), QStringLiteral("阿司匹林"),
                           QStringLiteral("氯雷他定"), QStringLiteral("对乙酰氨基酚")}));
    EXPECT_TRUE(ShownText().startsWith(QStringLiteral("[品名]对乙酰氨基酚")));
    EXPECT_TRUE(Doc().IsModified());

    // Search with options: ordered by English name, in the names only.
    ChooseFromDropDown(ID_DRUG_SEARCH, QStringLiteral("按英文排序"));
    Search(QStringLiteral("a"));
    EXPECT_EQ(TreeLabels(), (QStringList{QStringLiteral("Aspirin"), QStringLiteral("Loratadine"),
                                         QStringLiteral("Paracetamol")}));
    EXPECT_EQ(Main().StatusPane(ID_INDICATOR_RECORDS)->text(),
              QStringLiteral("库文件记录:4条,当前浏览结果:3条"));

    // Modify one: the entry dialog comes filled in.
    ClickTreeItem(QStringLiteral("Paracetamol"));
    CommandWithDialog<DrugEntryDialog>(ID_DRUG_MODIFY, [](DrugEntryDialog& dialog) {
        EXPECT_EQ(dialog.TradeNameBox()->text(), QStringLiteral("对乙酰氨基酚"));
        Type(dialog.UsageBox(), QStringLiteral("口服"));
        QTest::keyClick(dialog.UsageBox(), Qt::Key_Return);
        Type(dialog.UsageBox(), QStringLiteral("每日不超过4g"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(ShownText().contains(QStringLiteral("[用法]\n口服\n每日不超过4g")));

    // Delete it with the confirmation, then one more without.
    app.Ui().answers = {QMessageBox::Yes};
    Command(ID_DRUG_DELETE);
    ASSERT_EQ(app.Ui().messages.size(), 1u);
    EXPECT_EQ(app.Ui().messages.back().text,
              QStringLiteral("将要删除药物:\n\n对乙酰氨基酚\n\n确认吗?"));
    ChooseFromDropDown(ID_DRUG_DELETE, QStringLiteral("确认删除"));
    ClickTreeItem(QStringLiteral("Aspirin"));
    Command(ID_DRUG_DELETE);
    EXPECT_EQ(app.Ui().messages.size(), 1u);
    EXPECT_EQ(TreeLabels(), QStringList{QStringLiteral("Loratadine")});

    // Save under a name typed without its extension.
    const QString saved = File(QStringLiteral("session.zvk"));
    CommandWithDialog<QFileDialog>(ID_DRUG_SAVE, [this](QFileDialog& dialog) {
        dialog.selectFile(File(QStringLiteral("session")));
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("session.zvk"));

    // Close it, and open it again from the recent-file list of the File menu.
    Command(platform::ID_FILE_CLOSE);
    QCoreApplication::processEvents();
    EXPECT_TRUE(app.Documents().empty());
    EXPECT_FALSE(Main().ShowsDictionaryMenus());
    QAction* fileTitle = Main().menuBar()->actions().value(0);
    ASSERT_NE(fileTitle, nullptr);
    QMenu* fileMenu = fileTitle->menu();
    ASSERT_NE(fileMenu, nullptr);
    emit fileMenu->aboutToShow();
    QAction* recent = nullptr;
    for (QAction* action : fileMenu->actions()) {
        if (action->text().startsWith(QStringLiteral("&1 "))) {
            recent = action;
        }
    }
    ASSERT_NE(recent, nullptr);
    recent->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(Doc().GetPathName(), saved);
    // Reopened, it lists by trade name again.
    EXPECT_EQ(TreeLabels(), (QStringList{QStringLiteral("布洛芬"), QStringLiteral("氯雷他定")}));
    EXPECT_TRUE(ShownText().startsWith(QStringLiteral("[品名]布洛芬\n[英文]Ibuprofen")));

    // The file holds exactly the two drugs that remain, byte for byte.
    std::uint64_t length = 0;
    const std::vector<DrugFields> records = RecordsOf(saved, &length);
    EXPECT_EQ(length, DictionaryLength(2));
    ASSERT_EQ(records.size(), 2u);
    DrugFields ibuprofen = Names(Gbk("布洛芬"), "Ibuprofen");
    ibuprofen.pinyinInitials = "BLF";
    ibuprofen.function = Gbk("解热镇痛");
    DrugFields loratadine = Names(Gbk("氯雷他定"), "Loratadine");
    loratadine.pinyinInitials = "LLTD";
    loratadine.function = Gbk("抗过敏");
    EXPECT_EQ(records[0], ibuprofen);
    EXPECT_EQ(records[1], loratadine);

    QuitAnswering({QMessageBox::Yes});
    EXPECT_FALSE(Main().isVisible());
    EXPECT_EQ(app->ExitInstance(), 0);
}

TEST_F(WholeSession, UnsavedChangesAreNeverLostOnTheWayOut) {
    const QString path = WriteDictionary(QStringLiteral("ward.zvk"));
    ASSERT_TRUE(StartWithoutDialog(app, {path}));
    EXPECT_TRUE(shownModal.isEmpty());
    Append({QStringLiteral("氯雷他定"), QStringLiteral("Loratadine"), QStringLiteral("LLTD"),
            QStringLiteral("抗过敏")});
    ASSERT_TRUE(Doc().IsModified());

    // No to the exit question: everything stays, and nothing is asked further.
    QuitAnswering({QMessageBox::No});
    EXPECT_EQ(app.Ui().messages.back().text, QStringLiteral("确认要退出Halvern吗?"));
    EXPECT_TRUE(Main().isVisible());
    EXPECT_TRUE(Doc().IsModified());

    // Yes, then cancel the save prompt: the program keeps running.
    QuitAnswering({QMessageBox::Yes, QMessageBox::Cancel});
    EXPECT_TRUE(Main().isVisible());
    ASSERT_EQ(app.Documents().size(), 1u);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(RecordsOf(path).size(), 2u);

    // Yes and Yes: the dictionary is saved, then the program ends.
    QuitAnswering({QMessageBox::Yes, QMessageBox::Yes});
    EXPECT_FALSE(Main().isVisible());
    const std::vector<DrugFields> records = RecordsOf(path);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].englishName, "Loratadine");
    EXPECT_EQ(app->ExitInstance(), 0);
}

}  // namespace
}  // namespace quorbex::testing
