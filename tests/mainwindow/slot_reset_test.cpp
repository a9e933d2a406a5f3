// What a slot's stylesheet view and preview do when the slot gets another table, and the
// toolbar with no table open.
#include "documents/main_controls.h"
#include "documents/workspace.h"
#include "mainwindow/menu_commands.h"
#include "mainwindow/menu_table.h"
#include "support/fake_main_window.h"
#include "support/recording_menu_host.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

namespace {

class SlotWindows : public ::testing::Test {
protected:
    TempHome home;
    ScopedScriptedUi scripted;
    FakeMainWindow window;
    RecordingViews views;
    RecordingMenuHost host;

    void SetUp() override
    {
        views.attach(workspace().currentViews());
        window.createWindowSet(0);
    }
};

} // namespace

TEST_F(SlotWindows, ResetEmptiesTheStylesheetViewAndThePreview)
{
    resetEverything();
    EXPECT_TRUE(views.calls.contains("xslCode.clearCode"));
    EXPECT_TRUE(views.calls.contains("result.clearPage"));
}

// Each toolbar button is enabled as its menu item: with no table open only the table
// commands, the Show buttons (which say what is missing) and the browser's own buttons run.
TEST_F(SlotWindows, ToolbarWithNoTableRunsWhatTheMenusWould)
{
    QStringList ran;
    for (const ToolbarButton &button : toolbarButtons()) {
        host.calls.clear();
        views.calls.clear();
        runToolbarButton(button, host);
        EXPECT_EQ(toolbarButtonEnabled(button), !(host.calls + views.calls).isEmpty());
        if (!(host.calls + views.calls).isEmpty())
            ran << button.tooltip;
    }
    EXPECT_EQ(ran, (QStringList{"New table", "Open table", "Show XML window", "Show table window",
                                "Show properties window", "Show web window", "Show XSL code",
                                "Back", "Forward", "Stop loading page"}));
    views.calls.clear();
    saveX_Click(0);
    saveX_Click(10);
    EXPECT_TRUE(scripted->fileDialogs.isEmpty());
    EXPECT_TRUE(views.calls.isEmpty());
}
