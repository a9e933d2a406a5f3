#include "documents/settings_files.h"
#include "documents/table_commands.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

TEST(RecentList, NewestFirstWithoutTheOldEntryInAnyCase)
{
    TempHome home;
    addToRecents("/t/A.tvk");
    EXPECT_EQ(readSetting("set-lastfile"), "/t/A.tvk\r\n\r\n\r\n");
    addToRecents("/t/b.tvk");
    addToRecents("/t/a.tvk");
    // Every update adds one more line break at the end than it takes away.
    EXPECT_EQ(readSetting("set-lastfile"), "/t/a.tvk\r\n/t/b.tvk" + QString("\r\n").repeated(7));
}

TEST(CheckDirty, AsksAboutChangedTablesInSlotOrderUntilCancel)
{
    TempHome home;
    ScopedScriptedUi ui;
    Workspace &ws = workspace();
    for (int slot : {1, 2, 5}) {
        ws.slotUsed[size_t(slot)] = true;
        ws.tables[size_t(slot)].tablePath = home.file(QStringLiteral("t%1.tvk").arg(slot));
    }
    ws.tables[2].tableChanged = ws.tables[5].tableChanged = true;
    ws.curTable = 5;

    ui->answers = {UiServices::Answer::Yes, UiServices::Answer::Cancel};
    EXPECT_FALSE(checkDirty(true));
    EXPECT_EQ(ui->questions, (QStringList{
                                 "Table " + home.file("t2.tvk") +
                                     " has not been saved. Do you want to save it?",
                                 "Table " + home.file("t5.tvk") +
                                     " has not been saved. Do you want to save it?"}));
    EXPECT_TRUE(QFile::exists(home.file("t2.tvk")));
    EXPECT_FALSE(ws.tables[2].tableChanged);
    EXPECT_EQ(ws.tables[2].xslFileName, "t2.xsl");
    EXPECT_EQ(ws.curTable, 5) << "set back after the save";

    ui->questions.clear();
    ui->answers = {UiServices::Answer::No};
    EXPECT_TRUE(checkDirty(false)) << "only the current table";
    EXPECT_EQ(ui->questions.size(), 1);
    EXPECT_TRUE(ws.tables[5].tableChanged);
}
