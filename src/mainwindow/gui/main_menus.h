#pragma once

#include <QHash>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The menu bar and the toolbar of the main window, built in one place from one table.
// Items are reached by their control name; an array item's name carries its index
// ("showOne(20)", "tb(0)").
struct MainMenus {
    QHash<QString, QAction *> items; // menu items, top-level menus and toolbar buttons
    QMenu *recentTables = nullptr;   // "&Recent tables"
    QToolBar *toolbar = nullptr;

    QAction *item(const QString &name) const { return items.value(name); }
};

MainMenus buildMainMenus(QMainWindow &window);
