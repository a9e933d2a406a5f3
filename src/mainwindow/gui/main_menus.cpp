#include "mainwindow/gui/main_menus.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

// One row of the menu table: a top-level menu (level 0), an item (1) or an item of a
// submenu (2); the caption "-" is a separator.
struct MenuRow {
    int level;
    const char *name;
    const char *caption;
    const char *shortcut;
};

const MenuRow menuTable[] = {
    {0, "mainFile", "&File", ""},
    {1, "openProject", "&Open table", ""},
    {1, "newProject", "&New table", ""},
    {1, "dash(0)", "-", ""},
    {1, "docloseit", "&Close table", ""},
    {1, "das11", "-", ""},
    {1, "dosave", "&Save table", "Ctrl+S"},
    {1, "saveall", "Sa&ve all tables", ""},
    {1, "saveas", "Save table &As", ""},
    {1, "dash93", "-", ""},
    {1, "propsum", "Properties summary", ""},
    {1, "dash1", "-", ""},
    {1, "gopub", "Publish", ""},
    {2, "pubPHPXsltProc", "PHP (xsltproc)", ""},
    {2, "genpub", "Only XML and XSL (general purpose)", ""},
    {1, "dash543", "-", ""},
    {1, "delProject", "D&elete table", ""},
    {1, "dash9", "-", ""},
    {1, "recTables", "&Recent tables", ""},
    {1, "dash83", "-", ""},
    {1, "doexit", "E&xit", ""},
    {0, "mview", "&View", ""},
    {1, "viewm(0)", "Expand  tree", "Ctrl+F1"},
    {1, "viewm(5)", "Collapse tree", "Ctrl+F2"},
    {1, "viewm(10)", "Scroll trees to left", "Ctrl+F3"},
    {1, "viewm(15)", "-", ""},
    {1, "viewm(20)", "Generated XSL code", ""},
    {1, "viewm(30)", "-", ""},
    {1, "viewm(35)", "Toggle menu style", ""},
    {0, "xmlmenu", "&XML", ""},
    {1, "xmlfile(0)", "Open XML file", ""},
    {1, "xmlfile(10)", "Load default XML file", ""},
    {1, "xmlfile(20)", "-", ""},
    {1, "newx", "New column", ""},
    {0, "tableMenu", "&Table", ""},
    {1, "tableOp(0)", "New column", "Ctrl+T"},
    {1, "tableOp(5)", "Delete column", ""},
    {1, "tableOp(10)", "Rename column", ""},
    {1, "tableOp(15)", "-", ""},
    {1, "tableOp(20)", "Show column properties", ""},
    {0, "attMenu", "&Attributes", ""},
    {1, "attm(0)", "New", "Ctrl+R"},
    {1, "attm(5)", "Delete", ""},
    {1, "dash87", "-", ""},
    {1, "editA", "Edit attribute", ""},
    {0, "xslmenu", "X&SL", ""},
    {1, "shgenXSL", "Show generated XSL", "Ctrl+F8"},
    {1, "dash13", "-", ""},
    {1, "saveX(0)", "Save XSL", "Shift+F3"},
    {1, "saveX(10)", "Save XSL as", ""},
    {0, "run", "&Run", ""},
    {1, "rw", "Run in window", "F5"},
    {1, "runbrowser", "Run in browser", "F4"},
    {0, "showWins", "&Windows", ""},
    {1, "doCascade", "Cascade", ""},
    {1, "doTileH", "Tile Horizontally", ""},
    {1, "doTileV", "Tile Vertically", ""},
    {1, "doArrange", "Arrange", ""},
    {1, "doDef", "Arrange default", "Ctrl+F4"},
    {1, "doFit", "Fit to container resize", "Ctrl+F5"},
    {1, "dash2", "-", ""},
    {1, "showWin", "Show", ""},
    {2, "showOne(20)", "XML Document", ""},
    {2, "showOne(25)", "Table", ""},
    {2, "showOne(35)", "Properties", ""},
    {2, "showOne(40)", "Web Page", ""},
    {2, "showOne(45)", "XSL code", ""},
    {0, "doH", "&Help", ""},
    {1, "doHelp(0)", "Help", "F1"},
    {1, "dash67", "-", ""},
    {1, "cnow", "Check for updates", ""},
    {1, "checkU", "Check for updates on startup", ""},
    {1, "whatsNew", "What's new", ""},
    {1, "dash19", "-", ""},
    {1, "showDetails", "Show/Hide detailed help tooltips", ""},
    {1, "showT", "Show first-time helpers again", "Shift+F1"},
    {1, "dash43", "-", ""},
    {1, "doabout", "About", ""},
};

// Items that open a submenu of the rows below them.
bool opensSubmenu(const QString &name)
{
    return name == QLatin1String("gopub") || name == QLatin1String("showWin") ||
           name == QLatin1String("recTables");
}

// Items with a check mark, on when the window is created.
bool isCheckItem(const QString &name)
{
    return name == QLatin1String("checkU") || name == QLatin1String("showDetails");
}

struct ToolButton {
    const char *name;
    const char *text;
    const char *tooltip;
    QStyle::StandardPixmap icon; // SP_CustomBase: text only
};

const ToolButton toolTable[] = {
    {"tb(0)", "New", "New table", QStyle::SP_FileIcon},
    {"tb(1)", "Open", "Open table", QStyle::SP_DialogOpenButton},
    {"tb(2)", "Save", "Save current table", QStyle::SP_DialogSaveButton},
    {"tb(3)", "Save all", "Save all", QStyle::SP_DriveHDIcon},
    {"psum", "Summary", "Properties Summary", QStyle::SP_FileDialogInfoView},
    {"sx", "Save XSL", "Save XSL", QStyle::SP_CustomBase},
    {"edX", "Edit", "Edit properties", QStyle::SP_CustomBase},
    {"showXML", "XML", "Show XML window", QStyle::SP_CustomBase},
    {"showTable", "Table", "Show table window", QStyle::SP_CustomBase},
    {"showProperty", "Properties", "Show properties window", QStyle::SP_CustomBase},
    {"showWeb", "Web", "Show web window", QStyle::SP_CustomBase},
    {"showXSL", "XSL", "Show XSL code", QStyle::SP_CustomBase},
    {"runit", "Reload", "Reload", QStyle::SP_BrowserReload},
    {"rbrowser", "Browser", "Show web page in browser", QStyle::SP_ComputerIcon},
    {"goback", "Back", "Back", QStyle::SP_ArrowBack},
    {"goforward", "Forward", "Forward", QStyle::SP_ArrowForward},
    {"stopit", "Stop", "Stop loading page", QStyle::SP_BrowserStop},
};

void buildMenuBar(QMainWindow &window, MainMenus &menus)
{
    QMenu *top = nullptr;
    QMenu *sub = nullptr;
    for (const MenuRow &row : menuTable) {
        const QString name = QString::fromLatin1(row.name);
        const QString caption = QString::fromUtf8(row.caption);
        if (row.level == 0) {
            top = window.menuBar()->addMenu(caption);
            top->setObjectName(name);
            menus.items.insert(name, top->menuAction());
            continue;
        }
        QMenu *parent = row.level == 1 ? top : sub;
        QAction *action = nullptr;
        if (caption == QLatin1String("-")) {
            action = parent->addSeparator();
        } else if (row.level == 1 && opensSubmenu(name)) {
            sub = parent->addMenu(caption);
            sub->setObjectName(name);
            action = sub->menuAction();
        } else {
            action = parent->addAction(caption);
            action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
            action->setCheckable(isCheckItem(name));
            action->setChecked(isCheckItem(name));
        }
        action->setObjectName(name);
        menus.items.insert(name, action);
    }
    menus.recentTables = window.menuBar()->findChild<QMenu *>(QStringLiteral("recTables"));
}

void buildToolbar(QMainWindow &window, MainMenus &menus)
{
    menus.toolbar = window.addToolBar(QStringLiteral("Toolbar"));
    menus.toolbar->setObjectName(QStringLiteral("toolbar"));
    menus.toolbar->setMovable(false);
    menus.toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    QStyle *style = QApplication::style();
    for (const ToolButton &button : toolTable) {
        QAction *action = menus.toolbar->addAction(QString::fromUtf8(button.text));
        action->setToolTip(QString::fromUtf8(button.tooltip));
        if (button.icon != QStyle::SP_CustomBase)
            action->setIcon(style->standardIcon(button.icon));
        else if (auto *tool = qobject_cast<QToolButton *>(menus.toolbar->widgetForAction(action)))
            tool->setToolButtonStyle(Qt::ToolButtonTextOnly);
        action->setObjectName(QString::fromLatin1(button.name));
        menus.items.insert(action->objectName(), action);
    }
}

} // namespace

MainMenus buildMainMenus(QMainWindow &window)
{
    MainMenus menus;
    buildMenuBar(window, menus);
    buildToolbar(window, menus);
    return menus;
}
