#include "documents/workspace.h"
#include "mainwindow/window_layout.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

namespace {

constexpr TwipsPerPixel screen{15, 15};

void expectGeometry(const WindowGeometry &g, double left, double top, double width,
                    double height)
{
    EXPECT_DOUBLE_EQ(g.left, left);
    EXPECT_DOUBLE_EQ(g.top, top);
    EXPECT_DOUBLE_EQ(g.width, width);
    EXPECT_DOUBLE_EQ(g.height, height);
}

CodeEditorRecord &editor(int index, int slot)
{
    CodeEditorRecord &record = workspace().xslEditForms[size_t(index)];
    record.exists = true;
    record.myTab = slot;
    return record;
}

} // namespace

TEST(WindowLayout, DefaultPositionsInTwipsForAKnownClientArea)
{
    TempHome home;
    Workspace &ws = workspace();
    ws.curTable = 2;
    editor(7, 2).xslEditShown = true;
    editor(8, 3).geometry = {1, 2, 3, 4};
    defaultPos(9000, 6000, screen);

    TableDocument &doc = ws.current();
    expectGeometry(doc.geometryOf(SlotWindow::Parser), 0, 0, 2955, 3000);
    expectGeometry(doc.geometryOf(SlotWindow::Rep), 2955, 0, 2955, 3000);
    expectGeometry(doc.geometryOf(SlotWindow::Prop), 5910, 0, 2955, 6000);
    expectGeometry(doc.geometryOf(SlotWindow::Result), 0, 3000, 5910, 2955);
    expectGeometry(doc.geometryOf(SlotWindow::XslCode), 1125, 750, 6750, 4500);
    expectGeometry(ws.xslEditForms[7].geometry, 3375, 1000, 410 * 15, 225 * 15);
    expectGeometry(ws.xslEditForms[8].geometry, 1, 2, 3, 4); // another table's editor
    EXPECT_TRUE(doc.parserShown && doc.repShown && doc.propShown && doc.resultShown);
    EXPECT_FALSE(doc.xslCodeShown);
    EXPECT_FALSE(ws.xslEditForms[7].xslEditShown);
}

TEST(WindowLayout, TimerKeepsWindowsBelowTheStripWithTheirBottomEdge)
{
    TempHome home;
    TableDocument &doc = workspace().current();
    doc.geometryOf(SlotWindow::Parser) = {0, 100, 3000, 3000};
    doc.geometryOf(SlotWindow::Rep) = {0, 405, 3000, 3000};
    doc.geometryOf(SlotWindow::Prop) = {0, 0, 3000, 200};
    LayoutState state;
    checkPos(state, 405, screen);
    expectGeometry(doc.geometryOf(SlotWindow::Parser), 0, 405, 3000, 2695);
    expectGeometry(doc.geometryOf(SlotWindow::Rep), 0, 405, 3000, 3000); // at the edge
    // A negative height is refused: the window keeps its height.
    expectGeometry(doc.geometryOf(SlotWindow::Prop), 0, 405, 3000, 200);
}

TEST(WindowLayout, EditorsGrowToTheirMinimumWithinThreeTicks)
{
    TempHome home;
    LayoutState state;
    for (int index : {0, 60, 120})
        editor(index, 0).geometry = {3000, 3000, 1500, 1500};
    editor(50, 1).geometry = {0, 0, 1500, 1500};
    for (int tick = 0; tick < 3; ++tick)
        checkPos(state, 405, screen);
    for (int index : {0, 60, 120})
        expectGeometry(workspace().xslEditForms[size_t(index)].geometry, 3000, 3000, 385 * 15,
                       225 * 15);
    expectGeometry(workspace().xslEditForms[50].geometry, 0, 0, 1500, 1500);
    EXPECT_EQ(state.editorScanStart, 0);
}

TEST(WindowLayout, FitScalesByTheMainWindowsChangeOnce)
{
    TempHome home;
    TableDocument &doc = workspace().current();
    doc.geometryOf(SlotWindow::Rep) = {1000, 500, 2000, 1000};
    editor(4, 0).geometry = {100, 100, 100, 100};
    LayoutState state{12000, 9000, 0};
    fitContainer(state, 24000, 9000);
    expectGeometry(doc.geometryOf(SlotWindow::Rep), 2000, 500, 4000, 1000);
    expectGeometry(workspace().xslEditForms[4].geometry, 200, 100, 200, 100);
    fitContainer(state, 24000, 9000);
    expectGeometry(doc.geometryOf(SlotWindow::Rep), 2000, 500, 4000, 1000);
    EXPECT_EQ(state.lastClientWidth, 24000);
}

TEST(WindowLayout, ShowEntriesNeedATableAndMostAnXmlDocument)
{
    TempHome home;
    ScopedScriptedUi ui;
    EXPECT_FALSE(showOneWindow(20));
    TableDocument &doc = workspace().current();
    doc.tablePath = "/t/a.tvk";
    EXPECT_EQ(showOneWindow(20), SlotWindow::Parser);
    EXPECT_FALSE(showOneWindow(25));
    EXPECT_FALSE(showOneWindow(30));
    doc.xmlPath = "/t/a.xml";
    EXPECT_EQ(showOneWindow(45), SlotWindow::XslCode);
    EXPECT_EQ(ui->messages, (QStringList{"Open a table, or create new table to show windows.",
                                         "Open XML file to show windows."}));
}
