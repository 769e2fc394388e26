#include "frames/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusTipEvent>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>

#include "document/zorvik_drug_doc.h"
#include "frames/all_dictionaries_results.h"
#include "frames/drug_history.h"
#include "frames/main_status_bar.h"
#include "frames/quick_search_box.h"
#include "frames/text_zoom.h"
#include "frames/zorvik_drug_frame.h"
#include "platform/command_actions.h"
#include "platform/document_template.h"
#include "platform/menu_builder.h"
#include "platform/recent_file_list.h"
#include "platform/user_interface.h"
#include "resources/commands.h"
#include "resources/menus.h"
#include "resources/search_options.h"
#include "resources/strings.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex {

using platform::CommandId;

namespace {

constexpr int SCREEN_HEIGHT_MARGIN = 30;

// The commands that work on the active dictionary window or its document,
// besides the options of its drop-down menus.
constexpr CommandId DICTIONARY_COMMANDS[] = {
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
    ID_SEARCH_ALL_DICTIONARIES,
    ID_FILE_EXPORT_ALL,
    ID_FILE_EXPORT_RESULTS,
    ID_FILE_MERGE,
    ID_HANDBOOK_PRINT,
    ID_HANDBOOK_PREVIEW,
    ID_HANDBOOK_PDF,
};

// A popup menu is a window of its own: the prompts of its items reach the
// main window's status bar only when it passes them on.
void ShowPromptsIn(QMenu& menu, QWidget& window) {
    QObject::connect(&menu, &QMenu::hovered, &window,
                     [&window](QAction* action) { action->showStatusText(&window); });
    QObject::connect(&menu, &QMenu::aboutToHide, &window, [&window] {
        QStatusTipEvent clear{QString()};
        QCoreApplication::sendEvent(&window, &clear);
    });
}

// A dictionary window's window in the document area, titled as the
// dictionary window is. Its close box closes the document, which asks to
// save it first and then destroys the dictionary window, and with it this.
class DrugSubWindow : public QMdiSubWindow {
public:
    DrugSubWindow(CZorvikDrugFrame& frame, const QIcon& icon) : m_frame(&frame) {
        setAttribute(Qt::WA_DeleteOnClose, false);
        setWindowIcon(icon);
        setWidget(&frame);
        setWindowTitle(frame.windowTitle());
        connect(&frame, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
    }
    // The dictionary window belongs to its document's template, not to this.
    ~DrugSubWindow() override {
        if (m_frame) {
            setWidget(nullptr);
        }
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (!m_frame) {
            return;
        }
        CZorvikDrugDoc& document = m_frame->GetDocument();
        if (platform::DocumentTemplate* docTemplate = document.GetDocTemplate()) {
            docTemplate->CloseDocument(document);
        }
    }

private:
    QPointer<CZorvikDrugFrame> m_frame;
};

}  // namespace

CMainFrame::CMainFrame(platform::UserInterface& ui, QSize screenSize)
    : m_ui(ui), m_mdiArea(new QMdiArea(this)), m_zoom(new TextZoom(this)) {
    setWindowTitle(platform::ApplicationName());
    // Its icon is the application's, the same QIcon, whose images are then
    // made once for all windows.
    // A minimize box but no maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    move(0, 0);
    resize(screenSize.width(), screenSize.height() - SCREEN_HEIGHT_MARGIN);

    setCentralWidget(m_mdiArea);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    m_actions = std::make_unique<platform::CommandActions>(COMMANDS, *this);
    m_menuBuilder = std::make_unique<platform::MenuBuilder>(*m_actions, MENUS_CONTEXT);
    m_menuBuilder->SetRecentFiles([this](QMenu& menu) { FillRecentFiles(menu); });
    m_menuBuilder->SetWindowList([this](QMenu& menu) { FillWindowList(menu); });
    m_menuBuilder->SetHistory([this](QMenu& menu) { FillRecentlyViewed(menu); });
    CreateToolBars();
    m_wndStatusBar = new MainStatusBar(this);
    setStatusBar(m_wndStatusBar);
    m_menusWithoutDictionary = m_menuBuilder->BuildMenus(MENUS_WITHOUT_DICTIONARY, *this);
    m_menusWithDictionary = m_menuBuilder->BuildMenus(MENUS_WITH_DICTIONARY, *this);
    m_drugMenu = m_menuBuilder->BuildMenu(QString(), DRUG_MENU, *this);
    ShowPromptsIn(*m_drugMenu, *this);
    ConnectCommands();

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::UpdateActions);
    connect(m_zoom, &TextZoom::changed, this, [this](int before, int now) {
        for (CZorvikDrugFrame* frame : m_drugFrames) {
            frame->ApplyZoom(before, now);
        }
    });

    OnActiveWindowChanged();
}

CMainFrame::~CMainFrame() = default;

QAction& CMainFrame::Action(CommandId id) const {
    return m_actions->Action(id);
}

void CMainFrame::ConnectCommands() {
    const auto on = [this](CommandId id, auto handler) {
        connect(&m_actions->Action(id), &QAction::triggered, this, handler);
    };
    const auto onDocument = [this, &on](CommandId id, auto handler) {
        on(id, [this, handler] {
            if (CZorvikDrugDoc* document = ActiveDocument()) {
                handler(*document);
            }
        });
    };
    const auto onCommands = [this, &on](CommandId id, auto handler) {
        on(id, [this, handler] {
            if (CZorvikDrugFrame* frame = ActiveDrugFrame()) {
                handler(frame->Commands());
            }
        });
    };
    const auto onTextView = [this, &on](CommandId id, auto handler) {
        on(id, [this, handler] {
            if (CZorvikDrugView* text = ActiveTextView()) {
                handler(*text);
            }
        });
    };

    on(platform::ID_APP_EXIT, [this] { close(); });
    on(platform::ID_WINDOW_CASCADE, [this] { CascadeWindows(); });
    on(platform::ID_WINDOW_TILE_HORZ, [this] { TileHorizontally(); });
    on(platform::ID_WINDOW_ARRANGE, [this] { ArrangeIcons(); });
    for (const CommandId id : {ID_TOGGLE_STANDARD_BAR, ID_TOGGLE_DRUG_BAR}) {
        on(id, [this, id] { OnToggleBar(id); });
    }
    on(ID_VIEW_ZOOM_IN, [this] { m_zoom->Step(1); });
    on(ID_VIEW_ZOOM_OUT, [this] { m_zoom->Step(-1); });
    on(ID_VIEW_ZOOM_RESET, [this] { m_zoom->SetLevel(0); });
    for (const CommandId id : {platform::ID_NEXT_PANE, platform::ID_PREV_PANE}) {
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
    onCommands(ID_DRUG_SAVE, [](RecordCommands& commands) { commands.OnDrugSave(); });
    onCommands(ID_DRUG_MODIFY, [](RecordCommands& commands) { commands.OnDrugModify(); });
    onCommands(ID_DRUG_APPEND, [](RecordCommands& commands) { commands.OnDrugAppend(); });
    onCommands(ID_DRUG_DELETE, [](RecordCommands& commands) { commands.OnDrugDelete(); });
    onCommands(ID_DRUG_SEARCH, [](RecordCommands& commands) { commands.OnDrugSearch(); });
    on(ID_QUICK_SEARCH, [this] { m_quickSearch->FocusBox(); });
    on(ID_SEARCH_ALL_DICTIONARIES, [this] { SearchAllDictionaries(); });
    on(ID_HISTORY_BACK, [this] {
        if (CZorvikDrugFrame* frame = ActiveDrugFrame()) {
            frame->History().GoBack();
        }
    });
    on(ID_HISTORY_FORWARD, [this] {
        if (CZorvikDrugFrame* frame = ActiveDrugFrame()) {
            frame->History().GoForward();
        }
    });
    onCommands(ID_RECORD_UNDO, [](RecordCommands& commands) { commands.OnRecordUndo(); });
    onCommands(ID_RECORD_REDO, [](RecordCommands& commands) { commands.OnRecordRedo(); });
    for (const OptionCommand& option : OPTION_COMMANDS) {
        const CommandId id = option.id;
        switch (option.kind) {
            case OptionCommand::Kind::SortKey:
                onCommands(id, [id](RecordCommands& commands) { commands.OnSortKey(id); });
                break;
            case OptionCommand::Kind::SearchField:
                onCommands(id, [id](RecordCommands& commands) { commands.OnSearchField(id); });
                break;
            case OptionCommand::Kind::ConfirmDelete:
                onCommands(id, [](RecordCommands& commands) { commands.OnConfirmDelete(); });
                break;
        }
    }
}

void CMainFrame::CreateToolBars() {
    m_wndStandardToolBar =
        CreateToolBar(Tr(UiText::StandardToolBarTitle), STANDARD_TOOL_BAR, QSize(16, 15));
    m_wndStandardToolBar->setObjectName(QStringLiteral("standardToolBar"));
    m_wndDrugToolBar = CreateToolBar(Tr(UiText::DrugToolBarTitle), DRUG_TOOL_BAR, QSize(32, 15));
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

// A button with options gets them as its menu, opened by the arrow beside it
// under the button; its face still sends its command.
QToolBar* CMainFrame::CreateToolBar(const QString& title, std::span<const ToolBarEntry> entries,
                                    QSize iconSize) {
    auto* bar = new QToolBar(title, this);
    bar->setIconSize(iconSize);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->setMovable(true);
    bar->setFloatable(true);
    for (const ToolBarEntry& entry : entries) {
        if (entry.kind == ToolBarEntry::Kind::Separator) {
            bar->addSeparator();
            continue;
        }
        QAction& action = m_actions->Action(entry.id);
        bar->addAction(&action);
        if (!entry.dropDown.empty()) {
            auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(&action));
            button->setMenu(m_menuBuilder->BuildMenu(QString(), entry.dropDown, *this));
            button->setPopupMode(QToolButton::MenuButtonPopup);
        }
    }
    return bar;
}

// The recent files take the place of the grayed placeholder.
void CMainFrame::FillRecentFiles(QMenu& menu) {
    QAction& placeholder = m_actions->Action(platform::ID_FILE_MRU_FILE1);
    const QStringList paths = m_recentFiles != nullptr ? m_recentFiles->Paths() : QStringList();
    if (paths.isEmpty()) {
        menu.addAction(&placeholder);
        return;
    }
    for (int i = 0; i < paths.size(); ++i) {
        const QString shown =
            menu.fontMetrics().elidedText(QDir::toNativeSeparators(paths[i]), Qt::ElideMiddle, 480);
        QAction* item = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        item->setData(static_cast<unsigned>(platform::ID_FILE_MRU_FILE1) +
                      static_cast<unsigned>(i));
        item->setStatusTip(placeholder.statusTip());
        connect(item, &QAction::triggered, this, [this, i] { emit recentFileChosen(i); });
    }
}

// The quick search box's query in every dictionary window, in the order of
// the window list; with nothing to search for, the box is offered for it.
void CMainFrame::SearchAllDictionaries() {
    AllDictionariesResults& results = *AllDictionaries();
    const QString query = m_quickSearch->Edit()->text();
    if (query.trimmed().isEmpty()) {
        results.ShowBlank();
        results.show();
        m_quickSearch->FocusBox();
        return;
    }
    QList<CZorvikDrugFrame*> windows;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (m_shownWindows.contains(window) && m_drugFrames.contains(window)) {
            windows.append(m_drugFrames.value(window));
        }
    }
    results.Search(query, windows);
    results.show();
    results.raise();
    results.Results()->setFocus(Qt::ShortcutFocusReason);
}

AllDictionariesResults* CMainFrame::AllDictionaries() {
    if (m_allDictionaries == nullptr) {
        m_allDictionaries = new AllDictionariesResults(this);
        addDockWidget(Qt::RightDockWidgetArea, m_allDictionaries);
        m_allDictionaries->hide();
    }
    return m_allDictionaries;
}

// The active window's last drugs viewed; a grayed note before any.
void CMainFrame::FillRecentlyViewed(QMenu& menu) {
    CZorvikDrugFrame* frame = ActiveDrugFrame();
    const QStringList names = frame != nullptr ? frame->History().Recent() : QStringList();
    if (names.isEmpty()) {
        menu.addAction(Tr(UiText::NothingViewed))->setEnabled(false);
        return;
    }
    for (int i = 0; i < names.size(); ++i) {
        QString name = names[i];
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        QAction* item = menu.addAction(number + QLatin1Char(' ') + name);
        connect(item, &QAction::triggered, this, [target = QPointer<CZorvikDrugFrame>(frame), i] {
            if (target) {
                target->History().ShowRecent(i);
            }
        });
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
        action->setChecked(window == m_activeWindow);
        connect(action, &QAction::triggered, this,
                [this, target = QPointer<QMdiSubWindow>(window)] {
                    if (target) {
                        m_mdiArea->setActiveSubWindow(target);
                    }
                });
    }
}

// Qt's cascade restores a maximized window and may leave none active: the
// active one stays so.
void CMainFrame::CascadeWindows() {
    const QPointer<QMdiSubWindow> active = m_activeWindow;
    m_mdiArea->cascadeSubWindows();
    if (active) {
        m_mdiArea->setActiveSubWindow(active);
    }
    OnActiveWindowChanged();
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
    const QPointer<QMdiSubWindow> active = m_activeWindow;
    const QRect area = m_mdiArea->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        // The last window takes what the division leaves over.
        const int top = area.height() * i / count;
        const int bottom = area.height() * (i + 1) / count;
        windows[i]->showNormal();
        windows[i]->setGeometry(0, top, area.width(), bottom - top);
    }
    if (active) {
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

// Qt tells of no active window while the document area or a window's state
// changes, and while the main window itself is not active: the window that
// was active stays so, as long as it is there.
void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    if (window == nullptr && m_activeWindow &&
        m_mdiArea->subWindowList().contains(m_activeWindow)) {
        return;
    }
    m_activeWindow = window;
    OnActiveWindowChanged();
}

// Follows the dictionary window that became active, or that none is.
void CMainFrame::OnActiveWindowChanged() {
    for (const QMetaObject::Connection& connection : m_activeConnections) {
        disconnect(connection);
    }
    m_activeConnections.clear();
    if (CZorvikDrugFrame* frame = ActiveDrugFrame()) {
        const auto update = [this] { UpdateActions(); };
        CZorvikDrugDoc& document = frame->GetDocument();
        m_activeConnections = {
            connect(frame, &CZorvikDrugFrame::activeViewChanged, this, update),
            connect(frame->SubWindow(), &QWidget::windowTitleChanged, this,
                    &CMainFrame::UpdateTitle),
            connect(frame->SubWindow(), &QMdiSubWindow::windowStateChanged, this,
                    &CMainFrame::UpdateTitle),
            connect(frame->TextView(), &QPlainTextEdit::undoAvailable, this, update),
            connect(frame->TextView(), &QPlainTextEdit::copyAvailable, this, update),
            connect(&document, &CZorvikDrugDoc::optionsChanged, this, update),
            connect(&document, &CZorvikDrugDoc::resultsReset, this, update),
            connect(&document, &CZorvikDrugDoc::resultsReset, this, &CMainFrame::UpdateRecordsPane),
            connect(&document, &CZorvikDrugDoc::currentChanged, this, update),
            connect(&document, &platform::Document::modifiedChanged, this, update),
            connect(&document.UndoStack(), &QUndoStack::indexChanged, this, update),
            connect(&frame->History(), &DrugHistory::changed, this, update),
        };
    }
    m_quickSearch->Follow(ActiveDrugFrame());
    UpdateRecordsPane();
    UpdateMenus();
    UpdateTitle();
    UpdateActions();
}

CZorvikDrugDoc* CMainFrame::ActiveDocument() const {
    CZorvikDrugFrame* frame = ActiveDrugFrame();
    return frame != nullptr ? &frame->GetDocument() : nullptr;
}

CZorvikDrugView* CMainFrame::ActiveTextView() const {
    CZorvikDrugFrame* frame = ActiveDrugFrame();
    if (frame == nullptr || frame->ActivePane() != frame->TextView()) {
        return nullptr;
    }
    return frame->TextView();
}

// Every command's enabled state and mark, from the active dictionary window,
// its document and the bars.
void CMainFrame::UpdateActions() {
    CZorvikDrugDoc* document = ActiveDocument();
    for (const CommandId id : DICTIONARY_COMMANDS) {
        m_actions->Action(id).setEnabled(document != nullptr);
    }
    for (const OptionCommand& command : OPTION_COMMANDS) {
        QAction& option = m_actions->Action(command.id);
        option.setEnabled(document != nullptr);
        if (document != nullptr) {
            option.setChecked(IsOptionChecked(document->GetOptions(), command.id));
        }
    }

    m_actions->Action(ID_RECORD_UNDO)
        .setEnabled(document != nullptr && document->UndoStack().canUndo());
    m_actions->Action(ID_RECORD_REDO)
        .setEnabled(document != nullptr && document->UndoStack().canRedo());
    CZorvikDrugFrame* frame = ActiveDrugFrame();
    m_actions->Action(ID_HISTORY_BACK).setEnabled(frame != nullptr && frame->History().CanGoBack());
    m_actions->Action(ID_HISTORY_FORWARD)
        .setEnabled(frame != nullptr && frame->History().CanGoForward());

    // The edit commands work on the record text, as in any edit box.
    CZorvikDrugView* text = ActiveTextView();
    const bool selection = text != nullptr && text->textCursor().hasSelection();
    m_actions->Action(platform::ID_EDIT_UNDO)
        .setEnabled(text != nullptr && text->document()->isUndoAvailable());
    m_actions->Action(platform::ID_EDIT_CUT).setEnabled(selection);
    m_actions->Action(platform::ID_EDIT_COPY).setEnabled(selection);
    m_actions->Action(platform::ID_EDIT_PASTE).setEnabled(text != nullptr && text->canPaste());

    const bool windowsOpen = !m_mdiArea->subWindowList().isEmpty();
    for (const CommandId id : {platform::ID_WINDOW_CASCADE, platform::ID_WINDOW_TILE_HORZ,
                               platform::ID_WINDOW_ARRANGE}) {
        m_actions->Action(id).setEnabled(windowsOpen);
    }
    // Only a recent file's own item opens it.
    m_actions->Action(platform::ID_FILE_MRU_FILE1).setEnabled(false);
}

// The counts of the active dictionary, 0 and 0 without one: this is the
// pane's one writer.
void CMainFrame::UpdateRecordsPane() {
    CZorvikDrugDoc* document = ActiveDocument();
    m_wndStatusBar->ShowRecordCounts(document != nullptr ? document->GetRecordCount() : 0,
                                     document != nullptr ? document->GetResultCount() : 0);
}

// The caption carries the active dictionary's title after the program's, in
// brackets while its window is maximized. Qt's document area composes a
// caption of its own for a maximized window from whatever caption it found
// before; this one replaces it, whenever it changes.
void CMainFrame::UpdateTitle() {
    CZorvikDrugFrame* frame = ActiveDrugFrame();
    QString title = platform::ApplicationName();
    if (frame != nullptr) {
        QMdiSubWindow* window = frame->SubWindow();
        title += window->isMaximized() ? QStringLiteral(" - [%1]").arg(window->windowTitle())
                                       : QStringLiteral(" - ") + frame->GetDocument().GetTitle();
    }
    if (title != windowTitle()) {
        m_settingTitle = true;
        setWindowTitle(title);
        m_settingTitle = false;
    }
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange && !m_settingTitle) {
        UpdateTitle();
    }
}

void CMainFrame::AddDrugFrame(CZorvikDrugFrame& frame) {
    auto* window = new DrugSubWindow(frame, m_dictionaryIcon);
    m_mdiArea->addSubWindow(window);
    m_drugFrames.insert(window, &frame);
    frame.ApplyZoom(m_zoom->Level(), m_zoom->Level());
    connect(&frame, &CZorvikDrugFrame::activated, this, [this, window] {
        m_shownWindows.insert(window);
        m_activeWindow = window;
        OnActiveWindowChanged();
    });
    connect(&frame, &CZorvikDrugFrame::zoomStepRequested, m_zoom, &TextZoom::Step);
    connect(&frame, &CZorvikDrugFrame::drugActivated, this,
            [this] { m_actions->Action(ID_DRUG_MODIFY).trigger(); });
    connect(&frame, &CZorvikDrugFrame::contextMenuRequested, this,
            [this](QPoint at) { m_drugMenu->exec(at); });
    connect(&frame, &CZorvikDrugFrame::statusMessage, this,
            [this](const QString& text) { m_wndStatusBar->showMessage(text); });
    // The window goes later than its frame: it still tells its state here.
    connect(&frame, &QObject::destroyed, this, [this, window = QPointer<QMdiSubWindow>(window)] {
        const bool maximized = window && window->isMaximized();
        m_drugFrames.remove(window);
        m_shownWindows.remove(window);
        if (window) {
            window->hide();
            m_mdiArea->removeSubWindow(window);
            window->deleteLater();
        }
        // The next window takes the place of a maximized one, maximized too.
        QMdiSubWindow* next = m_mdiArea->currentSubWindow();
        if (next == nullptr && !m_mdiArea->subWindowList().isEmpty()) {
            next = m_mdiArea->subWindowList().last();
        }
        if (maximized && next != nullptr) {
            next->showMaximized();
        }
        if (next != nullptr) {
            m_mdiArea->setActiveSubWindow(next);
        }
        m_activeWindow = next;
        OnActiveWindowChanged();
    });
    UpdateActions();
}

CMainFrame::WindowArrangement CMainFrame::SaveArrangement() const {
    WindowArrangement arrangement;
    arrangement.active = m_activeWindow;
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
        m_activeWindow = arrangement.active;
        OnActiveWindowChanged();
    }
}

// A window counts from when it is first activated, once its document has
// opened: while a file is being opened (and its failure reported) there is
// none.
CZorvikDrugFrame* CMainFrame::ActiveDrugFrame() const {
    QMdiSubWindow* window = m_activeWindow;
    return m_shownWindows.contains(window) ? m_drugFrames.value(window) : nullptr;
}

QToolButton* CMainFrame::ToolBarButton(CommandId id) const {
    QAction& action = m_actions->Action(id);
    for (QToolBar* bar : {m_wndStandardToolBar, m_wndDrugToolBar}) {
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(&action))) {
            return button;
        }
    }
    return nullptr;
}

QLabel* CMainFrame::StatusPane(unsigned paneId) const {
    return m_wndStatusBar->Pane(paneId);
}

int CMainFrame::Zoom() const {
    return m_zoom->Level();
}

void CMainFrame::OnToggleBar(CommandId id) {
    QToolBar* bar = id == ID_TOGGLE_STANDARD_BAR ? m_wndStandardToolBar
                    : id == ID_TOGGLE_DRUG_BAR   ? m_wndDrugToolBar
                                                 : nullptr;
    if (bar != nullptr) {
        bar->setVisible(bar->isHidden());
        OnUpdateToggleBar();
    }
}

void CMainFrame::OnUpdateToggleBar() {
    m_actions->Action(ID_TOGGLE_STANDARD_BAR).setChecked(!m_wndStandardToolBar->isHidden());
    m_actions->Action(ID_TOGGLE_DRUG_BAR).setChecked(!m_wndDrugToolBar->isHidden());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    const QMessageBox::StandardButton answer =
        m_ui.MessageBox(Tr(UiText::ExitQuestion), Tr(UiText::ExitCaption), QMessageBox::Question,
                        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes || (m_template != nullptr && !m_template->SaveAllModified())) {
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
