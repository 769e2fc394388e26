// The program's main window: the dictionary windows in a multiple-document
// area, the menus (one set while no dictionary is open, one while a
// dictionary window is active), the standard and drug tool bars and the
// status bar. Every command is one action, shown by every menu, bar and
// popup menu that offers it; its enabled and checked state follow the
// signals of the active dictionary window and its document. Quitting asks
// for confirmation.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QRect>
#include <memory>
#include <span>

#include "platform/main_frame_services.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace quorbex {

struct MenuEntry;
struct TopMenu;
struct ToolBarEntry;
class CZorvikDrugDoc;
class CZorvikDrugFrame;
class CZorvikDrugTreeView;
class CZorvikDrugView;
class QuickSearchBox;

namespace platform {
class CommandActions;
class DocumentTemplate;
class RecentFileList;
class UserInterface;
}  // namespace platform

class CMainFrame : public QMainWindow, public platform::MainFrameServices {
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

    QWidget* Window() override { return this; }
    QAction* Action(unsigned id) override;
    std::optional<QRect> ToolBarButtonRect(unsigned toolBarId, unsigned commandId) override;
    bool SetStatusPaneText(unsigned paneId, const QString& text) override;

    // Puts a new dictionary window into the document area; it leaves by
    // itself when it is destroyed.
    void AddDrugFrame(CZorvikDrugFrame& frame);
    CZorvikDrugFrame* ActiveDrugFrame() const;

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

    void OnToggleBar(unsigned id);
    // Checks the bar toggles of the bars that are shown.
    void OnUpdateToggleBar();

    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* StandardToolBar() const { return m_wndStandardToolBar; }
    QToolBar* DrugToolBar() const { return m_wndDrugToolBar; }
    QuickSearchBox* QuickSearch() const { return m_quickSearch; }
    QWidget* ToolBarButton(unsigned toolBarId, unsigned commandId) const;
    QLabel* StatusPane(unsigned paneId) const { return m_panes.value(paneId); }
    // The zoom of the dictionary windows' text, in points more than the
    // program's font (fewer when negative).
    int Zoom() const { return m_zoom; }
    // Whether the menus for an active dictionary window are shown.
    bool ShowsDictionaryMenus() const { return m_dictionaryMenus; }

signals:
    // The user chose the recent file at index (0 the newest) from a file menu.
    void recentFileChosen(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Dictionary files dropped on the window open, each in its own window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Watches the lock keys, wherever in the program they are pressed.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectCommands();
    CZorvikDrugDoc* ActiveDocument() const;
    // The record text of the active dictionary window, while it is the pane
    // that commands go to.
    CZorvikDrugView* ActiveTextView() const;
    void ConnectTree(CZorvikDrugTreeView& tree);
    bool IsDrugPane(const QWidget* widget) const;
    // Sets the zoom, in steps of one point from the program's font, of every
    // dictionary window; remembered for the next run.
    void SetZoom(int zoom);
    // Applies the zoom to frame, whose fonts had the zoom before.
    void ApplyZoom(CZorvikDrugFrame& frame, int before);
    void CreateToolBars();
    QToolBar* CreateToolBar(const QString& title, unsigned barId,
                            std::span<const ToolBarEntry> entries, QSize iconSize);
    void CreateStatusBar();
    void OnActiveWindowChanged();
    void UpdateActions();
    void UpdateMenus();
    void UpdateTitle();
    void UpdateRecordsPane();
    void UpdateLockPanes();
    QList<QMenu*> BuildMenus(std::span<const TopMenu> menus);
    void FillMenu(QMenu& menu, std::span<const MenuEntry> entries);
    void FillRecentFiles(QMenu& menu);
    void FillWindowList(QMenu& menu);
    void ArrangeIcons();
    void TileHorizontally();

    platform::UserInterface& m_ui;
    platform::DocumentTemplate* m_template = nullptr;
    const platform::RecentFileList* m_recentFiles = nullptr;

    std::unique_ptr<platform::CommandActions> m_actions;
    QMdiArea* m_mdiArea;
    QToolBar* m_wndDrugToolBar = nullptr;
    QToolBar* m_wndStandardToolBar = nullptr;
    QuickSearchBox* m_quickSearch = nullptr;
    // The buttons of each tool bar, by the bar's id and the button's command.
    QMap<unsigned, QMap<unsigned, QWidget*>> m_buttons;
    QMap<unsigned, QLabel*> m_panes;
    QMap<QMdiSubWindow*, CZorvikDrugFrame*> m_drugFrames;
    QList<QMenu*> m_menusWithoutDictionary;
    QList<QMenu*> m_menusWithDictionary;
    bool m_dictionaryMenus = false;
    int m_zoom = 0;
    // The connections to the active dictionary window and its document.
    QList<QMetaObject::Connection> m_activeConnections;
};

}  // namespace quorbex
