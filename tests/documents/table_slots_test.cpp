#include "documents/table_slots.h"
#include "documents/workspace.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

TEST(TableSlots, TheLowestFreeSlotIsTakenWithoutAWindow)
{
    TempHome home;
    ScopedScriptedUi ui;
    Workspace &ws = workspace();
    EXPECT_EQ(findUsedSlot(), -1);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(newTableSlot());
    ws.current().store.set("Xpath-Table", "/a");
    ws.slotUsed[2] = false;
    ASSERT_TRUE(newTableSlot());
    EXPECT_EQ(ws.curTable, 2);
    EXPECT_EQ(findFreeSlot(), 5);
    EXPECT_EQ(ws.tables[4].store.value("Xpath-Table"), "/a") << "other slots untouched";
    EXPECT_TRUE(ui->messages.isEmpty());
}

TEST(TableSlots, TabKeysAndCaptions)
{
    EXPECT_EQ(tabKey(7), "k7");
    EXPECT_EQ(slotOfTabKey("k120"), 120);
    EXPECT_EQ(slotOfTabKey(""), -1);
    EXPECT_EQ(tabCaption("/t/report.old.tvk"), "report");
    EXPECT_EQ(tabCaption("/t/plain"), "plain");
}
