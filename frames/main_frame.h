// The program's main window: the dictionary windows in a multiple-document
// area, the menus (one set while no dictionary is open, one while a
// dictionary window is active), the standard and drug tool bars and the
// status bar. Every command is one action, shown by every menu, bar and
// popup menu that offers it; its enabled and checked state follow the
// signals of the active dictionary window and its document. Quitting asks
// for confirmation.
#pragma once

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <memory>
#include <span>

#include "platform/command_id.h"
#include "platform/document_window.h"
#include "platform/svg_icon.h"
#include "resources/icon_ids.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;

namespace quorbex {

struct ToolBarEntry;
class AllDictionariesResults;
class CZorvikDrugDoc;
class CZorvikDrugFrame;
class CZorvikDrugView;
class MainStatusBar;
class QuickSearchBox;
class TextZoom;

namespace platform {
class CommandActions;
class DocumentTemplate;
class MenuBuilder;
class RecentFileList;
class UserInterface;
}  // namespace platform

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // screenSize places the window: at (0, 0), as wide as the screen and 30
    // pixels less high.
    CMainFrame(platform::UserInterface& ui, QSize screenSize);
    ~CMainFrame() override;

    void SetDocTemplate(platform::DocumentTemplate* docTemplate) { m_template = docTemplate; }
    void SetRecentFiles(const platform::RecentFileList* recentFiles) {
        m_recentFiles = recentFiles;
    }

    // The action of a command of the command table.
    QAction& Action(platform::CommandId id) const;

    // Puts a new dictionary window into a window of the document area; that
    // window goes when the dictionary window is destroyed.
    void AddDrugFrame(CZorvikDrugFrame& frame);
    // The dictionary window that commands go to: the one last made active
    // that is still there, whatever its window's state (maximized, cascaded,
    // minimized); none while none is open or while one is still opening.
    CZorvikDrugFrame* ActiveDrugFrame() const;
    MainStatusBar* StatusBar() const { return m_wndStatusBar; }

    // Where the dictionary windows stand and which is active, to put them
    // back after a window came and went (a file printed on request).
    struct WindowArrangement {
        struct Window {
            QPointer<QMdiSubWindow> window;
            QRect geometry;
            Qt::WindowStates state;
        };
        QList<Window> windows;
        QPointer<QMdiSubWindow> active;
    };
    WindowArrangement SaveArrangement() const;
    void RestoreArrangement(const WindowArrangement& arrangement);

    void OnToggleBar(platform::CommandId id);
    // Checks the bar toggles of the bars that are shown.
    void OnUpdateToggleBar();

    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* StandardToolBar() const { return m_wndStandardToolBar; }
    QToolBar* DrugToolBar() const { return m_wndDrugToolBar; }
    QuickSearchBox* QuickSearch() const { return m_quickSearch; }
    // The dock that lists what the quick search finds in every dictionary,
    // made the first time it is wanted: most sessions never show it.
    AllDictionariesResults* AllDictionaries();
    // The button of a command on either tool bar; null when no bar has one.
    QToolButton* ToolBarButton(platform::CommandId id) const;
    QLabel* StatusPane(unsigned paneId) const;
    // The zoom of the dictionary windows' text, in points more than the
    // program's font (fewer when negative).
    int Zoom() const;
    // Whether the menus for an active dictionary window are shown.
    bool ShowsDictionaryMenus() const { return m_dictionaryMenus; }

signals:
    // The user chose the recent file at index (0 the newest) from a file menu.
    void recentFileChosen(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Dictionary files dropped on the window open, each in its own window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ConnectCommands();
    CZorvikDrugDoc* ActiveDocument() const;
    // The record text of the active dictionary window, while it is the pane
    // that commands go to.
    CZorvikDrugView* ActiveTextView() const;
    void CreateToolBars();
    QToolBar* CreateToolBar(const QString& title, std::span<const ToolBarEntry> entries,
                            QSize iconSize);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnActiveWindowChanged();
    void UpdateActions();
    void UpdateMenus();
    void UpdateTitle();
    void UpdateRecordsPane();
    void FillRecentFiles(QMenu& menu);
    void FillWindowList(QMenu& menu);
    void FillRecentlyViewed(QMenu& menu);
    void SearchAllDictionaries();
    void ArrangeIcons();
    void CascadeWindows();
    void TileHorizontally();

    platform::UserInterface& m_ui;
    platform::DocumentTemplate* m_template = nullptr;
    const platform::RecentFileList* m_recentFiles = nullptr;

    std::unique_ptr<platform::CommandActions> m_actions;
    std::unique_ptr<platform::MenuBuilder> m_menuBuilder;
    QMdiArea* m_mdiArea;
    QToolBar* m_wndDrugToolBar = nullptr;
    QToolBar* m_wndStandardToolBar = nullptr;
    MainStatusBar* m_wndStatusBar = nullptr;
    QuickSearchBox* m_quickSearch = nullptr;
    AllDictionariesResults* m_allDictionaries = nullptr;
    TextZoom* m_zoom = nullptr;
    QMenu* m_drugMenu = nullptr;  // the drug menu, also a drug's context menu
    // One icon for every dictionary's window, so that its pictures are
    // rendered and cached once.
    const QIcon m_dictionaryIcon{platform::SvgIcon(IconPath(IDR_DRUGTYPE))};
    QMap<QMdiSubWindow*, CZorvikDrugFrame*> m_drugFrames;
    QPointer<QMdiSubWindow> m_activeWindow;
    // The windows whose document has opened and that were shown.
    QSet<QMdiSubWindow*> m_shownWindows;
    QList<QMenu*> m_menusWithoutDictionary;
    QList<QMenu*> m_menusWithDictionary;
    bool m_dictionaryMenus = false;
    bool m_settingTitle = false;
    // The connections to the active dictionary window and its document.
    QList<QMetaObject::Connection> m_activeConnections;
};

}  // namespace quorbex
