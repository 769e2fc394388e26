// Builds menus from their tables: each command's item is its one action, a
// submenu is built from its own entries, and the parts that change (the
// recent files, the open windows, the places visited) are filled in again
// each time their menu or submenu opens. The titles of menus and submenus are translated in the
// tables' context.
#pragma once

#include <QList>
#include <functional>
#include <span>

#include "platform/menu_spec.h"

class QMenu;
class QWidget;

namespace quorbex::platform {

class CommandActions;

class MenuBuilder {
public:
    // Adds the items of a changing part to the menu that is opening.
    using FillPart = std::function<void(QMenu& menu)>;

    MenuBuilder(const CommandActions& actions, const char* titleContext);

    void SetRecentFiles(FillPart fill) { m_recentFiles = std::move(fill); }
    void SetWindowList(FillPart fill) { m_windowList = std::move(fill); }
    void SetHistory(FillPart fill) { m_history = std::move(fill); }

    // The menus of a menu bar, owned by parent.
    QList<QMenu*> BuildMenus(std::span<const TopMenu> menus, QWidget& parent) const;
    // One menu of entries, owned by parent.
    QMenu* BuildMenu(const QString& title, std::span<const MenuEntry> entries,
                     QWidget& parent) const;
    // Adds the entries to menu.
    void Fill(QMenu& menu, std::span<const MenuEntry> entries) const;

private:
    QString Title(const char* title) const;
    // Fills menu with entries, and again each time it opens when a part changes.
    void FillAndRefresh(QMenu& menu, std::span<const MenuEntry> entries) const;

    const CommandActions& m_actions;
    const char* m_titleContext;
    FillPart m_recentFiles;
    FillPart m_windowList;
    FillPart m_history;
};

}  // namespace quorbex::platform
