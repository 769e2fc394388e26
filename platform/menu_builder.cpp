#include "platform/menu_builder.h"

#include <QCoreApplication>
#include <QMenu>
#include <algorithm>

#include "platform/command_actions.h"

namespace quorbex::platform {

namespace {

bool HasChangingPart(std::span<const MenuEntry> entries) {
    return std::any_of(entries.begin(), entries.end(), [](const MenuEntry& entry) {
        return entry.kind == MenuKind::RecentFiles || entry.kind == MenuKind::WindowList ||
               entry.kind == MenuKind::History;
    });
}

}  // namespace

MenuBuilder::MenuBuilder(const CommandActions& actions, const char* titleContext)
    : m_actions(actions), m_titleContext(titleContext) {}

QString MenuBuilder::Title(const char* title) const {
    return QCoreApplication::translate(m_titleContext, title);
}

QList<QMenu*> MenuBuilder::BuildMenus(std::span<const TopMenu> menus, QWidget& parent) const {
    QList<QMenu*> built;
    for (const TopMenu& top : menus) {
        built.append(BuildMenu(Title(top.title), top.entries, parent));
    }
    return built;
}

QMenu* MenuBuilder::BuildMenu(const QString& title, std::span<const MenuEntry> entries,
                              QWidget& parent) const {
    auto* menu = new QMenu(title, &parent);
    FillAndRefresh(*menu, entries);
    return menu;
}

void MenuBuilder::FillAndRefresh(QMenu& menu, std::span<const MenuEntry> entries) const {
    Fill(menu, entries);
    if (HasChangingPart(entries)) {
        // Filled again as it opens, so that the changing parts are current.
        QObject::connect(&menu, &QMenu::aboutToShow, &menu, [this, &menu, entries] {
            menu.clear();
            Fill(menu, entries);
        });
    }
}

void MenuBuilder::Fill(QMenu& menu, std::span<const MenuEntry> entries) const {
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
            case MenuKind::Command:
                menu.addAction(&m_actions.Action(entry.id));
                break;
            case MenuKind::Separator:
                menu.addSeparator();
                break;
            case MenuKind::Submenu:
                FillAndRefresh(*menu.addMenu(Title(entry.title)), entry.submenu);
                break;
            case MenuKind::RecentFiles:
                if (m_recentFiles) {
                    m_recentFiles(menu);
                }
                break;
            case MenuKind::WindowList:
                if (m_windowList) {
                    m_windowList(menu);
                }
                break;
            case MenuKind::History:
                if (m_history) {
                    m_history(menu);
                }
                break;
        }
    }
}

}  // namespace quorbex::platform
