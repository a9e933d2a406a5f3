#include "documents/settings_files.h"
#include "documents/table_commands.h"
#include "documents/table_file_writer.h"
#include "documents/table_slots.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "mainwindow/gui/slot_window_set.h"
#include "mainwindow/gui/tab_strip.h"
#include "platform/widgets/gui/tree_icons.h"
#include "mainwindow/gui/vantor.h"
#include "documents/main_controls.h"
#include "support/gui/started_main_window.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

// Takes a slot for a table as the table commands do, with its table file and XML document.
void takeSlotFor(const QString &path, const QString &xml = QString())
{
    ASSERT_TRUE(newTableSlot());
    addTableTab(path);
    resetEverything();
    workspace().current().tablePath = path;
    workspace().current().xmlPath = xml;
    goControls();
}

bool shown(const Vantor &window, int slot, SlotWindow kind)
{
    const SlotSubWindow *sub = window.slotWindow(slot, kind);
    return sub && sub->isVisible();
}

constexpr SlotWindow allKinds[] = {SlotWindow::Parser, SlotWindow::Rep, SlotWindow::Prop,
                                   SlotWindow::Result, SlotWindow::XslCode};

} // namespace

TEST(MainWindow, FirstStartMaximizesAndCopiesTheExampleTables)
{
    TempHome home;
    ScopedScriptedUi ui;
    QTemporaryDir examples;
    writeFile(examples.filePath("demo_one.tvk"), "x", true);
    {
        Vantor window;
        window.startUp({}, examples.path());
        EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
        EXPECT_TRUE(QFile::exists(home.file("tables/demo_one.tvk")));
        EXPECT_EQ(readSetting("defaultXML.xml"), "<root>\r\n  Default XML\r\n</root>");
        EXPECT_EQ(treeIconKeys().size(), 14);
        EXPECT_FALSE(treeIcon("Select").isNull());
        window.close();
    }
    Vantor again;
    again.startUp({}, examples.path());
    EXPECT_FALSE(again.windowState() & Qt::WindowMaximized) << "the tables folder exists";
}

TEST(MainWindow, TheTimerLeavesMaximizedAndMinimizedWindowsAlone)
{
    Started s;
    s.window.resize(900, 700);
    s.window.show();
    takeSlotFor("/t/a.tvk");
    SlotSubWindow *parser = s.window.slotWindow(0, SlotWindow::Parser);
    parser->showMaximized();
    QApplication::processEvents();
    const QRect maximized = parser->geometry();
    s.window.checkPos_Timer();
    QApplication::processEvents();
    EXPECT_TRUE(parser->isMaximized());
    EXPECT_EQ(parser->geometry(), maximized);

    parser->showMinimized();
    QApplication::processEvents();
    const QRect minimized = parser->geometry();
    s.window.checkPos_Timer();
    QApplication::processEvents();
    EXPECT_TRUE(parser->isMinimized());
    EXPECT_EQ(parser->geometry(), minimized);
}

TEST(MainWindow, DetailedTooltipsCheckMarkFollowsTheWorkspace)
{
    Started s;
    QAction *item = s.window.mainMenus().item("showDetails");
    workspace().showDetails = false;
    takeSlotFor("/t/a.tvk");
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(workspace().showDetails);
    EXPECT_TRUE(item->isChecked());
}

TEST(MainWindow, NoTableOpenCaptionAndMenus)
{
    Started s;
    EXPECT_EQ(s.window.windowTitle(), "Tarvik: No table open");
    const std::set<QString> disabled{"xmlmenu", "propsum", "saveall", "docloseit", "dosave",
                                     "saveas",  "tableMenu", "newx", "xslmenu", "gopub",
                                     "attMenu", "run",     "showWins",
                                     // the toolbar buttons of those items
                                     "tb(2)", "tb(3)", "psum", "sx", "edX", "runit", "rbrowser"};
    const MainMenus &menus = s.window.mainMenus();
    for (auto it = menus.items.begin(); it != menus.items.end(); ++it)
        EXPECT_EQ(it.value()->isEnabled(), !disabled.count(it.key())) << it.key().toStdString();
    EXPECT_TRUE(s.window.isVisible());
    EXPECT_TRUE(s.window.updateTimerActive());
    EXPECT_TRUE(menus.item("checkU")->isChecked());
}

TEST(MainWindow, TableAndXmlDocumentEnableTheirMenus)
{
    Started s;
    takeSlotFor("/t/a.tvk");
    EXPECT_EQ(s.window.windowTitle(), "Tarvik: Table /t/a.tvk");
    const MainMenus &menus = s.window.mainMenus();
    EXPECT_TRUE(menus.item("dosave")->isEnabled());
    EXPECT_TRUE(menus.item("xmlmenu")->isEnabled());
    EXPECT_FALSE(menus.item("tableMenu")->isEnabled());
    EXPECT_TRUE(shown(s.window, 0, SlotWindow::Parser));
    EXPECT_FALSE(shown(s.window, 0, SlotWindow::Rep));
    workspace().current().xmlPath = "/t/a.xml";
    goControls();
    EXPECT_TRUE(menus.item("tableMenu")->isEnabled());
    EXPECT_TRUE(menus.item("showWins")->isEnabled());
    EXPECT_TRUE(shown(s.window, 0, SlotWindow::Rep));
    EXPECT_FALSE(shown(s.window, 0, SlotWindow::XslCode));
}

TEST(MainWindow, RecentTablesMenuShowsTwentyOfTwentyFive)
{
    TempHome home;
    ScopedScriptedUi ui;
    QString list;
    for (int i = 0; i < 25; ++i) {
        const QString path = home.file(QStringLiteral("r%1.tvk").arg(i));
        writeFile(path, "", true);
        list += path + "\r\n";
    }
    writeSetting("set-lastfile", list);
    Vantor window;
    window.startUp({}, home.path());
    const QList<QAction *> entries = window.mainMenus().recentTables->actions();
    ASSERT_EQ(entries.size(), 20);
    EXPECT_EQ(entries.first()->text(), home.file("r0.tvk"));
    EXPECT_EQ(entries.last()->text(), home.file("r19.tvk"));
}

TEST(MainWindow, GeometryComesFromTheSettingsAndGoesBackAtTheEnd)
{
    TempHome home;
    ScopedScriptedUi ui;
    QDir().mkpath(home.file("tables")); // not the first start
    Vantor window;
    const TwipsPerPixel tp = window.screenTwips();
    writeSetting("set-mainleft", QString::number(40 * tp.tpx));
    writeSetting("set-maintop", QString::number(30 * tp.tpy));
    writeSetting("set-mainwidth", QString::number(800 * tp.tpx));
    writeSetting("set-mainheight", QString::number(600 * tp.tpy));
    window.startUp({}, home.path());
    EXPECT_EQ(window.geometry(), QRect(40, 30, 800, 600));

    window.setWindowState(Qt::WindowMaximized);
    window.close();
    EXPECT_EQ(readSetting("set-mainwidth").toDouble(), 800 * tp.tpx) << "the normal geometry";
    EXPECT_EQ(readSetting("set-mainleft").toDouble(), 40 * tp.tpx);
}

TEST(MainWindow, ATableMadeFromTheCommandLineGetsTheDefaultArrangement)
{
    TempHome home;
    ScopedScriptedUi ui;
    QDir().mkpath(home.file("tables")); // not the first start
    writeFile(home.file("data.xml"), "<rows><row/></rows>", true);
    Vantor window;
    window.startUp({home.file("data.xml"), home.file("page.xsl"), home.file("made.tvk")},
                   home.path());
    ASSERT_EQ(workspace().current().tablePath, home.file("made.tvk"));
    // Across and in width: the timer may have moved the top row below the tab strip.
    const auto across = [&window](SlotWindow kind) {
        const QRect place = window.slotWindow(0, kind)->geometry();
        return std::pair(place.left(), place.width());
    };
    QList<std::pair<int, int>> started;
    for (SlotWindow kind : allKinds)
        started << across(kind);
    window.doDef_Click();
    for (SlotWindow kind : allKinds)
        EXPECT_EQ(across(kind), started.takeFirst());
}

TEST(MainWindow, TheTableAfterTheLastSlotIsRefused)
{
    Started s;
    for (int i = 0; i < maxTables; ++i)
        takeSlotFor(QStringLiteral("/t/t%1.tvk").arg(i));
    EXPECT_EQ(workspace().curTable, 120);
    EXPECT_FALSE(newTableSlot());
    EXPECT_EQ(s.ui->messages, QStringList{"Number of open tables limit reached. Please close "
                                          "some of the tables first."});
    EXPECT_EQ(workspace().curTable, 120);
    EXPECT_EQ(s.window.tabStrip()->atabs()->count(), maxTables);
}

TEST(MainWindow, OnlyTheCurrentSlotsWindowsAreVisible)
{
    Started s;
    takeSlotFor("/t/first.tvk", "/t/first.xml");
    takeSlotFor("/t/second.v2.tvk", "/t/second.xml");
    QTabBar *tabs = s.window.tabStrip()->atabs();
    EXPECT_EQ(tabs->tabText(1), "second");
    for (SlotWindow kind : allKinds)
        EXPECT_FALSE(shown(s.window, 0, kind));
    EXPECT_TRUE(shown(s.window, 1, SlotWindow::Rep));

    tabs->setCurrentIndex(0);
    EXPECT_EQ(workspace().curTable, 0);
    EXPECT_EQ(s.window.windowTitle(), "Tarvik: Table /t/first.tvk");
    for (SlotWindow kind : allKinds)
        EXPECT_FALSE(shown(s.window, 1, kind));
    for (SlotWindow kind : {SlotWindow::Parser, SlotWindow::Rep, SlotWindow::Prop,
                            SlotWindow::Result})
        EXPECT_TRUE(shown(s.window, 0, kind));
}

TEST(MainWindow, AWindowClosedByTheUserIsHiddenAndComesBack)
{
    Started s;
    takeSlotFor("/t/a.tvk", "/t/a.xml");
    takeSlotFor("/t/b.tvk", "/t/b.xml");
    SlotSubWindow *rep = s.window.slotWindow(1, SlotWindow::Rep);
    rep->close();
    EXPECT_FALSE(rep->isVisible());
    EXPECT_TRUE(workspace().current().repShown);
    s.window.tabStrip()->atabs()->setCurrentIndex(0);
    s.window.tabStrip()->atabs()->setCurrentIndex(1);
    EXPECT_EQ(s.window.slotWindow(1, SlotWindow::Rep), rep) << "reused, not recreated";
    EXPECT_TRUE(rep->isVisible());

    s.window.showOne_Click(45);
    EXPECT_TRUE(shown(s.window, 1, SlotWindow::XslCode));
    EXPECT_TRUE(workspace().current().xslCodeShown);
    s.window.slotWindow(1, SlotWindow::XslCode)->close();
    EXPECT_FALSE(workspace().current().xslCodeShown) << "closing the stylesheet view clears it";
}

TEST(MainWindow, ClosingTheLastTableLeavesTheNoTableState)
{
    Started s;
    takeSlotFor("/t/a.tvk", "/t/a.xml");
    SlotSubWindow *parser = s.window.slotWindow(0, SlotWindow::Parser);
    workspace().current().reset();
    resetEverything();
    closeTableTab();
    switchTable();
    EXPECT_EQ(s.window.tabStrip()->atabs()->count(), 0);
    EXPECT_FALSE(workspace().slotUsed[0]);
    EXPECT_EQ(s.window.windowTitle(), "Tarvik: No table open");
    EXPECT_FALSE(s.window.mainMenus().item("dosave")->isEnabled());
    takeSlotFor("/t/b.tvk");
    EXPECT_EQ(workspace().curTable, 0);
    EXPECT_EQ(s.window.slotWindow(0, SlotWindow::Parser), parser);
}

TEST(MainWindow, DefaultPositionsAndTheTimerInPixels)
{
    Started s;
    s.window.resize(900, 700);
    takeSlotFor("/t/a.tvk", "/t/a.xml");
    const QSize client = s.window.mdiArea()->viewport()->size();
    const int w3 = int(std::lround(client.width() / 3.0 - 3));
    EXPECT_EQ(s.window.slotWindow(0, SlotWindow::Parser)->geometry(),
              QRect(0, 0, w3, int(std::lround(client.height() / 2.0))));
    s.window.checkPos_Timer();
    const QRect parser = s.window.slotWindow(0, SlotWindow::Parser)->geometry();
    EXPECT_EQ(parser.top(), 27) << "below the tab strip";
    EXPECT_EQ(parser.bottom() + 1, int(std::lround(client.height() / 2.0)));
    EXPECT_EQ(s.window.slotWindow(0, SlotWindow::Result)->y(),
              int(std::lround(client.height() / 2.0)))
        << "already below the strip";

    s.window.slotWindow(0, SlotWindow::Rep)->move(100, 5);
    const TableDocument &doc = workspace().current();
    EXPECT_DOUBLE_EQ(doc.geometry[size_t(SlotWindow::Rep)].top, 5 * s.window.screenTwips().tpy)
        << "a move by the user reaches the model";
    s.window.checkPos_Timer();
    EXPECT_EQ(s.window.slotWindow(0, SlotWindow::Rep)->y(), 27);
}

TEST(MainWindow, ShowEntriesTellWhyNothingShows)
{
    Started s;
    s.window.showOne_Click(20);
    takeSlotFor("/t/a.tvk");
    s.window.showOne_Click(25);
    EXPECT_EQ(s.ui->messages, (QStringList{"Open a table, or create new table to show windows.",
                                           "Open XML file to show windows."}));
    s.window.slotWindow(0, SlotWindow::Parser)->hide();
    s.window.showOne_Click(20);
    EXPECT_TRUE(shown(s.window, 0, SlotWindow::Parser));
}

TEST(MainWindow, CommandLineTableThatDoesNotExistLeavesNoTab)
{
    Started s({"/nowhere/missing.TVK,/o/x.xsl,Name"});
    EXPECT_EQ(s.ui->messages, QStringList{"Can't find file /nowhere/missing.TVK. Please make "
                                          "sure file exists and you have access to it."});
    EXPECT_EQ(s.window.tabStrip()->atabs()->count(), 0);
    EXPECT_EQ(s.window.commandLineName(), "Name");
    EXPECT_FALSE(workspace().slotUsed[0]);
    EXPECT_TRUE(workspace().current().xslFileName.isEmpty()) << "no slot, no XSL output";
}

TEST(MainWindow, ExitAsksAboutChangedTablesInSlotOrder)
{
    Started s;
    for (const char *name : {"a", "b", "c"})
        takeSlotFor(s.home.file(QStringLiteral("%1.tvk").arg(name)));
    workspace().tables[0].tableChanged = workspace().tables[2].tableChanged = true;

    s.ui->answers = {UiServices::Answer::Yes, UiServices::Answer::Cancel};
    s.window.mainMenus().item("doexit")->trigger();
    EXPECT_EQ(s.ui->questions.size(), 2);
    EXPECT_TRUE(s.ui->questions[0].contains("a.tvk"));
    EXPECT_TRUE(s.ui->questions[1].contains("c.tvk"));
    EXPECT_TRUE(s.window.isVisible()) << "Cancel keeps the program running";
    EXPECT_FALSE(settingExists("set-mainleft"));
    EXPECT_FALSE(workspace().tables[0].tableChanged) << "saved by Yes";

    s.ui->questions.clear();
    s.ui->answers = {UiServices::Answer::No};
    s.window.close();
    EXPECT_EQ(s.ui->questions, QStringList{"Table " + s.home.file("c.tvk") +
                                           " has not been saved. Do you want to save it?"});
    EXPECT_FALSE(s.window.isVisible());
    EXPECT_TRUE(settingExists("set-mainleft"));
}

TEST(MainWindow, CommandLineTableIsReadIntoSlotZero)
{
    TempHome home;
    const QString path = home.file("orders.v1.tvk");
    {
        TableDocument &doc = workspace().current();
        doc.tablePath = path;
        doc.xslFileName = "orders.xsl";
        doc.store.set("Xpath-Table", "/orders/order");
        writeTableFile(path);
        resetWorkspace();
    }
    Started s({path, home.file("out/final.xsl")});
    EXPECT_EQ(s.window.tabStrip()->atabs()->tabText(0), "orders");
    EXPECT_EQ(s.window.windowTitle(), "Tarvik: Table " + path);
    const TableDocument &doc = workspace().current();
    EXPECT_EQ(doc.store.value("Xpath-Table"), "/orders/order");
    EXPECT_FALSE(doc.tableChanged);
    EXPECT_EQ(doc.xslFileName, "final.xsl") << "the command line wins over the table file";
    EXPECT_EQ(doc.xslFileDir, home.file("out/"));
    EXPECT_TRUE(readSetting("set-lastfile").startsWith(path + "\r\n"));
    EXPECT_TRUE(shown(s.window, 0, SlotWindow::Parser));
}

TEST(MainWindow, ExampleTablesOpenWithTheirXmlDocuments)
{
    TempHome home;
    ScopedScriptedUi ui;
    Vantor window;
    window.startUp({}, ":/examples");
    const QDir tables(home.file("tables"));
    EXPECT_EQ(tables.entryList({"demo_*"}, QDir::Files),
              (QStringList{"demo_books.tvk", "demo_books.xml", "demo_orders.tvk",
                           "demo_orders.xml"}));
    for (const QString &name : {QString("demo_books"), QString("demo_orders")}) {
        const QString path = tables.filePath(name + ".tvk");
        ASSERT_TRUE(newTableSlot());
        addTableTab(path);
        resetEverything();
        readProject(path);
        const TableDocument &doc = workspace().current();
        EXPECT_EQ(doc.tablePath, path);
        EXPECT_TRUE(QFileInfo(doc.xmlPath).isFile()) << "found beside the table";
        EXPECT_GE(doc.tree.root()->children.size(), 4u);
        EXPECT_FALSE(doc.store.value("Xpath-Table").isEmpty());
        EXPECT_TRUE(doc.cachedXmlText.startsWith("<?xml"));
    }
    EXPECT_TRUE(ui->messages.isEmpty());
}

TEST(MainWindow, StoredMenuStyleAndUpdateOptionAreApplied)
{
    TempHome home;
    ScopedScriptedUi ui;
    writeSetting("set-visual-menuStyle", "False");
    writeSetting("autoupdate-option", "False");
    Vantor window;
    const QString office = window.menuBar()->styleSheet();
    window.startUp({}, home.path());
    EXPECT_FALSE(window.menuStyle());
    EXPECT_NE(window.menuBar()->styleSheet(), office);
    EXPECT_FALSE(window.mainMenus().item("checkU")->isChecked());
    EXPECT_FALSE(window.updateTimerActive());
}
