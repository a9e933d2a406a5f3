#include "documents/recent_tables.h"
#include "documents/settings_files.h"
#include "documents/store_access.h"
#include "documents/table_commands.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "mainwindow/gui/main_menus.h"
#include "mainwindow/gui/slot_window_set.h"
#include "mainwindow/gui/vantor.h"
#include "mainwindow/menu_table.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

using Answer = UiServices::Answer;

// A started main window over a fresh data folder, with scripted dialogs.
struct Started {
    TempHome home;
    ScopedScriptedUi ui;
    QTemporaryDir examples;
    Vantor window;

    Started() { window.startUp({}, examples.path()); }

    QAction *action(const QString &control, int index = -1) const
    {
        return window.mainMenus().item(menuItemKey(control, index));
    }

    // A new table through the File menu and the scripted New table dialog.
    void newTable(const QString &name)
    {
        ui->fileAnswers.push_back(home.file(name + ".tvk"));
        action("newProject")->trigger();
    }
};

} // namespace

TEST(MenuCommandsGui, EveryItemHasItsCaptionShortcutAndMenu)
{
    Started s;
    for (const auto *items : {&menuBarItems(), &popupMenuItems()}) {
        for (const MenuItem &item : *items) {
            SCOPED_TRACE(item.control.toStdString());
            const QAction *action = s.action(item.control, item.index);
            ASSERT_NE(action, nullptr);
            if (item.isSeparator()) {
                EXPECT_TRUE(action->isSeparator());
                continue;
            }
            EXPECT_EQ(action->text(), item.caption);
            EXPECT_EQ(action->shortcut(), QKeySequence(item.shortcut));
            EXPECT_EQ(action->isChecked(), item.checked);
            if (!item.parent.isEmpty()) {
                const QMenu *menu = s.window.findChild<QMenu *>(item.parent);
                ASSERT_NE(menu, nullptr);
                EXPECT_TRUE(menu->actions().contains(action));
            }
        }
    }
    EXPECT_EQ(s.window.popupMenu("mainR")->actions().size(), 12);
    EXPECT_FALSE(s.window.menuBar()->actions().contains(s.window.popupMenu("mainX")->menuAction()));
    const QList<QAction *> buttons = s.window.mainMenus().toolbar->actions();
    ASSERT_EQ(buttons.size(), 17);
    for (size_t i = 0; i < toolbarButtons().size(); ++i)
        EXPECT_EQ(buttons[qsizetype(i)]->toolTip(), toolbarButtons()[i].tooltip);
}

TEST(MenuCommandsGui, ItemsAndShortcutsReachTheCurrentSlotsWindows)
{
    Started s;
    s.newTable("t");
    RecordingViews views;
    views.attach(workspace().currentViews());
    workspace().current().xmlPath = "/t/t.xml"; // enables the table's menus
    s.window.setMenuEnabled("tableMenu", true);
    s.window.setMenuEnabled("attMenu", true);
    s.window.setMenuEnabled("run", true);
    s.window.setMenuEnabled("showWins", true);

    s.window.popupMenu("mainR")->actions().at(1)->trigger();      // "New Attribute"
    s.window.mainMenus().item("stopit")->trigger();                // toolbar
    s.window.show();
    s.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&s.window));
    QTest::keyClick(&s.window, Qt::Key_T, Qt::ControlModifier); // New column
    QTest::keyClick(&s.window, Qt::Key_F5);                      // Run in window
    EXPECT_EQ(views.calls, (QStringList{"rep.badd_Click", "result.stopit_Click",
                                        "rep.addit_Click", "result.runit_Click"}));
    const int slot = workspace().curTable;
    EXPECT_TRUE(s.window.isWindowVisible(slot, SlotWindow::Rep)) << "shown first";
    EXPECT_TRUE(s.window.isWindowVisible(slot, SlotWindow::Result));

    // Ctrl+F4 is "Arrange default" even while a table window has the focus.
    s.window.setWindowVisible(slot, SlotWindow::Prop, false);
    SlotSubWindow *parser = s.window.slotWindow(slot, SlotWindow::Parser);
    s.window.mdiArea()->setActiveSubWindow(parser);
    QTest::keyClick(parser->widget(), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_TRUE(s.window.isWindowVisible(slot, SlotWindow::Prop));
    EXPECT_TRUE(parser->isVisible());
    workspace().currentViews() = {};
}

TEST(MenuCommandsGui, ForwardedCommandsWithoutWindowsDoNothing)
{
    Started s;
    for (const char *button : {"sx", "edX", "runit", "rbrowser", "goback", "goforward", "stopit"})
        s.window.mainMenus().item(button)->trigger();
    s.action("saveX", 10)->trigger();
    s.window.popupMenu("mainX")->actions().at(0)->trigger();
    EXPECT_TRUE(s.ui->messages.isEmpty());
    EXPECT_TRUE(s.ui->questions.isEmpty());
}

TEST(MenuCommandsGui, ViewMenuNeedsAnActiveTreeWindow)
{
    Started s;
    s.action("viewm", 0)->trigger();
    s.action("viewm", 35)->trigger();
    EXPECT_EQ(s.ui->messages, QStringList(2, "Click on a tree or it's window first."));
    EXPECT_FALSE(settingExists("set-visual-menuStyle"));

    s.newTable("t");
    s.ui->messages.clear();
    s.window.mdiArea()->setActiveSubWindow(s.window.slotWindow(workspace().curTable, SlotWindow::Parser));
    s.action("viewm", 5)->trigger(); // the XML window's tree; nothing to say
    EXPECT_TRUE(s.ui->messages.isEmpty());
    const bool style = s.window.menuStyle();
    s.action("viewm", 35)->trigger();
    EXPECT_EQ(s.window.menuStyle(), !style);
    EXPECT_EQ(readSetting("set-visual-menuStyle"), style ? "False" : "True");
}

TEST(MenuCommandsGui, NewTableFromTheToolbarThenSaveAsAndReopen)
{
    Started s;
    s.ui->fileAnswers = {s.home.file("first.tvk")};
    s.window.mainMenus().item("tb(0)")->trigger();
    EXPECT_EQ(s.window.windowTitle(), "Tarvik: Table " + s.home.file("first.tvk"));
    EXPECT_TRUE(QFile::exists(s.home.file("first.tvk")));
    EXPECT_TRUE(readFile(s.home.file("first.xsl")).contains("<xsl:template name=\"first\">"))
        << "a new table writes its stylesheet beside it";
    EXPECT_FALSE(workspace().current().tableChanged);
    EXPECT_TRUE(s.action("dosave")->isEnabled());

    setKey("Caption-Table", "Kept", true);
    s.ui->fileAnswers = {s.home.file("second.tvk")};
    s.action("saveas")->trigger();
    EXPECT_EQ(s.window.windowTitle(), "Tarvik: Table " + s.home.file("second.tvk"));
    EXPECT_FALSE(workspace().current().tableChanged);
    EXPECT_TRUE(readFile(s.home.file("second.xsl")).contains("<xsl:template name=\"second\">"));

    s.action("docloseit")->trigger();
    EXPECT_TRUE(s.ui->questions.isEmpty());
    EXPECT_EQ(s.window.windowTitle(), "Tarvik: No table open");
    openTable(s.home.file("second.tvk"));
    EXPECT_EQ(workspace().current().store.value("Caption-Table"), "Kept");
    EXPECT_FALSE(workspace().current().tableChanged);
}

TEST(MenuCommandsGui, RecentEntryOpensItsTableAndClosesWithoutAQuestion)
{
    TempHome home;
    ScopedScriptedUi ui;
    QTemporaryDir examples;
    {
        Vantor first;
        first.startUp({}, examples.path());
        ui->fileAnswers = {home.file("listed.tvk")};
        first.mainMenus().item("newProject")->trigger();
        first.mainMenus().item("docloseit")->trigger();
    }
    resetWorkspace();
    Vantor window;
    window.startUp({}, examples.path());
    const QList<QAction *> entries = window.mainMenus().recentTables->actions();
    ASSERT_EQ(entries.size(), 1);
    entries[0]->trigger();
    EXPECT_EQ(window.windowTitle(), "Tarvik: Table " + home.file("listed.tvk"));
    window.mainMenus().item("docloseit")->trigger();
    EXPECT_TRUE(ui->questions.isEmpty());
    EXPECT_TRUE(ui->messages.isEmpty());
}
