// What a slot's stylesheet view and preview do when the slot gets another table, and the
// XSL save commands with no table open.
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

TEST_F(SlotWindows, SaveXslWithNoTableDoesNothing)
{
    for (const ToolbarButton &button : toolbarButtons())
        if (button.procedure == Procedure::savePage)
            runToolbarButton(button, host);
    saveX_Click(0);
    saveX_Click(10);
    EXPECT_TRUE(scripted->fileDialogs.isEmpty());
    EXPECT_TRUE(views.calls.isEmpty());
}
