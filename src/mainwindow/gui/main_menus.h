#pragma once

#include <QHash>
#include <QString>

class MenuHost;
class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The menu bar, the two hidden popup menus and the toolbar of the main window, built from
// the menu table. Items are reached by their control name; an array item's name carries
// its index ("showOne(20)", "tb(0)").
struct MainMenus {
    QHash<QString, QAction *> items; // menu items, top-level menus and toolbar buttons
    QHash<QString, QMenu *> popups;  // "mainX" and "mainR", popped up by other windows
    QMenu *recentTables = nullptr;   // "&Recent tables"
    QToolBar *toolbar = nullptr;

    QAction *item(const QString &name) const { return items.value(name); }
};

// The name an item is reached by.
QString menuItemKey(const QString &control, int index);

// Builds the menus and the toolbar; each item runs its command with the host.
MainMenus buildMainMenus(QMainWindow &window, MenuHost &host);
// Enables the toolbar buttons as the menu items they follow.
void enableToolbar(const MainMenus &menus);
