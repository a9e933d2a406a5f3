#include "documents/once_only_tips.h"
#include "documents/settings_files.h"
#include "documents/workspace.h"
#include "mainwindow/help_commands.h"
#include "support/file_bytes.h"
#include "support/recording_tips.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(HelpCommands, ShowingHelpersAgainTellsTheUserAndGuidesAtOnce)
{
    TempHome home;
    ScopedScriptedUi ui;
    RecordingTips tips;
    QDir().mkpath(tablesFolder());
    workspace().current().tablePath = "/t/t.tvk";
    tipNotYetShown("Load XML");
    showT_Click();
    EXPECT_EQ(ui->messages, QStringList{"First time helpers will now show."});
    EXPECT_EQ(tips.balloons, QStringList{"Load XML file @ 0.cmdBrowse"});
}

TEST(HelpCommands, HelpPageIsWrittenToTheDataFolderAndOpened)
{
    TempHome home;
    ScopedScriptedUi ui;
    doHelp_Click("<p>help</p>");
    EXPECT_EQ(bytesOf(home.file("Tarvik-help.htm")), "<p>help</p>\r\n");
    EXPECT_EQ(ui->openedInBrowser, QStringList{home.file("Tarvik-help.htm")});
    whatsNew_Click();
    EXPECT_EQ(ui->openedInBrowser.last(), productSite + "/updates.htm");
}

TEST(HelpCommands, AboutTextCarriesTheVersionAndTheSite)
{
    EXPECT_EQ(aboutVersionText(), "Tarvik v3.0.4 .\r\n" + productSite);
}
