#include "frames/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "frames/drop_down_tool_button.h"
#include "frames/lock_keys.h"
#include "frames/zorvik_drug_frame.h"
#include "platform/document.h"
#include "platform/document_template.h"
#include "platform/message_box.h"
#include "platform/recent_file_list.h"
#include "platform/user_interface.h"
#include "platform/view.h"
#include "resources/icon_ids.h"
#include "resources/menus.h"

namespace quorbex {

using platform::CmdUI;

namespace {

constexpr int SCREEN_HEIGHT_MARGIN = 30;
constexpr int COMMAND_UPDATE_INTERVAL_MS = 250;

QString PromptOf(unsigned id) {
    for (const PromptString& prompt : PROMPT_STRINGS) {
        if (prompt.id == id) {
            return QString::fromUtf8(prompt.text);
        }
    }
    return QString();
}

QString MenuText(const char* text) {
    return QString::fromUtf8(text);
}

// Menus in which a grayed item can be pointed at, so that the status bar
// tells what it would do, as it does for the other items.
class MenuPromptStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Menu_AllowActiveAndDisabled) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

CMainFrame::CMainFrame(platform::UserInterface& ui, QSize screenSize)
    : m_ui(ui), m_mdiArea(new QMdiArea(this)) {
    setWindowTitle(platform::ApplicationName());
    setWindowIcon(QIcon(IconPath(IDR_MAINFRAME)));
    // A minimize box but no maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    move(0, 0);
    resize(screenSize.width(), screenSize.height() - SCREEN_HEIGHT_MARGIN);

    if (dynamic_cast<MenuPromptStyle*>(QApplication::style()) == nullptr) {
        QApplication::setStyle(new MenuPromptStyle);
    }
    setCentralWidget(m_mdiArea);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    for (const PromptString& prompt : PROMPT_STRINGS) {
        // Recent files get an item each when their menu opens.
        if (prompt.id != platform::ID_FILE_MRU_FILE1) {
            CreateAction(prompt.id);
        }
    }
    for (const Accelerator& accelerator : ACCELERATORS_128) {
        QAction* action = CreateAction(accelerator.id);
        QList<QKeySequence> keys = action->shortcuts();
        keys.append(QKeySequence(QString::fromUtf8(accelerator.keys)));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }

    CreateToolBars();
    CreateStatusBar();
    UpdateMenus();

    Commands().OnRange(ID_TOGGLE_STANDARD_BAR, 110, [this](unsigned id) { OnToggleBar(id); });
    Commands().OnUpdateRange(ID_TOGGLE_STANDARD_BAR, 110,
                             [this](CmdUI& cmdUi) { OnUpdateToggleBar(cmdUi); });
    Commands().On(platform::ID_APP_EXIT, [this] { close(); });
    Commands().On(platform::ID_WINDOW_CASCADE, [this] { m_mdiArea->cascadeSubWindows(); });
    Commands().On(platform::ID_WINDOW_TILE_HORZ, [this] { m_mdiArea->tileSubWindows(); });
    Commands().On(platform::ID_WINDOW_ARRANGE, [this] { ArrangeIcons(); });
    const auto windowsOpen = [this](CmdUI& cmdUi) {
        cmdUi.Enable(!m_mdiArea->subWindowList().isEmpty());
    };
    Commands().OnUpdate(platform::ID_WINDOW_CASCADE, windowsOpen);
    Commands().OnUpdate(platform::ID_WINDOW_TILE_HORZ, windowsOpen);
    Commands().OnUpdate(platform::ID_WINDOW_ARRANGE, windowsOpen);

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] {
        UpdateMenus();
        UpdateTitle();
        UpdateCommandStates();
    });
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, [this] {
        UpdateCommandStates();
        UpdateLockPanes();
    });
    idle->start(COMMAND_UPDATE_INTERVAL_MS);
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::CreateAction(unsigned id) {
    if (QAction* existing = m_actions.value(id)) {
        return existing;
    }
    auto* action = new QAction(this);
    const QStringList prompt = PromptOf(id).split(QLatin1Char('\n'));
    action->setStatusTip(prompt.value(0));
    action->setToolTip(prompt.value(1));
    const QString icon = CommandIconPath(id);
    if (!icon.isEmpty()) {
        action->setIcon(QIcon(icon));
    }
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { SendCommand(id); });
    m_actions.insert(id, action);
    return action;
}

void CMainFrame::CreateToolBars() {
    m_wndStandardToolBar = new QToolBar(QStringLiteral("工具条"), this);
    m_wndStandardToolBar->setObjectName(QStringLiteral("standardToolBar"));
    m_wndStandardToolBar->setIconSize(QSize(16, 15));
    for (unsigned id : STANDARD_TOOL_BAR) {
        if (id == 0) {
            m_wndStandardToolBar->addSeparator();
        } else {
            m_wndStandardToolBar->addAction(m_actions.value(id));
        }
    }

    m_wndDrugToolBar = new QToolBar(QStringLiteral("药物工具条"), this);
    m_wndDrugToolBar->setObjectName(QStringLiteral("drugToolBar"));
    m_wndDrugToolBar->setIconSize(QSize(32, 15));
    for (unsigned id : DRUG_TOOL_BAR) {
        if (id == 0) {
            m_wndDrugToolBar->addSeparator();
            continue;
        }
        QAction* action = m_actions.value(id);
        if (id == ID_DRUG_SEARCH || id == ID_DRUG_DELETE) {
            auto* button = new DropDownToolButton(m_wndDrugToolBar);
            button->setDefaultAction(action);
            button->setIconSize(m_wndDrugToolBar->iconSize());
            button->setAutoRaise(true);
            connect(button, &DropDownToolButton::arrowClicked, this, [this, id] {
                platform::RouteNotify(Chain(), {IDW_DRUG_TOOLBAR, platform::TBN_DROPDOWN, id});
                UpdateCommandStates();
            });
            m_wndDrugToolBar->addWidget(button);
            m_drugButtons.insert(id, button);
        } else {
            m_wndDrugToolBar->addAction(action);
            m_drugButtons.insert(id, m_wndDrugToolBar->widgetForAction(action));
        }
    }

    for (QToolBar* bar : {m_wndStandardToolBar, m_wndDrugToolBar}) {
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setMovable(true);
        bar->setFloatable(true);
    }
    // Each bar on a row of its own at the top, the standard bar's row first.
    addToolBar(Qt::TopToolBarArea, m_wndStandardToolBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_wndDrugToolBar);
    m_wndStandardToolBar->hide();
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    auto* idle = new QLabel(MenuText(IDLE_MESSAGE), bar);
    bar->addWidget(idle, 1);

    const auto addPane = [this, bar](unsigned id, const QString& widthText, const QString& text) {
        auto* pane = new QLabel(text, bar);
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(widthText) + 12);
        bar->addPermanentWidget(pane);
        m_panes.insert(id, pane);
    };
    addPane(ID_INDICATOR_RECORDS, QStringLiteral("库文件记录:0000条,当前列表记录:0000条"),
            QStringLiteral("库文件记录:%1条,当前浏览结果:%2条").arg(0).arg(0));
    addPane(platform::ID_INDICATOR_CAPS, QStringLiteral("大写"), QString());
    addPane(platform::ID_INDICATOR_NUM, QStringLiteral("数字"), QString());
    addPane(platform::ID_INDICATOR_SCRL, QStringLiteral("滚动"), QString());
}

void CMainFrame::UpdateLockPanes() {
    const std::optional<LockKeys> locks = ReadLockKeys();
    m_panes.value(platform::ID_INDICATOR_CAPS)
        ->setText(locks && locks->capsLock ? QStringLiteral("大写") : QString());
    m_panes.value(platform::ID_INDICATOR_NUM)
        ->setText(locks && locks->numLock ? QStringLiteral("数字") : QString());
    m_panes.value(platform::ID_INDICATOR_SCRL)
        ->setText(locks && locks->scrollLock ? QStringLiteral("滚动") : QString());
}

void CMainFrame::UpdateMenus() {
    const unsigned wanted = ActiveDrugFrame() != nullptr ? 130 : 128;
    if (wanted == m_menuId) {
        return;
    }
    m_menuId = wanted;
    if (wanted == 130) {
        BuildMenus(MENU_130);
    } else {
        BuildMenus(MENU_128);
    }
}

void CMainFrame::BuildMenus(std::span<const TopMenu> menus) {
    QMenuBar* bar = menuBar();
    bar->clear();
    for (const TopMenu& top : menus) {
        QMenu* menu = bar->addMenu(MenuText(top.text));
        const std::span<const MenuEntry> entries = top.entries;
        // Rebuilt as it opens, so that the recent files and windows are current.
        connect(menu, &QMenu::aboutToShow, this, [this, menu, entries] {
            menu->clear();
            FillMenu(*menu, entries);
            UpdateCommandStates();
        });
        FillMenu(*menu, entries);
    }
}

void CMainFrame::FillMenu(QMenu& menu, std::span<const MenuEntry> entries) {
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
            case MenuKind::Item: {
                QAction* action = CreateAction(entry.id);
                action->setText(MenuText(entry.text));
                menu.addAction(action);
                break;
            }
            case MenuKind::Separator:
                menu.addSeparator();
                break;
            case MenuKind::Submenu: {
                QMenu* submenu = menu.addMenu(MenuText(entry.text));
                FillMenu(*submenu, entry.submenu);
                break;
            }
            case MenuKind::RecentFiles:
                FillRecentFiles(menu, entry);
                break;
            case MenuKind::WindowList:
                FillWindowList(menu);
                break;
        }
    }
}

void CMainFrame::FillRecentFiles(QMenu& menu, const MenuEntry& placeholder) {
    const QStringList paths = m_recentFiles != nullptr ? m_recentFiles->Paths() : QStringList();
    if (paths.isEmpty()) {
        QAction* grayed = menu.addAction(MenuText(placeholder.text));
        grayed->setData(placeholder.id);
        grayed->setEnabled(false);
        grayed->setStatusTip(PromptOf(placeholder.id));
        return;
    }
    for (int i = 0; i < paths.size(); ++i) {
        const unsigned id = placeholder.id + static_cast<unsigned>(i);
        const QString shown =
            menu.fontMetrics().elidedText(QDir::toNativeSeparators(paths[i]), Qt::ElideMiddle, 480);
        QAction* action = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        action->setData(id);
        action->setStatusTip(PromptOf(platform::ID_FILE_MRU_FILE1));
        connect(action, &QAction::triggered, this, [this, id] { SendCommand(id); });
    }
}

void CMainFrame::FillWindowList(QMenu& menu) {
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (windows.isEmpty()) {
        return;
    }
    menu.addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        QAction* action =
            menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(window->windowTitle()));
        action->setCheckable(true);
        action->setChecked(window == m_mdiArea->currentSubWindow());
        connect(action, &QAction::triggered, this,
                [this, target = QPointer<QMdiSubWindow>(window)] {
                    if (target) {
                        m_mdiArea->setActiveSubWindow(target);
                    }
                });
    }
}

// Puts the minimized dictionary windows in a row along the bottom edge.
void CMainFrame::ArrangeIcons() {
    int x = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (window->isMinimized()) {
            window->move(x, m_mdiArea->viewport()->height() - window->height());
            x += window->width();
        }
    }
}

void CMainFrame::SendCommand(unsigned id) {
    platform::RouteCommand(Chain(), id);
    UpdateCommandStates();
}

platform::RoutingChain CMainFrame::Chain() const {
    platform::RoutingChain chain;
    if (CZorvikDrugFrame* frame = ActiveDrugFrame()) {
        platform::View* view = frame->GetActiveView();
        chain.push_back(view);
        chain.push_back(view != nullptr ? view->GetDocument() : nullptr);
        chain.push_back(frame);
    }
    chain.push_back(const_cast<CMainFrame*>(this));
    chain.push_back(m_application);
    return chain;
}

void CMainFrame::UpdateCommandStates() {
    const platform::RoutingChain chain = Chain();
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it) {
        CmdUI cmdUi(it.key());
        platform::RouteUpdate(chain, cmdUi);
        it.value()->setEnabled(cmdUi.IsEnabled());
        if (cmdUi.HasCheck()) {
            it.value()->setCheckable(true);
            it.value()->setChecked(cmdUi.IsChecked());
        }
    }
}

void CMainFrame::UpdateTitle() {
    CZorvikDrugFrame* frame = ActiveDrugFrame();
    setWindowTitle(frame != nullptr ? platform::ApplicationName() + QStringLiteral(" - ") +
                                          frame->GetDocument().GetTitle()
                                    : platform::ApplicationName());
}

void CMainFrame::AddDrugFrame(CZorvikDrugFrame& frame) {
    m_drugFrames.insert(frame.SubWindow(), &frame);
}

void CMainFrame::RemoveDrugFrame(CZorvikDrugFrame& frame) {
    for (auto it = m_drugFrames.begin(); it != m_drugFrames.end(); ++it) {
        if (it.value() == &frame) {
            m_drugFrames.erase(it);
            break;
        }
    }
    // Once the last dictionary window is gone the menus change back.
    QTimer::singleShot(0, this, [this] {
        UpdateMenus();
        UpdateTitle();
        UpdateCommandStates();
    });
}

CZorvikDrugFrame* CMainFrame::ActiveDrugFrame() const {
    return m_drugFrames.value(m_mdiArea->currentSubWindow());
}

QWidget* CMainFrame::ToolBarButton(unsigned toolBarId, unsigned commandId) const {
    if (toolBarId == IDW_DRUG_TOOLBAR) {
        return m_drugButtons.value(commandId);
    }
    if (toolBarId == platform::AFX_IDW_TOOLBAR) {
        return m_wndStandardToolBar->widgetForAction(m_actions.value(commandId));
    }
    return nullptr;
}

std::optional<QRect> CMainFrame::ToolBarButtonRect(unsigned toolBarId, unsigned commandId) {
    QWidget* button = ToolBarButton(toolBarId, commandId);
    if (button == nullptr || button->isHidden() || button->parentWidget()->isHidden()) {
        return std::nullopt;
    }
    return QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
}

bool CMainFrame::SetStatusPaneText(unsigned paneId, const QString& text) {
    QLabel* pane = m_panes.value(paneId);
    if (pane == nullptr) {
        return false;
    }
    pane->setText(text);
    pane->repaint();
    return true;
}

void CMainFrame::OnToggleBar(unsigned id) {
    QToolBar* bar = id == ID_TOGGLE_STANDARD_BAR ? m_wndStandardToolBar
                    : id == ID_TOGGLE_DRUG_BAR   ? m_wndDrugToolBar
                                                 : nullptr;
    if (bar != nullptr) {
        bar->setVisible(bar->isHidden());
    }
}

void CMainFrame::OnUpdateToggleBar(CmdUI& cmdUi) {
    if (cmdUi.GetId() == ID_TOGGLE_STANDARD_BAR) {
        cmdUi.SetCheck(!m_wndStandardToolBar->isHidden());
    } else if (cmdUi.GetId() == ID_TOGGLE_DRUG_BAR) {
        cmdUi.SetCheck(!m_wndDrugToolBar->isHidden());
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    const int answer =
        m_ui.MessageBox(QStringLiteral("确认要退出Halvern吗?"), QStringLiteral("退出..."),
                        platform::MB_YESNO | platform::MB_ICONQUESTION);
    if (answer != platform::IDYES || (m_template != nullptr && !m_template->SaveAllModified())) {
        event->ignore();
        return;
    }
    if (m_template != nullptr) {
        m_template->CloseAllDocuments();
    }
    event->accept();
}

namespace {

QStringList DroppedFiles(const QMimeData* data) {
    QStringList paths;
    if (data != nullptr) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                paths.append(url.toLocalFile());
            }
        }
    }
    return paths;
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (m_template != nullptr && !DroppedFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    if (m_template == nullptr) {
        return;
    }
    const QStringList paths = DroppedFiles(event->mimeData());
    if (paths.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    activateWindow();
    for (const QString& path : paths) {
        m_template->OpenDocumentFile(path);
    }
}

}  // namespace quorbex
