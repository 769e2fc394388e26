// The main window's menus: which set shows, every item with its id, the
// recent files, the status-bar prompts and tool tips, and the accelerators.
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <QToolButton>

#include "platform/command_actions.h"
#include "resources/commands.h"
#include "resources/resource_ids.h"
#include "tests/frames/main_frame_fixture.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex::testing {
namespace {

// One line per menu entry: "text = id" for an item, with a tab and the keys
// that the menu shows after the text, "----" for a separator, "text >" for a
// submenu whose entries follow, indented. The list of open windows that the
// window menu carries at its end is left out.
void Describe(const QMenu& menu, const QString& indent, QStringList& lines) {
    bool windowList = false;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            lines.append(indent + QStringLiteral("----"));
        } else if (action->menu() != nullptr) {
            lines.append(indent + action->text() + QStringLiteral(" >"));
            Describe(*action->menu(), indent + QStringLiteral("  "), lines);
        } else if (action->data().isValid()) {
            const QString keys = action->shortcut().toString(QKeySequence::NativeText);
            lines.append(indent + action->text() +
                         (keys.isEmpty() ? QString() : QStringLiteral("\t") + keys) +
                         QStringLiteral(" = ") + QString::number(action->data().toUInt()));
        } else {
            windowList = true;
        }
    }
    if (windowList) {
        while (lines.last().endsWith(QStringLiteral("----"))) {
            lines.removeLast();
        }
    }
}

QStringList Describe(const QMenuBar& bar) {
    QStringList lines;
    for (QAction* top : bar.actions()) {
        lines.append(top->text() + QStringLiteral(" >"));
        if (top->menu() != nullptr) {
            Describe(*top->menu(), QStringLiteral("  "), lines);
        }
    }
    return lines;
}

const QStringList EXPECTED_MENU_128 = {
    QStringLiteral("文件(&F) >"),
    QStringLiteral("  新建(&N)\tCtrl+N = 57600"),
    QStringLiteral("  打开(&O)...\tCtrl+O = 57601"),
    QStringLiteral("  导入(&I)... = 33050"),
    QStringLiteral("  ----"),
    QStringLiteral("  最近编辑文件(&L) = 57616"),
    QStringLiteral("  ----"),
    QStringLiteral("  退出(&X) = 57665"),
    QStringLiteral("帮助(&H) >"),
    QStringLiteral("  用户指南(&G)\tF1 = 33060"),
    QStringLiteral("  关于(&A)... = 57664"),
};

const QStringList EXPECTED_MENU_130 = {
    QStringLiteral("文件(&F) >"),
    QStringLiteral("  新建(&N)\tCtrl+N = 57600"),
    QStringLiteral("  打开(&O)...\tCtrl+O = 57601"),
    QStringLiteral("  关闭(&C) = 57602"),
    QStringLiteral("  保存(&S)\tCtrl+S = 57603"),
    QStringLiteral("  另存为(&A)... = 57604"),
    QStringLiteral("  保存时保留备份(&K) = 33102"),
    QStringLiteral("  ----"),
    QStringLiteral("  打印(&P)...\tCtrl+P = 57607"),
    QStringLiteral("  打印预览(&V) = 57609"),
    QStringLiteral("  打印设置(&R)... = 57606"),
    QStringLiteral("  药物手册(&H) >"),
    QStringLiteral("    打印手册(&P)... = 33053"),
    QStringLiteral("    手册预览(&V) = 33054"),
    QStringLiteral("    手册存为PDF(&F)... = 33055"),
    QStringLiteral("    ----"),
    QStringLiteral("    只含浏览结果(&R) = 33056"),
    QStringLiteral("  ----"),
    QStringLiteral("  导入(&I)... = 33050"),
    QStringLiteral("  导出全部药物(&E)... = 33051"),
    QStringLiteral("  导出浏览结果(&B)... = 33052"),
    QStringLiteral("  合并字典(&G)... = 33110"),
    QStringLiteral("  ----"),
    QStringLiteral("  最近编辑文件(&L) = 57616"),
    QStringLiteral("  ----"),
    QStringLiteral("  退出(&X) = 57665"),
    QStringLiteral("编辑(&E) >"),
    QStringLiteral("  工具条 >"),
    QStringLiteral("    标准工具条 = 105"),
    QStringLiteral("    药物工具条 = 106"),
    QStringLiteral("  ----"),
    QStringLiteral("  撤消(&U)\tCtrl+Z = 57643"),
    QStringLiteral("  ----"),
    QStringLiteral("  剪切(&T)\tCtrl+X = 57635"),
    QStringLiteral("  复制(&C)\tCtrl+C = 57634"),
    QStringLiteral("  粘贴(&P)\tCtrl+V = 57637"),
    QStringLiteral("药物(&D) >"),
    QStringLiteral("  撤消记录改动(&Z)\tCtrl+Alt+Z = 33100"),
    QStringLiteral("  重做记录改动(&Y)\tCtrl+Alt+Y = 33101"),
    QStringLiteral("  ----"),
    QStringLiteral("  追加(&A)...\tIns = 32775"),
    QStringLiteral("  修改(&M)...\tF2 = 32791"),
    QStringLiteral("  删除(&D)\tDel = 32778"),
    QStringLiteral("  ----"),
    QStringLiteral("  查询(&S)...\tF3 = 32774"),
    QStringLiteral("  快速查找(&F)\tCtrl+F = 33001"),
    QStringLiteral("  在所有字典中查找(&L)\tCtrl+Shift+F = 33105"),
    QStringLiteral("  ----"),
    QStringLiteral("  后退(&B)\tAlt+Left = 33103"),
    QStringLiteral("  前进(&W)\tAlt+Right = 33104"),
    QStringLiteral("  最近查看(&R) >"),
    QStringLiteral("  ----"),
    QStringLiteral("  查询选项(&O) >"),
    QStringLiteral("    按品名排序 = 102"),
    QStringLiteral("    按英文排序 = 104"),
    QStringLiteral("    按拼音排序 = 33000"),
    QStringLiteral("    ----"),
    QStringLiteral("    搜索品名 = 114"),
    QStringLiteral("    搜索拼音 = 116"),
    QStringLiteral("    搜索别名 = 117"),
    QStringLiteral("    搜索英文 = 115"),
    QStringLiteral("    搜索功能 = 118"),
    QStringLiteral("    搜索用法 = 119"),
    QStringLiteral("    搜索禁忌 = 120"),
    QStringLiteral("    ----"),
    QStringLiteral("    全部搜索 = 121"),
    QStringLiteral("  删除选项(&P) >"),
    QStringLiteral("    确认删除 = 32781"),
    QStringLiteral("窗口(&W) >"),
    QStringLiteral("  放大(&I)\tCtrl++ = 33057"),
    QStringLiteral("  缩小(&O)\tCtrl+- = 33058"),
    QStringLiteral("  原始大小(&Z)\tCtrl+0 = 33059"),
    QStringLiteral("  ----"),
    QStringLiteral("  层叠(&C) = 57650"),
    QStringLiteral("  平铺(&T) = 57651"),
    QStringLiteral("  排列图标(&A) = 57649"),
    QStringLiteral("帮助(&H) >"),
    QStringLiteral("  用户指南(&G)\tF1 = 33060"),
    QStringLiteral("  关于(&A)... = 57664"),
};

QMenu* TopMenu(CMainFrame& frame, const QString& title) {
    for (QAction* top : frame.menuBar()->actions()) {
        if (top->text() == title) {
            return top->menu();
        }
    }
    return nullptr;
}

// Opens menu as the user does, so that it brings itself up to date.
void Open(QMenu& menu) {
    menu.popup(QPoint(0, 0));
    QCoreApplication::processEvents();
    menu.hide();
}

std::vector<QAction*> RecentFileItems(const QMenu& menu) {
    std::vector<QAction*> items;
    for (QAction* action : menu.actions()) {
        const unsigned id = action->data().toUInt();
        const auto first = static_cast<unsigned>(platform::ID_FILE_MRU_FILE1);
        if (id >= first && id < first + 16) {
            items.push_back(action);
        }
    }
    return items;
}

// ---- Which menus show ----

TEST_F(MainFrameTest, MenusFollowWhetherADictionaryWindowIsOpen) {
    ShowFrame();
    EXPECT_FALSE(frame->ShowsDictionaryMenus());
    EXPECT_EQ(Describe(*frame->menuBar()), EXPECTED_MENU_128);

    CZorvikDrugDoc* first = NewDictionary();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(frame->ShowsDictionaryMenus());
    EXPECT_EQ(Describe(*frame->menuBar()), EXPECTED_MENU_130);

    CZorvikDrugDoc* second = NewDictionary();
    ASSERT_NE(second, nullptr);
    docTemplate->CloseDocument(*second);
    ProcessEvents();
    EXPECT_TRUE(frame->ShowsDictionaryMenus()) << "one dictionary window is still open";
    EXPECT_EQ(frame->ActiveDrugFrame(), DrugFrameOf(*first));
    EXPECT_EQ(Describe(*frame->menuBar()), EXPECTED_MENU_130);

    docTemplate->CloseDocument(*first);
    ProcessEvents();
    EXPECT_FALSE(frame->ShowsDictionaryMenus());
    EXPECT_EQ(Describe(*frame->menuBar()), EXPECTED_MENU_128);
}

TEST_F(MainFrameTest, CloseCommandOfTheLastWindowBringsBackTheFirstMenus) {
    ShowFrame();
    ASSERT_NE(NewDictionary(), nullptr);
    ASSERT_TRUE(frame->ShowsDictionaryMenus());

    frame->Action(platform::ID_FILE_CLOSE).trigger();
    ProcessEvents();
    EXPECT_TRUE(docTemplate->GetDocuments().empty());
    EXPECT_FALSE(frame->ShowsDictionaryMenus());
    EXPECT_EQ(Describe(*frame->menuBar()), EXPECTED_MENU_128);
}

TEST_F(MainFrameTest, MenusStayCompleteWhenOpened) {
    ShowFrame();
    for (QAction* top : frame->menuBar()->actions()) {
        Open(*top->menu());
    }
    EXPECT_EQ(Describe(*frame->menuBar()), EXPECTED_MENU_128);

    ASSERT_NE(NewDictionary(), nullptr);
    for (QAction* top : frame->menuBar()->actions()) {
        Open(*top->menu());
    }
    EXPECT_EQ(Describe(*frame->menuBar()), EXPECTED_MENU_130);
}

// ---- Recent files ----

TEST_F(MainFrameTest, RecentFilePlaceholderIsGrayedWhileTheListIsEmpty) {
    ShowFrame();
    for (bool dictionaryOpen : {false, true}) {
        if (dictionaryOpen) {
            ASSERT_NE(NewDictionary(), nullptr);
        }
        QMenu* file = TopMenu(*frame, QStringLiteral("文件(&F)"));
        ASSERT_NE(file, nullptr);
        Open(*file);
        const std::vector<QAction*> items = RecentFileItems(*file);
        ASSERT_EQ(items.size(), 1u) << dictionaryOpen;
        EXPECT_EQ(items[0]->text(), QStringLiteral("最近编辑文件(&L)"));
        EXPECT_FALSE(items[0]->isEnabled()) << dictionaryOpen;
    }
}

TEST_F(MainFrameTest, RecentFilesTakeThePlaceholdersPlaceNewestFirst) {
    ShowFrame();
    const QStringList paths = {files.filePath(QStringLiteral("一.zvk")),
                               files.filePath(QStringLiteral("two.zvk")),
                               files.filePath(QStringLiteral("three.zvk"))};
    for (const QString& path : paths) {
        recentFiles.Add(path);
    }

    for (bool dictionaryOpen : {false, true}) {
        if (dictionaryOpen) {
            ASSERT_NE(NewDictionary(), nullptr);
        }
        QMenu* file = TopMenu(*frame, QStringLiteral("文件(&F)"));
        ASSERT_NE(file, nullptr);
        Open(*file);

        const std::vector<QAction*> items = RecentFileItems(*file);
        ASSERT_EQ(items.size(), 3u) << dictionaryOpen;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const QString expected = paths[static_cast<int>(paths.size() - 1 - i)];
            EXPECT_EQ(items[i]->data().toUInt(),
                      static_cast<unsigned>(platform::ID_FILE_MRU_FILE1) + i);
            EXPECT_TRUE(items[i]->isEnabled());
            EXPECT_TRUE(items[i]->text().contains(QFileInfo(expected).fileName()))
                << items[i]->text().toStdString();
            EXPECT_EQ(items[i]->statusTip(), QStringLiteral("打开该文档"));
        }
        // Where the placeholder was: between the separators before "退出(&X)".
        const QList<QAction*> all = file->actions();
        const qsizetype first = all.indexOf(items.front());
        const qsizetype last = all.indexOf(items.back());
        ASSERT_GT(first, 0);
        EXPECT_TRUE(all[first - 1]->isSeparator());
        EXPECT_TRUE(all[last + 1]->isSeparator());
        EXPECT_EQ(platform::CommandOf(*all[last + 2]), platform::ID_APP_EXIT);
        EXPECT_EQ(last + 3, all.size());

        // Choosing one tells the application which.
        application.recentFiles.clear();
        items[1]->trigger();
        EXPECT_EQ(application.recentFiles, std::vector<int>{1});
    }
}

// ---- Prompts and tool tips ----

struct Prompt {
    unsigned id;
    const char* statusText;
    const char* toolTip;  // empty for a command without one
};

const Prompt PROMPTS[] = {
    {57600, "建立新文档", "新建"},
    {57601, "打开一个现有文档", "打开"},
    {57602, "关闭活动文档", "关闭"},
    {57603, "保存活动文档", "保存"},
    {57604, "将活动文档以一个新文件名保存", "另存为"},
    {57607, "打印活动文档", "打印"},
    {57609, "显示整页", "打印预览"},
    {57606, "改变打印机及打印选项", "打印设置"},
    {57665, "退出应用程序；提示保存文档", "退出"},
    {57664, "显示程序信息，版本号和版权", "关于"},
    {105, "显示，隐藏标准工具条", ""},
    {106, "显示，隐藏药物工具条", ""},
    {57643, "撤消最后一步操作", "撤消"},
    {57635, "剪切被选对象并将其置于剪贴板上", "剪切"},
    {57634, "复制被选对象并将其置于剪贴板上", "复制"},
    {57637, "插入剪贴板内容", "粘贴"},
    {57650, "排列窗口成相互重叠", "层叠窗口"},
    {57651, "排列窗口成互不重叠", "平铺窗口"},
    {57649, "将图标排列在窗口底部", "排列图标"},
    {57680, "切换到下一个窗格", "下一窗格"},
    {57681, "切换回前一个窗格", "前一窗格"},
    {32774, "浏览记录", "浏览"},
    {32775, "追加记录", "追加"},
    {32778, "删除当前记录", "删除"},
    {32791, "修改当前药物", "修改当前药物"},
    {32792, "保存对当前Quorbex的改变", "保存对当前Quorbex的改变"},
    {32781, "删除记录时弹出确认对话框", ""},
};

TEST_F(MainFrameTest, EveryCommandCarriesItsStatusPromptAndToolTip) {
    NewDictionary();
    for (const Prompt& prompt : PROMPTS) {
        QAction* action = &frame->Action(platform::CommandId{prompt.id});
        EXPECT_EQ(action->statusTip(), QString::fromUtf8(prompt.statusText)) << prompt.id;
        if (*prompt.toolTip != '\0') {
            EXPECT_EQ(action->toolTip(), QString::fromUtf8(prompt.toolTip)) << prompt.id;
        }
    }
}

TEST_F(MainFrameTest, ToolBarButtonsShowTheirToolTips) {
    for (const Prompt& prompt : PROMPTS) {
        if (QWidget* button = frame->ToolBarButton(platform::CommandId{prompt.id})) {
            EXPECT_EQ(button->toolTip(), QString::fromUtf8(prompt.toolTip)) << prompt.id;
        }
    }
    // Every button of both bars was among them.
    for (unsigned id :
         {57600u, 57601u, 57635u, 57634u, 57637u, 57664u, 32792u, 32791u, 32775u, 32778u, 32774u}) {
        EXPECT_NE(frame->ToolBarButton(platform::CommandId{id}), nullptr) << id;
    }
}

// Points the mouse at item of the open menu.
void PointAt(QMenu& menu, platform::CommandId id) {
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator() && platform::CommandOf(*action) == id) {
            QTest::mouseMove(&menu, menu.actionGeometry(action).center());
            QCoreApplication::processEvents();
            return;
        }
    }
    ADD_FAILURE() << "no item " << id;
}

// Opens the menu titled title from the menu bar, as a click on the title does.
QMenu* OpenFromMenuBar(CMainFrame& frame, const char* title) {
    QMenu* menu = TopMenu(frame, QString::fromUtf8(title));
    if (menu == nullptr) {
        ADD_FAILURE() << "no menu " << title;
        return nullptr;
    }
    frame.menuBar()->setActiveAction(menu->menuAction());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
    return menu;
}

struct PointedItem {
    const char* menu;
    platform::CommandId id;
    const char* prompt;
};

void ExpectPromptsWhenPointedAt(CMainFrame& frame, std::initializer_list<PointedItem> items,
                                bool enabled) {
    for (const PointedItem& item : items) {
        QMenu* menu = OpenFromMenuBar(frame, item.menu);
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator() && platform::CommandOf(*action) == item.id) {
                ASSERT_EQ(action->isEnabled(), enabled) << item.id;
            }
        }
        frame.statusBar()->clearMessage();
        PointAt(*menu, item.id);
        EXPECT_EQ(frame.statusBar()->currentMessage(), QString::fromUtf8(item.prompt)) << item.id;
        menu->hide();
        QCoreApplication::processEvents();
    }
}

TEST_F(MainFrameTest, PointingAtAMenuItemShowsItsPromptInTheStatusBar) {
    ShowFrame();
    NewDictionary();
    ExpectPromptsWhenPointedAt(
        *frame,
        {{"文件(&F)", platform::ID_FILE_OPEN, "打开一个现有文档"},
         {"文件(&F)", platform::ID_FILE_SAVE_AS, "将活动文档以一个新文件名保存"},
         {"窗口(&W)", platform::ID_WINDOW_CASCADE, "排列窗口成相互重叠"},
         {"帮助(&H)", platform::ID_APP_ABOUT, "显示程序信息，版本号和版权"}},
        true);
}

TEST_F(MainFrameTest, PointingAtAGrayedMenuItemShowsItsPromptToo) {
    ShowFrame();
    NewDictionary();
    ExpectPromptsWhenPointedAt(*frame,
                               {{"文件(&F)", platform::ID_FILE_MRU_FILE1, "打开该文档"},
                                {"编辑(&E)", platform::ID_EDIT_UNDO, "撤消最后一步操作"}},
                               false);
}

// ---- Accelerators ----

struct Accelerator {
    const char* keys;
    unsigned id;
};

const Accelerator ACCELERATORS[] = {
    {"Ctrl+N", 57600},   {"Ctrl+O", 57601},     {"Ctrl+S", 57603},
    {"Ctrl+P", 57607},   {"Ctrl+Z", 57643},     {"Alt+Backspace", 57643},
    {"Ctrl+X", 57635},   {"Shift+Del", 57635},  {"Ctrl+C", 57634},
    {"Ctrl+Ins", 57634}, {"Ctrl+V", 57637},     {"Shift+Ins", 57637},
    {"F6", 57680},       {"Shift+F6", 57681},   {"Ins", 32775},
    {"F2", 32791},       {"Del", 32778},        {"F3", 32774},
    {"Ctrl+F", 33001},   {"Ctrl+Alt+Z", 33100}, {"Ctrl+Alt+Y", 33101},
    {"Ctrl++", 33057},   {"Ctrl+=", 33057},     {"Ctrl+-", 33058},
    {"Ctrl+0", 33059},   {"F1", 33060},
};

TEST_F(MainFrameTest, AcceleratorsBelongToTheirCommands) {
    for (const Accelerator& accelerator : ACCELERATORS) {
        QAction* action = &frame->Action(platform::CommandId{accelerator.id});
        EXPECT_TRUE(action->shortcuts().contains(QKeySequence(QString::fromUtf8(accelerator.keys))))
            << accelerator.keys;
    }
    // No key belongs to two commands.
    QList<QKeySequence> seen;
    for (const platform::CommandSpec& command : COMMANDS) {
        for (const QKeySequence& keys : frame->Action(command.id).shortcuts()) {
            EXPECT_FALSE(seen.contains(keys)) << keys.toString().toStdString();
            seen.append(keys);
        }
    }
}

TEST_F(MainFrameTest, KeysReachTheApplicationWithoutADictionary) {
    ShowFrame();
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));

    QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(frame.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(application.commands,
              (std::vector<platform::CommandId>{platform::ID_FILE_NEW, platform::ID_FILE_OPEN}));
}

TEST_F(MainFrameTest, F6AndShiftF6MoveTheFocusBetweenThePanes) {
    ShowFrame();
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    CZorvikDrugDoc* document = OpenDictionary({"A", "B"});
    ASSERT_NE(document, nullptr);
    CZorvikDrugFrame* window = DrugFrameOf(*document);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->TreeView()->hasFocus());

    const struct {
        Qt::KeyboardModifiers modifiers;
        QWidget* focus;
    } steps[] = {
        {Qt::NoModifier, window->TextView()},
        {Qt::NoModifier, window->TreeView()},
        {Qt::ShiftModifier, window->TextView()},
        {Qt::ShiftModifier, window->TreeView()},
    };
    for (const auto& step : steps) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, step.modifiers);
        EXPECT_EQ(QApplication::focusWidget(), step.focus);
        EXPECT_EQ(window->ActivePane(), step.focus);
    }
}

}  // namespace
}  // namespace quorbex::testing
