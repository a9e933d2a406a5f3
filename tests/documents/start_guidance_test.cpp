#include "documents/column_types.h"
#include "documents/settings_files.h"
#include "documents/start_guidance.h"
#include "documents/table_commands.h"
#include "documents/table_commands_menu.h"
#include "documents/table_slots.h"
#include "documents/workspace.h"
#include "support/fake_main_window.h"
#include "support/recording_tips.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Guidance : ::testing::Test {
    TempHome home;
    ScopedScriptedUi ui;
    FakeMainWindow window;
    RecordingTips tips;
    Guidance() { QDir().mkpath(tablesFolder()); }
};

// The current slot holds a table with an XML document and these columns, each
// "name:Type" with its required attribute mapped when the type ends in "+".
void tableWithColumns(const QStringList &columns)
{
    TableDocument &doc = workspace().current();
    doc.tablePath = "/t/t.tvk";
    doc.xmlPath = "/t/t.xml";
    doc.tree.reset();
    for (const QString &spec : columns) {
        const QString name = spec.section(':', 0, 0);
        QString type = spec.section(':', 1);
        const bool mapped = type.endsWith('+');
        type.remove('+');
        const QString attribute = mainAttributeOf(type);
        doc.tree.add("Table", name, name);
        doc.tree.add(name, name + "-" + attribute, attribute);
        doc.store.set("Type-" + name, type);
        if (mapped)
            doc.store.set("Xpath-" + name + "@" + attribute, "/r/" + name);
    }
}

} // namespace

TEST_F(Guidance, PointsAtTheNextStepForTheCurrentTable)
{
    const QString loadXml = "Load XML file @ 0.cmdBrowse";
    const QString addColumns = "Add columns @ 1.addit";
    const QString unmapped = "Unmapped Column @ 1.template (39,25)";
    const QString sheet = "Property sheet @ 2.props";
    const struct {
        const char *name;
        std::function<void()> setUp;
        QStringList balloons;
        QString selected;
    } cases[] = {
        {"no table", [] {}, {}, ""},
        {"start-up loading",
         [] {
             tableWithColumns({});
             workspace().startupLoading = true;
         },
         {},
         ""},
        {"no XML document",
         [] {
             tableWithColumns({"c1:Text"});
             workspace().current().xmlPath.clear();
         },
         {loadXml},
         ""},
        {"root only", [] { tableWithColumns({}); }, {addColumns}, ""},
        {"one column without attribute",
         [] {
             tableWithColumns({});
             workspace().current().tree.add("Table", "c1", "c1");
         },
         {addColumns},
         ""},
        {"three nodes, unmapped", [] { tableWithColumns({"c1:Text"}); }, {unmapped}, "c1-value"},
        {"two unmapped, one mapped between",
         [] {
             tableWithColumns({"a:Web Link", "b:Text+", "c:Image"});
         },
         {unmapped},
         "c-src"},
        {"code and calls only",
         [] {
             tableWithColumns({"x:XSL Code", "y:Call Table"});
         },
         {sheet},
         ""},
        {"all mapped",
         [] {
             tableWithColumns({"a:Select+", "b:Submit Button+"});
         },
         {sheet},
         ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        resetWorkspace();
        workspace().mainWindow = &window;
        workspace().tipView = &tips;
        tips.balloons.clear();
        QDir(tablesFolder()).removeRecursively();
        QDir().mkpath(tablesFolder());
        c.setUp();
        showStartTip();
        EXPECT_EQ(tips.balloons, c.balloons);
        EXPECT_EQ(workspace().current().selectedNodeKey, c.selected);
    }
}

TEST_F(Guidance, NewTableAndSwitchOfTablesOfferTheTip)
{
    ASSERT_TRUE(createNewProject(home.file("a.tvk")));
    ASSERT_TRUE(createNewProject(home.file("b.tvk")));
    EXPECT_EQ(tips.balloons, QStringList{"Load XML file @ 0.cmdBrowse"});
    deleteTipMarkers();
    window.selectTab("k0");
    switchTable();
    EXPECT_EQ(workspace().curTable, 0);
    EXPECT_EQ(tips.balloons.size(), 2);
}

TEST_F(Guidance, OpeningFromTheCommandLineLeavesTheTipOut)
{
    ASSERT_TRUE(createNewProject(home.file("a.tvk")));
    docloseit_Click();
    tips.balloons.clear();
    QDir(tablesFolder()).removeRecursively();
    ASSERT_TRUE(openTable(home.file("a.tvk"), false));
    EXPECT_TRUE(tips.balloons.isEmpty());
    docloseit_Click();
    ASSERT_TRUE(openTable(home.file("a.tvk")));
    EXPECT_EQ(tips.balloons, QStringList{"Load XML file @ 0.cmdBrowse"});
}
