// The program's main window: the dictionary windows in a multiple-document
// area, the menus (one set while no dictionary is open, one while a
// dictionary window is active), the standard and drug tool bars and the
// status bar. Commands from menus, keys and buttons go to the active
// dictionary window's view, its document, the window, this frame and the
// application, in that order. Quitting asks for confirmation.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <span>

#include "platform/command_target.h"
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
class CZorvikDrugFrame;

namespace platform {
class DocumentTemplate;
class RecentFileList;
class UserInterface;
}  // namespace platform

class CMainFrame : public QMainWindow,
                   public platform::CommandTarget,
                   public platform::MainFrameServices {
public:
    // screenSize places the window: at (0, 0), as wide as the screen and 30
    // pixels less high.
    CMainFrame(platform::UserInterface& ui, QSize screenSize);
    ~CMainFrame() override;

    void SetDocTemplate(platform::DocumentTemplate* docTemplate) { m_template = docTemplate; }
    void SetApplication(platform::CommandTarget* application) {
        m_application = application;
        UpdateCommandStates();
    }
    void SetRecentFiles(const platform::RecentFileList* recentFiles) {
        m_recentFiles = recentFiles;
    }

    QWidget* Window() override { return this; }
    void SendCommand(unsigned id) override;
    std::optional<QRect> ToolBarButtonRect(unsigned toolBarId, unsigned commandId) override;
    bool SetStatusPaneText(unsigned paneId, const QString& text) override;

    // Dictionary windows register here when they are made and leave when destroyed.
    void AddDrugFrame(CZorvikDrugFrame& frame);
    void RemoveDrugFrame(CZorvikDrugFrame& frame);
    CZorvikDrugFrame* ActiveDrugFrame() const;

    platform::RoutingChain Chain() const;
    // Enables, disables and checks every command's menu items and buttons.
    void UpdateCommandStates();
    // Shows the menus that fit: with or without an active dictionary window.
    void UpdateMenus();
    void UpdateTitle();

    void OnToggleBar(unsigned id);
    void OnUpdateToggleBar(platform::CmdUI& ui);

    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* StandardToolBar() const { return m_wndStandardToolBar; }
    QToolBar* DrugToolBar() const { return m_wndDrugToolBar; }
    QWidget* ToolBarButton(unsigned toolBarId, unsigned commandId) const;
    QAction* Action(unsigned id) const { return m_actions.value(id); }
    QLabel* StatusPane(unsigned paneId) const { return m_panes.value(paneId); }
    // The id of the menu shown: 128 without, 130 with an active dictionary window.
    unsigned MenuId() const { return m_menuId; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Dictionary files dropped on the window open, each in its own window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* CreateAction(unsigned id);
    void CreateToolBars();
    void CreateStatusBar();
    void BuildMenus(std::span<const TopMenu> menus);
    void FillMenu(QMenu& menu, std::span<const MenuEntry> entries);
    void FillRecentFiles(QMenu& menu, const MenuEntry& placeholder);
    void FillWindowList(QMenu& menu);
    void ArrangeIcons();
    void UpdateLockPanes();

    platform::UserInterface& m_ui;
    platform::DocumentTemplate* m_template = nullptr;
    platform::CommandTarget* m_application = nullptr;
    const platform::RecentFileList* m_recentFiles = nullptr;

    QMdiArea* m_mdiArea;
    QToolBar* m_wndDrugToolBar = nullptr;
    QToolBar* m_wndStandardToolBar = nullptr;
    QMap<unsigned, QAction*> m_actions;
    QMap<unsigned, QWidget*> m_drugButtons;
    QMap<unsigned, QLabel*> m_panes;
    QMap<QMdiSubWindow*, CZorvikDrugFrame*> m_drugFrames;
    unsigned m_menuId = 0;
};

}  // namespace quorbex
