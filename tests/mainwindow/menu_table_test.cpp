#include "documents/settings_files.h"
#include "documents/workspace.h"
#include "mainwindow/menu_commands.h"
#include "mainwindow/menu_style.h"
#include "support/fake_main_window.h"
#include "support/recording_menu_host.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using P = Procedure;
using W = SlotWindow;
using Host = RecordingMenuHost;

// The item with that control name and index, or null.
const MenuItem *findMenuItem(const QString &control, int index = -1)
{
    for (const auto *list : {&menuBarItems(), &popupMenuItems()})
        for (const MenuItem &candidate : *list)
            if (candidate.control == control && candidate.index == index)
                return &candidate;
    return nullptr;
}

struct Expected {
    const char *control;
    int index;
    const char *caption;
    const char *key;
    QStringList effects; // what running the item records, in order
};

QStringList main(Procedure procedure, int argument = -1) { return {Host::ran(procedure, argument)}; }
QStringList onWindow(const char *call) { return {call}; }
QStringList shownThen(SlotWindow window, const QStringList &then)
{
    return QStringList{FakeMainWindow::shown(window)} + then;
}

// The menu bar as the users' manual lists it, with the table window active.
std::vector<Expected> expectedMenuBar()
{
    return {
        {"mainFile", -1, "&File", "", {}},
        {"openProject", -1, "&Open table", "", main(P::openProject_Click)},
        {"newProject", -1, "&New table", "", main(P::newProject_Click)},
        {"dash", 0, "-", "", {}},
        {"docloseit", -1, "&Close table", "", main(P::docloseit_Click)},
        {"das11", -1, "-", "", {}},
        {"dosave", -1, "&Save table", "Ctrl+S", main(P::dosave_Click)},
        {"saveall", -1, "Sa&ve all tables", "", main(P::saveall_Click)},
        {"saveas", -1, "Save table &As", "", main(P::saveas_Click)},
        {"dash93", -1, "-", "", {}},
        {"propsum", -1, "Properties summary", "", main(P::propsum_Click)},
        {"dash1", -1, "-", "", {}},
        {"gopub", -1, "Publish", "", {}},
        {"pubPHPXsltProc", -1, "PHP (xsltproc)", "", main(P::pubPHPXsltProc_Click)},
        {"genpub", -1, "Only XML and XSL (general purpose)", "", main(P::genpub_Click)},
        {"dash543", -1, "-", "", {}},
        {"delProject", -1, "D&elete table", "", main(P::delProject_Click)},
        {"dash9", -1, "-", "", {}},
        {"recTables", -1, "&Recent tables", "", {}},
        {"dash83", -1, "-", "", {}},
        {"doexit", -1, "E&xit", "", main(P::doexit_Click)},
        {"mview", -1, "&View", "", {}},
        {"viewm", 0, "Expand  tree", "Ctrl+F1", {"expand 3:1"}},
        {"viewm", 5, "Collapse tree", "Ctrl+F2", {"expand 3:0"}},
        {"viewm", 10, "Scroll trees to left", "Ctrl+F3", {"scrollLeft", "scrollLeft"}},
        {"viewm", 15, "-", "", {}},
        {"viewm", 20, "Generated XSL code", "", main(P::shgenXSL_Click)},
        {"viewm", 30, "-", "", {}},
        {"viewm", 35, "Toggle menu style", "", {"style 1"}},
        {"xmlmenu", -1, "&XML", "", {}},
        {"xmlfile", 0, "Open XML file", "", shownThen(W::Parser, onWindow("parser.cmdBrowse_Click"))},
        {"xmlfile", 10, "Load default XML file", "",
         shownThen(W::Parser, {"parser.cmdBrowse_Click [" + dataFolder() + "/defaultXML.xml]"})},
        {"xmlfile", 20, "-", "", {}},
        {"newx", -1, "New column", "", onWindow("parser.makeit_Click")},
        {"tableMenu", -1, "&Table", "", {}},
        {"tableOp", 0, "New column", "Ctrl+T", shownThen(W::Rep, onWindow("rep.addit_Click"))},
        {"tableOp", 5, "Delete column", "", shownThen(W::Rep, onWindow("rep.removeit_Click"))},
        {"tableOp", 10, "Rename column", "", shownThen(W::Rep, onWindow("rep.ren_Click"))},
        {"tableOp", 15, "-", "", {}},
        {"tableOp", 20, "Show column properties", "",
         shownThen(W::Rep, main(P::showColumnProperties))},
        {"attMenu", -1, "&Attributes", "", {}},
        {"attm", 0, "New", "Ctrl+R", shownThen(W::Rep, onWindow("rep.badd_Click"))},
        {"attm", 5, "Delete", "", shownThen(W::Rep, onWindow("rep.bdel_Click"))},
        {"dash87", -1, "-", "", {}},
        {"editA", -1, "Edit attribute", "", onWindow("rep.edX_Click")},
        {"xslmenu", -1, "X&SL", "", {}},
        {"shgenXSL", -1, "Show generated XSL", "Ctrl+F8", main(P::shgenXSL_Click)},
        {"dash13", -1, "-", "", {}},
        {"saveX", 0, "Save XSL", "Shift+F3", onWindow("xslCode.showGenerated")},
        {"saveX", 10, "Save XSL as", "", onWindow("xslCode.showGenerated")},
        {"run", -1, "&Run", "", {}},
        {"rw", -1, "Run in window", "F5", shownThen(W::Result, onWindow("result.runit_Click"))},
        {"runbrowser", -1, "Run in browser", "F4", onWindow("result.rbrowser_Click")},
        {"showWins", -1, "&Windows", "", {}},
        {"doCascade", 0, "Cascade", "", main(P::doCascade_Click)},
        {"doTileH", 5, "Tile Horizontally", "", main(P::doTileH_Click)},
        {"doTileV", 10, "Tile Vertically", "", main(P::doTileV_Click)},
        {"doArrange", -1, "Arrange", "", main(P::doArrange_Click)},
        {"doDef", -1, "Arrange default", "Ctrl+F4", main(P::doDef_Click)},
        {"doFit", -1, "Fit to container resize", "Ctrl+F5", main(P::doFit_Click)},
        {"dash2", 15, "-", "", {}},
        {"showWin", -1, "Show", "", {}},
        {"showOne", 20, "XML Document", "", main(P::showOne_Click, 20)},
        {"showOne", 25, "Table", "", main(P::showOne_Click, 25)},
        {"showOne", 35, "Properties", "", main(P::showOne_Click, 35)},
        {"showOne", 40, "Web Page", "", main(P::showOne_Click, 40)},
        {"showOne", 45, "XSL code", "", main(P::showOne_Click, 45)},
        {"doH", -1, "&Help", "", {}},
        {"doHelp", 0, "Help", "F1", main(P::doHelp_Click, 0)},
        {"dash67", -1, "-", "", {}},
        {"cnow", -1, "Check for updates", "", main(P::cnow_Click)},
        {"checkU", -1, "Check for updates on startup", "", main(P::checkU_Click)},
        {"whatsNew", -1, "What's new", "", main(P::whatsNew_Click)},
        {"dash19", -1, "-", "", {}},
        {"showDetails", -1, "Show/Hide detailed help tooltips", "", main(P::showDetails_Click)},
        {"showT", -1, "Show first-time helpers again", "Shift+F1", main(P::showT_Click)},
        {"dash43", -1, "-", "", {}},
        {"doabout", -1, "About", "", main(P::doabout_Click)},
    };
}

const std::vector<Expected> &expectedPopups()
{
    static const std::vector<Expected> items = {
        {"mainX", -1, "mainX", "", {}},
        {"addXcolumn", -1, "Map to new column", "", onWindow("parser.makeit_Click")},
        {"mainR", -1, "mainR", "", {}},
        {"addCol", -1, "New column", "", onWindow("rep.addit_Click")},
        {"addAttribute", -1, "New Attribute", "", onWindow("rep.badd_Click")},
        {"dash92", -1, "-", "", {}},
        {"editAttribute", -1, "Edit attribute", "", onWindow("rep.edX_Click")},
        {"dash91", -1, "-", "", {}},
        {"renameColumn", -1, "Rename Column", "", onWindow("rep.ren_Click")},
        {"dash921", -1, "-", "", {}},
        {"moveUp", -1, "Move column up", "", onWindow("rep.mup_Click")},
        {"moveDown", -1, "Move column down", "", onWindow("rep.mdown_Click")},
        {"dash94", -1, "-", "", {}},
        {"deleteColumn", -1, "Delete Column", "", onWindow("rep.removeit_Click")},
        {"deleteAttribute", -1, "Delete Attribute", "", onWindow("rep.bdel_Click")},
    };
    return items;
}

class MenuTable : public ::testing::Test {
protected:
    TempHome home;
    ScopedScriptedUi ui;
    FakeMainWindow window;
    RecordingViews views;
    Host host;

    void SetUp() override
    {
        views.attach(workspace().currentViews());
        window.createWindowSet(0);
        // A table with its XML document: every item is enabled.
        workspace().current().tablePath = home.file("T.tvk");
        workspace().current().xmlPath = home.file("T.xml");
        workspace().slotUsed[0] = true;
    }

    QStringList effectsOf(const MenuItem &item)
    {
        window.visible.clear(); // every window hidden
        window.shownLog.clear();
        host.calls.clear();
        views.calls.clear();
        runMenuItem(item, host);
        return window.shownLog + host.calls + views.calls;
    }

    void expectItems(const std::vector<MenuItem> &items, const std::vector<Expected> &expected)
    {
        ASSERT_EQ(items.size(), expected.size());
        for (size_t i = 0; i < items.size(); ++i) {
            const MenuItem &item = items[i];
            const Expected &want = expected[i];
            SCOPED_TRACE(want.control + QString(" %1").arg(want.index).toStdString());
            EXPECT_EQ(item.control, want.control);
            EXPECT_EQ(item.index, want.index);
            EXPECT_EQ(item.caption, want.caption);
            EXPECT_EQ(item.shortcut, want.key);
            EXPECT_EQ(effectsOf(item), want.effects);
        }
    }
};

} // namespace

TEST_F(MenuTable, EveryMenuBarItemReachesItsHandler)
{
    expectItems(menuBarItems(), expectedMenuBar());
    EXPECT_TRUE(findMenuItem("checkU")->checked);
    EXPECT_TRUE(findMenuItem("showDetails")->checked);
    EXPECT_FALSE(findMenuItem("cnow")->checked);
}

TEST_F(MenuTable, EveryPopupItemReachesItsHandler) { expectItems(popupMenuItems(), expectedPopups()); }

TEST_F(MenuTable, SubmenuItemsHangUnderTheirHolders)
{
    EXPECT_EQ(findMenuItem("pubPHPXsltProc")->parent, "gopub");
    EXPECT_EQ(findMenuItem("gopub")->parent, "mainFile");
    EXPECT_EQ(findMenuItem("showOne", 45)->parent, "showWin");
    EXPECT_EQ(findMenuItem("showWin")->parent, "showWins");
    EXPECT_EQ(findMenuItem("deleteAttribute")->parent, "mainR");
    EXPECT_EQ(findMenuItem("mainR")->parent, "");
    EXPECT_EQ(findMenuItem("viewm", 1), nullptr);
}

TEST_F(MenuTable, SeventeenToolbarButtonsWithTheirTooltipsAndHandlers)
{
    const std::vector<std::pair<QString, QStringList>> expected = {
        {"New table", main(P::newProject_Click)},
        {"Open table", main(P::openProject_Click)},
        {"Save current table", main(P::dosave_Click)},
        {"Save all", main(P::saveall_Click)},
        {"Properties Summary", main(P::propsum_Click)},
        {"Save XSL", onWindow("xslCode.showGenerated")},
        {"Edit properties", onWindow("rep.edX_Click")},
        {"Show XML window", main(P::showOne_Click, 20)},
        {"Show table window", main(P::showOne_Click, 25)},
        {"Show properties window", main(P::showOne_Click, 35)},
        {"Show web window", main(P::showOne_Click, 40)},
        {"Show XSL code", main(P::showOne_Click, 45)},
        {"Reload", onWindow("result.runit_Click")},
        {"Show web page in browser", onWindow("result.rbrowser_Click")},
        {"Back", onWindow("result.goback_Click")},
        {"Forward", onWindow("result.goforward_Click")},
        {"Stop loading page", onWindow("result.stopit_Click")},
    };
    const auto &buttons = toolbarButtons();
    ASSERT_EQ(buttons.size(), expected.size());
    for (size_t i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(buttons[i].control.toStdString());
        host.calls.clear();
        views.calls.clear();
        runToolbarButton(buttons[i], host);
        EXPECT_EQ(buttons[i].tooltip, expected[i].first);
        EXPECT_EQ(host.calls + views.calls, expected[i].second);
    }
    EXPECT_EQ(buttons[0].control, "tb");
    EXPECT_EQ(buttons[3].index, 3);
}

TEST_F(MenuTable, CommandsOnASlotWithoutWindowsAreSkippedSilently)
{
    workspace().currentViews() = SlotViews{};
    for (const auto *items : {&menuBarItems(), &popupMenuItems()})
        for (const MenuItem &item : *items)
            if (windowOf(item.procedure))
                runMenuItem(item, host);
    for (const ToolbarButton &button : toolbarButtons())
        if (windowOf(button.procedure))
            runToolbarButton(button, host);
    saveX_Click(0);
    EXPECT_TRUE(views.calls.isEmpty());
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_TRUE(ui->questions.isEmpty());
}

TEST_F(MenuTable, PublishItemsSetTheModeBeforeTheDialog)
{
    runMenuItem(*findMenuItem("pubPHPXsltProc"), host);
    EXPECT_TRUE(workspace().publishPhpMode);
    runMenuItem(*findMenuItem("genpub"), host);
    EXPECT_FALSE(workspace().publishPhpMode);
    EXPECT_EQ(host.calls, (QStringList{Host::ran(P::pubPHPXsltProc_Click), Host::ran(P::genpub_Click)}));
}

TEST_F(MenuTable, DetailedTooltipsItemTogglesTheTableFileFlagAndItsCheckMark)
{
    ASSERT_TRUE(workspace().showDetails);
    runMenuItem(*findMenuItem("showDetails"), host);
    EXPECT_FALSE(workspace().showDetails);
    EXPECT_FALSE(window.menuChecked.value("showDetails", true));
    runMenuItem(*findMenuItem("showDetails"), host);
    EXPECT_TRUE(workspace().showDetails);
    EXPECT_TRUE(window.menuChecked.value("showDetails", false));
}

TEST_F(MenuTable, SaveXOfThePropertySheetWritesTheOutputAndShowsIt)
{
    TableDocument &doc = workspace().current();
    doc.tablePath = home.file("t.tvk");
    doc.xslFileName = "t.xsl";
    doc.xslFileDir = home.path() + "/";
    saveX_Click(0);
    EXPECT_TRUE(QFile::exists(home.file("t.xsl")));
    saveX_Click(10);
    ASSERT_EQ(ui->fileDialogs.size(), 1);
    EXPECT_EQ(ui->fileDialogs[0].title, "Save XSL");
    saveX_Click(5);
    EXPECT_EQ(views.calls, (QStringList{"xslCode.showGenerated", "xslCode.showGenerated"}));
}

TEST_F(MenuTable, DefaultXmlIsPresetOnlyDuringItsOwnCall)
{
    runMenuItem(*findMenuItem("xmlfile", 10), host);
    runMenuItem(*findMenuItem("xmlfile", 0), host);
    EXPECT_EQ(views.calls, (QStringList{"parser.cmdBrowse_Click [" + dataFolder() + "/defaultXML.xml]",
                                        "parser.cmdBrowse_Click"}));
    EXPECT_EQ(workspace().presetXmlPath, "");
}

TEST_F(MenuTable, ViewMenuWithoutActiveWindowShowsItsMessageForEveryItem)
{
    host.active = ActiveChild::none;
    for (int index : {0, 5, 10, 20, 35}) {
        ui->messages.clear();
        viewm_Click(index, host);
        EXPECT_EQ(ui->messages, QStringList{"Click on a tree or it's window first."});
    }
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_FALSE(settingExists("set-visual-menuStyle"));
}

TEST_F(MenuTable, ExpandAndCollapseApplyToTheTwoTreesOnly)
{
    host.active = ActiveChild::other;
    viewm_Click(0, host);
    viewm_Click(5, host);
    EXPECT_EQ(ui->messages, QStringList(2, "This function doesn't apply to this window."));
    host.active = ActiveChild::propertySheet;
    viewm_Click(0, host);
    host.active = ActiveChild::xmlWindow;
    viewm_Click(5, host);
    EXPECT_EQ(ui->messages.size(), 2);
    EXPECT_EQ(host.calls, QStringList{"expand 2:0"});
    // Items other than expanding work with any active window.
    host.active = ActiveChild::other;
    viewm_Click(10, host);
    EXPECT_EQ(views.calls.last(), "scrollLeft");
}

TEST_F(MenuTable, MenuStyleToggleWritesTrueAndFalseInTurn)
{
    const MenuItem &toggle = *findMenuItem("viewm", 35);
    runMenuItem(toggle, host);
    EXPECT_EQ(readSetting("set-visual-menuStyle"), "True");
    EXPECT_EQ(readMenuStyle(), true);
    runMenuItem(toggle, host);
    EXPECT_EQ(readSetting("set-visual-menuStyle"), "False");
    EXPECT_EQ(readMenuStyle(), false);
    EXPECT_FALSE(host.style);
}

TEST_F(MenuTable, FailedMenuStyleWriteKeepsTheNewLookAndIsReported)
{
    QDir(home.path()).mkdir("set-visual-menuStyle");
    viewm_Click(35, host);
    EXPECT_TRUE(host.style);
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].startsWith("Cannot write to file "));
}
