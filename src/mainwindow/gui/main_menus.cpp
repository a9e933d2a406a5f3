#include "mainwindow/gui/main_menus.h"

#include "mainwindow/menu_commands.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

// How a toolbar button looks: a short text, and an icon unless SP_CustomBase.
struct ButtonLook {
    const char *text;
    QStyle::StandardPixmap icon;
};

ButtonLook lookOf(const QString &key)
{
    static const QHash<QString, ButtonLook> looks{
        {"tb(0)", {"New", QStyle::SP_FileIcon}},
        {"tb(1)", {"Open", QStyle::SP_DialogOpenButton}},
        {"tb(2)", {"Save", QStyle::SP_DialogSaveButton}},
        {"tb(3)", {"Save all", QStyle::SP_DriveHDIcon}},
        {"psum", {"Summary", QStyle::SP_FileDialogInfoView}},
        {"sx", {"Save XSL", QStyle::SP_CustomBase}},
        {"edX", {"Edit", QStyle::SP_CustomBase}},
        {"showXML", {"XML", QStyle::SP_CustomBase}},
        {"showTable", {"Table", QStyle::SP_CustomBase}},
        {"showProperty", {"Properties", QStyle::SP_CustomBase}},
        {"showWeb", {"Web", QStyle::SP_CustomBase}},
        {"showXSL", {"XSL", QStyle::SP_CustomBase}},
        {"runit", {"Reload", QStyle::SP_BrowserReload}},
        {"rbrowser", {"Browser", QStyle::SP_ComputerIcon}},
        {"goback", {"Back", QStyle::SP_ArrowBack}},
        {"goforward", {"Forward", QStyle::SP_ArrowForward}},
        {"stopit", {"Stop", QStyle::SP_BrowserStop}},
    };
    return looks.value(key, {"", QStyle::SP_CustomBase});
}

// Items with rows of their own below them.
bool holdsSubmenu(const MenuItem &item)
{
    return item.control == QLatin1String("gopub") || item.control == QLatin1String("showWin") ||
           item.control == QLatin1String("recTables");
}

class MenuBuilder {
public:
    MenuBuilder(MainMenus &menus, MenuHost &host) : menus(menus), host(host) {}

    // Adds the items to the menus they name; a top-level menu goes to the bar when there
    // is one, else it stays a hidden popup owned by the window.
    void add(const std::vector<MenuItem> &items, QMenuBar *bar, QWidget &owner)
    {
        for (const MenuItem &item : items) {
            if (item.parent.isEmpty())
                addTopLevel(item, bar, owner);
            else
                addItem(item, *menus_.value(item.parent));
        }
    }

private:
    void addTopLevel(const MenuItem &item, QMenuBar *bar, QWidget &owner)
    {
        QMenu *menu = bar ? bar->addMenu(item.caption) : new QMenu(item.caption, &owner);
        menu->setObjectName(item.control);
        menus_.insert(item.control, menu);
        record(item, menu->menuAction());
        if (!bar)
            menus.popups.insert(item.control, menu);
    }

    void addItem(const MenuItem &item, QMenu &parent)
    {
        if (item.isSeparator()) {
            record(item, parent.addSeparator());
        } else if (holdsSubmenu(item)) {
            QMenu *sub = parent.addMenu(item.caption);
            sub->setObjectName(item.control);
            menus_.insert(item.control, sub);
            record(item, sub->menuAction());
        } else {
            QAction *action = parent.addAction(item.caption);
            action->setShortcut(QKeySequence(item.shortcut));
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
            QObject::connect(action, &QAction::triggered, action,
                             [&item, &host = host] { runMenuItem(item, host); });
            record(item, action);
        }
    }

    void record(const MenuItem &item, QAction *action)
    {
        const QString key = menuItemKey(item.control, item.index);
        action->setObjectName(key);
        menus.items.insert(key, action);
    }

    MainMenus &menus;
    MenuHost &host;
    QHash<QString, QMenu *> menus_; // every menu and submenu by control name
};

void buildToolbar(QMainWindow &window, MainMenus &menus, MenuHost &host)
{
    menus.toolbar = window.addToolBar(QStringLiteral("Toolbar"));
    menus.toolbar->setObjectName(QStringLiteral("toolbar"));
    menus.toolbar->setMovable(false);
    menus.toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    QStyle *style = QApplication::style();
    for (const ToolbarButton &button : toolbarButtons()) {
        const QString key = menuItemKey(button.control, button.index);
        const ButtonLook look = lookOf(key);
        QAction *action = menus.toolbar->addAction(QString::fromUtf8(look.text));
        action->setToolTip(button.tooltip);
        if (look.icon != QStyle::SP_CustomBase)
            action->setIcon(style->standardIcon(look.icon));
        else if (auto *tool = qobject_cast<QToolButton *>(menus.toolbar->widgetForAction(action)))
            tool->setToolButtonStyle(Qt::ToolButtonTextOnly);
        QObject::connect(action, &QAction::triggered, action,
                         [&button, &host] { runToolbarButton(button, host); });
        action->setObjectName(key);
        menus.items.insert(key, action);
    }
}

} // namespace

QString menuItemKey(const QString &control, int index)
{
    return index < 0 ? control : control + QStringLiteral("(%1)").arg(index);
}

void enableToolbar(const MainMenus &menus)
{
    for (const ToolbarButton &button : toolbarButtons())
        if (QAction *action = menus.item(menuItemKey(button.control, button.index)))
            action->setEnabled(toolbarButtonEnabled(button));
}

MainMenus buildMainMenus(QMainWindow &window, MenuHost &host)
{
    MainMenus menus;
    MenuBuilder builder(menus, host);
    builder.add(menuBarItems(), window.menuBar(), window);
    builder.add(popupMenuItems(), nullptr, window);
    menus.recentTables = window.menuBar()->findChild<QMenu *>(QStringLiteral("recTables"));
    buildToolbar(window, menus, host);
    return menus;
}
