#include "frames/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTextDocument>
#include <QToolBar>
#include <QUndoStack>
#include <QWheelEvent>
#include <algorithm>

#include "document/zorvik_drug_doc.h"
#include "frames/drop_down_tool_button.h"
#include "frames/lock_keys.h"
#include "frames/quick_search_box.h"
#include "frames/zorvik_drug_frame.h"
#include "platform/command_actions.h"
#include "platform/document_template.h"
#include "platform/message_box.h"
#include "platform/recent_file_list.h"
#include "platform/user_interface.h"
#include "resources/commands.h"
#include "resources/icon_ids.h"
#include "resources/menus.h"
#include "resources/strings.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex {

namespace {

constexpr int SCREEN_HEIGHT_MARGIN = 30;

// The commands that work on the active dictionary window or its document,
// besides the options of its drop-down menus.
constexpr unsigned DICTIONARY_COMMANDS[] = {
    platform::ID_FILE_CLOSE,
    platform::ID_FILE_SAVE,
    platform::ID_FILE_SAVE_AS,
    platform::ID_FILE_PRINT,
    platform::ID_FILE_PRINT_PREVIEW,
    platform::ID_NEXT_PANE,
    platform::ID_PREV_PANE,
    ID_DRUG_SAVE,
    ID_DRUG_MODIFY,
    ID_DRUG_APPEND,
    ID_DRUG_DELETE,
    ID_DRUG_SEARCH,
    ID_QUICK_SEARCH,
    ID_FILE_EXPORT_ALL,
    ID_FILE_EXPORT_RESULTS,
    ID_HANDBOOK_PRINT,
    ID_HANDBOOK_PREVIEW,
    ID_HANDBOOK_PDF,
};

// The text size is remembered in the user's settings, as steps of one point
// from the program's font.
const QString ZOOM_KEY = QStringLiteral("View/Zoom");
constexpr int MOST_ZOOM_OUT = -4;
constexpr int MOST_ZOOM_IN = 16;

// The active document's options, as its drop-down menus offer them.
constexpr std::span<const unsigned> OPTION_MENUS[] = {SEARCH_OPTIONS_MENU, DELETE_OPTIONS_MENU};

QString MenuText(const char* text) {
    return QCoreApplication::translate(MENUS_CONTEXT, text);
}

bool HasDynamicPart(std::span<const MenuEntry> entries) {
    return std::any_of(entries.begin(), entries.end(), [](const MenuEntry& entry) {
        return entry.kind == MenuKind::RecentFiles || entry.kind == MenuKind::WindowList;
    });
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

    m_actions = std::make_unique<platform::CommandActions>(COMMANDS, *this);
    m_zoom = std::clamp(QSettings().value(ZOOM_KEY, 0).toInt(), MOST_ZOOM_OUT, MOST_ZOOM_IN);
    CreateToolBars();
    CreateStatusBar();
    m_menusWithoutDictionary = BuildMenus(MENUS_WITHOUT_DICTIONARY);
    m_menusWithDictionary = BuildMenus(MENUS_WITH_DICTIONARY);
    ConnectCommands();

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnActiveWindowChanged);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::UpdateActions);
    qApp->installEventFilter(this);

    OnActiveWindowChanged();
    UpdateLockPanes();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
}

QAction* CMainFrame::Action(unsigned id) {
    return m_actions->Action(id);
}

void CMainFrame::ConnectCommands() {
    const auto on = [this](unsigned id, auto handler) {
        connect(m_actions->Action(id), &QAction::triggered, this, handler);
    };
    const auto onDocument = [this, &on](unsigned id, auto handler) {
        on(id, [this, handler] {
            if (CZorvikDrugDoc* document = ActiveDocument()) {
                handler(*document);
            }
        });
    };
    const auto onTextView = [this, &on](unsigned id, auto handler) {
        on(id, [this, handler] {
            if (CZorvikDrugView* text = ActiveTextView()) {
                handler(*text);
            }
        });
    };

    on(platform::ID_APP_EXIT, [this] { close(); });
    on(platform::ID_WINDOW_CASCADE, [this] { m_mdiArea->cascadeSubWindows(); });
    on(platform::ID_WINDOW_TILE_HORZ, [this] { TileHorizontally(); });
    on(platform::ID_WINDOW_ARRANGE, [this] { ArrangeIcons(); });
    for (const unsigned id : {ID_TOGGLE_STANDARD_BAR, ID_TOGGLE_DRUG_BAR}) {
        on(id, [this, id] { OnToggleBar(id); });
    }
    on(ID_VIEW_ZOOM_IN, [this] { SetZoom(m_zoom + 1); });
    on(ID_VIEW_ZOOM_OUT, [this] { SetZoom(m_zoom - 1); });
    on(ID_VIEW_ZOOM_RESET, [this] { SetZoom(0); });
    for (const unsigned id : {platform::ID_NEXT_PANE, platform::ID_PREV_PANE}) {
        on(id, [this] {
            if (CZorvikDrugFrame* frame = ActiveDrugFrame()) {
                frame->OnNextPane();
            }
        });
    }
    // Printing prints the record text, whichever pane has the focus.
    on(platform::ID_FILE_PRINT, [this] {
        if (CZorvikDrugFrame* frame = ActiveDrugFrame()) {
            frame->TextView()->OnFilePrint();
        }
    });
    on(platform::ID_FILE_PRINT_PREVIEW, [this] {
        if (CZorvikDrugFrame* frame = ActiveDrugFrame()) {
            frame->TextView()->OnFilePrintPreview();
        }
    });
    onTextView(platform::ID_EDIT_UNDO, [](CZorvikDrugView& text) { text.undo(); });
    onTextView(platform::ID_EDIT_CUT, [](CZorvikDrugView& text) { text.cut(); });
    onTextView(platform::ID_EDIT_COPY, [](CZorvikDrugView& text) { text.copy(); });
    onTextView(platform::ID_EDIT_PASTE, [](CZorvikDrugView& text) { text.paste(); });

    onDocument(platform::ID_FILE_SAVE, [](CZorvikDrugDoc& document) { document.OnFileSave(); });
    onDocument(platform::ID_FILE_SAVE_AS,
               [](CZorvikDrugDoc& document) { document.OnFileSaveAs(); });
    onDocument(platform::ID_FILE_CLOSE, [](CZorvikDrugDoc& document) { document.OnFileClose(); });
    onDocument(ID_DRUG_SAVE, [](CZorvikDrugDoc& document) { document.OnDrugSave(); });
    onDocument(ID_DRUG_MODIFY, [](CZorvikDrugDoc& document) { document.OnDrugModify(); });
    onDocument(ID_DRUG_APPEND, [](CZorvikDrugDoc& document) { document.OnDrugAppend(); });
    onDocument(ID_DRUG_DELETE, [](CZorvikDrugDoc& document) { document.OnDrugDelete(); });
    onDocument(ID_DRUG_SEARCH, [](CZorvikDrugDoc& document) { document.OnDrugSearch(); });
    on(ID_QUICK_SEARCH, [this] { m_quickSearch->FocusBox(); });
    onDocument(ID_RECORD_UNDO, [](CZorvikDrugDoc& document) { document.OnRecordUndo(); });
    onDocument(ID_RECORD_REDO, [](CZorvikDrugDoc& document) { document.OnRecordRedo(); });
    onDocument(ID_CONFIRM_DELETE, [](CZorvikDrugDoc& document) { document.OnConfirmDelete(); });
    for (const unsigned id : SEARCH_OPTIONS_MENU) {
        if (id == ID_SORT_BY_TRADE_NAME || id == ID_SORT_BY_ENGLISH_NAME ||
            id == ID_SORT_BY_PINYIN) {
            onDocument(id, [id](CZorvikDrugDoc& document) { document.OnSortKey(id); });
        } else if (id != 0) {
            onDocument(id, [id](CZorvikDrugDoc& document) { document.OnSearchField(id); });
        }
    }
}

void CMainFrame::CreateToolBars() {
    m_wndStandardToolBar =
        CreateToolBar(Tr(UiText::StandardToolBarTitle), platform::AFX_IDW_TOOLBAR,
                      STANDARD_TOOL_BAR, QSize(16, 15));
    m_wndStandardToolBar->setObjectName(QStringLiteral("standardToolBar"));
    m_wndDrugToolBar =
        CreateToolBar(Tr(UiText::DrugToolBarTitle), IDW_DRUG_TOOLBAR, DRUG_TOOL_BAR, QSize(32, 15));
    m_wndDrugToolBar->setObjectName(QStringLiteral("drugToolBar"));
    // After the search button.
    m_quickSearch = new QuickSearchBox(m_wndDrugToolBar);
    m_wndDrugToolBar->addWidget(m_quickSearch);

    // Each bar on a row of its own at the top, the standard bar's row first.
    addToolBar(Qt::TopToolBarArea, m_wndStandardToolBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_wndDrugToolBar);
    m_wndStandardToolBar->hide();
    for (QToolBar* bar : {m_wndStandardToolBar, m_wndDrugToolBar}) {
        connect(bar, &QToolBar::visibilityChanged, this, &CMainFrame::OnUpdateToggleBar);
    }
    OnUpdateToggleBar();
}

QToolBar* CMainFrame::CreateToolBar(const QString& title, unsigned barId,
                                    std::span<const ToolBarEntry> entries, QSize iconSize) {
    auto* bar = new QToolBar(title, this);
    bar->setIconSize(iconSize);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->setMovable(true);
    bar->setFloatable(true);
    QMap<unsigned, QWidget*>& buttons = m_buttons[barId];
    for (const ToolBarEntry& entry : entries) {
        if (entry.id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = m_actions->Action(entry.id);
        if (!entry.dropDown) {
            bar->addAction(action);
            buttons.insert(entry.id, bar->widgetForAction(action));
            continue;
        }
        auto* button = new DropDownToolButton(bar);
        button->setDefaultAction(action);
        button->setIconSize(iconSize);
        button->setAutoRaise(true);
        connect(button, &DropDownToolButton::arrowClicked, this, [this, id = entry.id] {
            if (CZorvikDrugDoc* document = ActiveDocument()) {
                document->OnDrugBarDropDown(id);
            }
        });
        bar->addWidget(button);
        buttons.insert(entry.id, button);
    }
    return bar;
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    auto* idle = new QLabel(Tr(UiText::IdleMessage), bar);
    bar->addWidget(idle, 1);

    const auto addPane = [this, bar](unsigned id, const QString& widthText, const QString& text) {
        auto* pane = new QLabel(text, bar);
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(widthText) + 12);
        bar->addPermanentWidget(pane);
        m_panes.insert(id, pane);
    };
    addPane(ID_INDICATOR_RECORDS, Tr(UiText::RecordsPaneWidth),
            Tr(UiText::RecordsPane).arg(0).arg(0));
    addPane(platform::ID_INDICATOR_CAPS, Tr(UiText::CapsLockPane), QString());
    addPane(platform::ID_INDICATOR_NUM, Tr(UiText::NumLockPane), QString());
    addPane(platform::ID_INDICATOR_SCRL, Tr(UiText::ScrollLockPane), QString());
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        // Ctrl and the wheel over a dictionary window's panes size their text.
        case QEvent::Wheel: {
            const auto* wheel = static_cast<QWheelEvent*>(event);
            auto* widget = qobject_cast<QWidget*>(watched);
            if ((wheel->modifiers() & Qt::ControlModifier) != 0 && widget != nullptr &&
                IsDrugPane(widget->parentWidget()) && wheel->angleDelta().y() != 0) {
                SetZoom(m_zoom + (wheel->angleDelta().y() > 0 ? 1 : -1));
                return true;
            }
            break;
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock) {
                UpdateLockPanes();
            }
            break;
        }
        // The keys may have changed while another program had the keyboard.
        case QEvent::ApplicationActivate:
            UpdateLockPanes();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::UpdateLockPanes() {
    const std::optional<LockKeys> locks = ReadLockKeys();
    m_panes.value(platform::ID_INDICATOR_CAPS)
        ->setText(locks && locks->capsLock ? Tr(UiText::CapsLockPane) : QString());
    m_panes.value(platform::ID_INDICATOR_NUM)
        ->setText(locks && locks->numLock ? Tr(UiText::NumLockPane) : QString());
    m_panes.value(platform::ID_INDICATOR_SCRL)
        ->setText(locks && locks->scrollLock ? Tr(UiText::ScrollLockPane) : QString());
}

QList<QMenu*> CMainFrame::BuildMenus(std::span<const TopMenu> menus) {
    QList<QMenu*> built;
    for (const TopMenu& top : menus) {
        auto* menu = new QMenu(MenuText(top.title), this);
        const std::span<const MenuEntry> entries = top.entries;
        FillMenu(*menu, entries);
        if (HasDynamicPart(entries)) {
            // Filled again as it opens, so that the recent files and windows are current.
            connect(menu, &QMenu::aboutToShow, this, [this, menu, entries] {
                menu->clear();
                FillMenu(*menu, entries);
            });
        }
        built.append(menu);
    }
    return built;
}

void CMainFrame::FillMenu(QMenu& menu, std::span<const MenuEntry> entries) {
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
            case MenuKind::Command:
                menu.addAction(m_actions->Action(entry.id));
                break;
            case MenuKind::Separator:
                menu.addSeparator();
                break;
            case MenuKind::Submenu:
                FillMenu(*menu.addMenu(MenuText(entry.title)), entry.submenu);
                break;
            case MenuKind::RecentFiles:
                FillRecentFiles(menu);
                break;
            case MenuKind::WindowList:
                FillWindowList(menu);
                break;
        }
    }
}

// The recent files take the place of the grayed placeholder.
void CMainFrame::FillRecentFiles(QMenu& menu) {
    QAction* placeholder = m_actions->Action(platform::ID_FILE_MRU_FILE1);
    const QStringList paths = m_recentFiles != nullptr ? m_recentFiles->Paths() : QStringList();
    if (paths.isEmpty()) {
        menu.addAction(placeholder);
        return;
    }
    for (int i = 0; i < paths.size(); ++i) {
        const QString shown =
            menu.fontMetrics().elidedText(QDir::toNativeSeparators(paths[i]), Qt::ElideMiddle, 480);
        QAction* item = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        item->setData(platform::ID_FILE_MRU_FILE1 + static_cast<unsigned>(i));
        item->setStatusTip(placeholder->statusTip());
        connect(item, &QAction::triggered, this, [this, i] { emit recentFileChosen(i); });
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

// Stacks the dictionary windows that are not minimized one above another,
// each as wide as the document area, in the order of the window list.
void CMainFrame::TileHorizontally() {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (window->isVisible() && !window->isMinimized()) {
            windows.append(window);
        }
    }
    if (windows.isEmpty()) {
        return;
    }
    // Restoring a maximized window may leave none active: the active one stays so.
    QMdiSubWindow* active = m_mdiArea->currentSubWindow();
    const QRect area = m_mdiArea->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        // The last window takes what the division leaves over.
        const int top = area.height() * i / count;
        const int bottom = area.height() * (i + 1) / count;
        windows[i]->showNormal();
        windows[i]->setGeometry(0, top, area.width(), bottom - top);
    }
    if (active != nullptr) {
        m_mdiArea->setActiveSubWindow(active);
    }
    OnActiveWindowChanged();
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

void CMainFrame::UpdateMenus() {
    const bool wanted = ActiveDrugFrame() != nullptr;
    if (wanted == m_dictionaryMenus && !menuBar()->actions().isEmpty()) {
        return;
    }
    m_dictionaryMenus = wanted;
    QMenuBar* bar = menuBar();
    bar->clear();
    for (QMenu* menu : wanted ? m_menusWithDictionary : m_menusWithoutDictionary) {
        bar->addMenu(menu);
    }
}

// Follows the dictionary window that became active, or that none is.
void CMainFrame::OnActiveWindowChanged() {
    for (const QMetaObject::Connection& connection : m_activeConnections) {
        disconnect(connection);
    }
    m_activeConnections.clear();
    if (CZorvikDrugFrame* frame = ActiveDrugFrame()) {
        const auto update = [this] { UpdateActions(); };
        m_activeConnections = {
            connect(frame, &CZorvikDrugFrame::activeViewChanged, this, update),
            connect(frame->SubWindow(), &QWidget::windowTitleChanged, this,
                    &CMainFrame::UpdateTitle),
            connect(frame->TextView(), &QPlainTextEdit::undoAvailable, this, update),
            connect(frame->TextView(), &QPlainTextEdit::copyAvailable, this, update),
        };
        if (CZorvikDrugDoc* document = ActiveDocument()) {
            m_activeConnections.append(
                connect(document, &CZorvikDrugDoc::optionsChanged, this, update));
            m_activeConnections.append(
                connect(document, &CZorvikDrugDoc::resultsChanged, this, update));
            m_activeConnections.append(connect(document, &CZorvikDrugDoc::resultsChanged, this,
                                               &CMainFrame::UpdateRecordsPane));
            m_activeConnections.append(
                connect(document, &CZorvikDrugDoc::currentChanged, this, update));
            m_activeConnections.append(
                connect(document, &platform::Document::modifiedChanged, this, update));
            m_activeConnections.append(
                connect(&document->UndoStack(), &QUndoStack::indexChanged, this, update));
        }
    }
    m_quickSearch->Follow(ActiveDrugFrame());
    UpdateRecordsPane();
    UpdateMenus();
    UpdateTitle();
    UpdateActions();
}

CZorvikDrugDoc* CMainFrame::ActiveDocument() const {
    CZorvikDrugFrame* frame = ActiveDrugFrame();
    return frame != nullptr ? qobject_cast<CZorvikDrugDoc*>(&frame->GetDocument()) : nullptr;
}

CZorvikDrugView* CMainFrame::ActiveTextView() const {
    CZorvikDrugFrame* frame = ActiveDrugFrame();
    if (frame == nullptr || frame->GetActiveView() != frame->TextView()) {
        return nullptr;
    }
    return frame->TextView();
}

// Every command's enabled state and mark, from the active dictionary window,
// its document and the bars.
void CMainFrame::UpdateActions() {
    CZorvikDrugDoc* document = ActiveDocument();
    for (const unsigned id : DICTIONARY_COMMANDS) {
        m_actions->Action(id)->setEnabled(document != nullptr);
    }
    for (const std::span<const unsigned> menu : OPTION_MENUS) {
        for (const unsigned id : menu) {
            if (id == 0) {
                continue;
            }
            QAction* option = m_actions->Action(id);
            option->setEnabled(document != nullptr);
            if (document != nullptr) {
                option->setChecked(document->IsOptionChecked(id));
            }
        }
    }

    m_actions->Action(ID_RECORD_UNDO)
        ->setEnabled(document != nullptr && document->UndoStack().canUndo());
    m_actions->Action(ID_RECORD_REDO)
        ->setEnabled(document != nullptr && document->UndoStack().canRedo());

    // The edit commands work on the record text, as in any edit box.
    CZorvikDrugView* text = ActiveTextView();
    const bool selection = text != nullptr && text->textCursor().hasSelection();
    m_actions->Action(platform::ID_EDIT_UNDO)
        ->setEnabled(text != nullptr && text->document()->isUndoAvailable());
    m_actions->Action(platform::ID_EDIT_CUT)->setEnabled(selection);
    m_actions->Action(platform::ID_EDIT_COPY)->setEnabled(selection);
    m_actions->Action(platform::ID_EDIT_PASTE)->setEnabled(text != nullptr && text->canPaste());

    const bool windowsOpen = !m_mdiArea->subWindowList().isEmpty();
    for (const unsigned id : {platform::ID_WINDOW_CASCADE, platform::ID_WINDOW_TILE_HORZ,
                              platform::ID_WINDOW_ARRANGE}) {
        m_actions->Action(id)->setEnabled(windowsOpen);
    }
    // Only a recent file's own item opens it.
    m_actions->Action(platform::ID_FILE_MRU_FILE1)->setEnabled(false);
}

// The counts of the active dictionary, whichever window's tree wrote last;
// 0 and 0 without one.
void CMainFrame::UpdateRecordsPane() {
    CZorvikDrugDoc* document = ActiveDocument();
    SetStatusPaneText(ID_INDICATOR_RECORDS,
                      Tr(UiText::RecordsPane)
                          .arg(document != nullptr ? document->GetRecordCount() : 0)
                          .arg(document != nullptr ? document->GetResultCount() : 0));
}

void CMainFrame::UpdateTitle() {
    CZorvikDrugFrame* frame = ActiveDrugFrame();
    setWindowTitle(frame != nullptr ? platform::ApplicationName() + QStringLiteral(" - ") +
                                          frame->GetDocument().GetTitle()
                                    : platform::ApplicationName());
}

void CMainFrame::AddDrugFrame(CZorvikDrugFrame& frame) {
    QMdiSubWindow* window = frame.SubWindow();
    m_mdiArea->addSubWindow(window);
    m_drugFrames.insert(window, &frame);
    ConnectTree(*frame.TreeView());
    ApplyZoom(frame, m_zoom);
    // The window goes later than its frame: it still tells its state here.
    connect(&frame, &CZorvikDrugFrame::activated, this, &CMainFrame::OnActiveWindowChanged);
    connect(&frame, &QObject::destroyed, this, [this, window = QPointer<QMdiSubWindow>(window)] {
        const bool maximized = window && window->isMaximized();
        m_drugFrames.remove(window);
        // The next window takes the place of a maximized one, maximized too.
        if (QMdiSubWindow* next = m_mdiArea->currentSubWindow(); maximized && next != nullptr) {
            next->showMaximized();
        }
        OnActiveWindowChanged();
    });
    UpdateActions();
}

CMainFrame::WindowArrangement CMainFrame::SaveArrangement() const {
    WindowArrangement arrangement;
    arrangement.active = m_mdiArea->currentSubWindow();
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        arrangement.windows.append({window, window->geometry(), window->windowState()});
    }
    return arrangement;
}

void CMainFrame::RestoreArrangement(const WindowArrangement& arrangement) {
    for (const WindowArrangement::Window& saved : arrangement.windows) {
        if (saved.window) {
            saved.window->setWindowState(saved.state);
            if ((saved.state & (Qt::WindowMaximized | Qt::WindowMinimized)) == 0) {
                saved.window->setGeometry(saved.geometry);
            }
        }
    }
    if (arrangement.active) {
        m_mdiArea->setActiveSubWindow(arrangement.active);
    }
}

bool CMainFrame::IsDrugPane(const QWidget* widget) const {
    for (CZorvikDrugFrame* frame : m_drugFrames) {
        if (widget == frame->TreeView() || widget == frame->TextView()) {
            return true;
        }
    }
    return false;
}

void CMainFrame::SetZoom(int zoom) {
    zoom = std::clamp(zoom, MOST_ZOOM_OUT, MOST_ZOOM_IN);
    if (zoom == m_zoom) {
        return;
    }
    const int before = m_zoom;
    m_zoom = zoom;
    QSettings().setValue(ZOOM_KEY, m_zoom);
    for (CZorvikDrugFrame* frame : m_drugFrames) {
        ApplyZoom(*frame, before);
    }
}

// The record text and the tree take the font size of the zoom; the tree's
// pane grows and shrinks with its text, the record text takes the rest.
void CMainFrame::ApplyZoom(CZorvikDrugFrame& frame, int before) {
    const QFont base = QApplication::font();
    const auto sized = [&base](int zoom) {
        QFont font = base;
        font.setPointSizeF(std::max(1.0, base.pointSizeF() + zoom));
        return font;
    };
    const QFont font = sized(m_zoom);
    frame.TextView()->setFont(font);
    frame.TreeView()->setFont(font);
    // A new window keeps the width its panes were made with.
    QList<int> sizes = frame.Splitter()->sizes();
    if (before != m_zoom && sizes.size() == 2) {
        const int total = sizes[0] + sizes[1];
        const double scale = font.pointSizeF() / sized(before).pointSizeF();
        sizes[0] = std::min(total - 1, static_cast<int>(sizes[0] * scale + 0.5));
        sizes[1] = total - sizes[0];
        frame.Splitter()->setSizes(sizes);
    }
}

// Enter and a double click on a drug modify it; a right click, or the
// context-menu key, on a drug offers the drug menu's commands for it.
void CMainFrame::ConnectTree(CZorvikDrugTreeView& tree) {
    connect(&tree, &QTreeWidget::itemActivated, this, [this, &tree](QTreeWidgetItem* item) {
        if (item != tree.RootItem()) {
            m_actions->Action(ID_DRUG_MODIFY)->trigger();
        }
    });
    tree.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&tree, &QWidget::customContextMenuRequested, this, [this, &tree](QPoint at) {
        QTreeWidgetItem* item = tree.itemAt(at);
        if (item == nullptr) {
            item = tree.currentItem();
            at = item != nullptr ? tree.visualItemRect(item).center() : at;
        }
        if (item == nullptr || item == tree.RootItem()) {
            return;
        }
        tree.setCurrentItem(item);
        QMenu menu(this);
        FillMenu(menu, DRUG_MENU);
        menu.exec(tree.viewport()->mapToGlobal(at));
    });
}

// A window counts from when it first shows, once its document has opened:
// while a file is being opened (and its failure reported) there is none.
CZorvikDrugFrame* CMainFrame::ActiveDrugFrame() const {
    QMdiSubWindow* window = m_mdiArea->currentSubWindow();
    return window != nullptr && !window->isHidden() ? m_drugFrames.value(window) : nullptr;
}

QWidget* CMainFrame::ToolBarButton(unsigned toolBarId, unsigned commandId) const {
    return m_buttons.value(toolBarId).value(commandId);
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
        OnUpdateToggleBar();
    }
}

void CMainFrame::OnUpdateToggleBar() {
    m_actions->Action(ID_TOGGLE_STANDARD_BAR)->setChecked(!m_wndStandardToolBar->isHidden());
    m_actions->Action(ID_TOGGLE_DRUG_BAR)->setChecked(!m_wndDrugToolBar->isHidden());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    const int answer = m_ui.MessageBox(Tr(UiText::ExitQuestion), Tr(UiText::ExitCaption),
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
