#include "documents/settings_files.h"
#include "mainwindow/updater.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

TEST(Updater, CommandLinesOfTheUpdaterNamedByTheSetting)
{
    const QStringList silent{"/silent", "/author", "Tarvik", "/program", "Tarvik"};
    const struct {
        const char *name;
        QString setting; // "-" for no settings file
        void (*command)();
        QList<QStringList> started;
    } cases[] = {
        {"start-up check",
         "/opt/up/updater",
         runUpdater,
         {QStringList{"/opt/up/updater"} + silent}},
        {"check now", " /opt/up/updater\r\n", cnow_Click, {{"/opt/up/updater"}}},
        {"no settings file", "-", runUpdater, {}},
        {"empty setting", "", cnow_Click, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TempHome home;
        ScopedScriptedUi ui;
        if (c.setting != "-")
            writeSetting("set-updater-path", c.setting);
        c.command();
        EXPECT_EQ(ui->started, c.started);
        EXPECT_TRUE(ui->messages.isEmpty());
    }
}

TEST(Updater, MissingUpdaterProgramIsNotReportedAndNothingEnds)
{
    TempHome home;
    ScopedScriptedUi ui;
    ui->startSucceeds = false;
    writeSetting("set-updater-path", "/nowhere/updater");
    runUpdater();
    cnow_Click();
    EXPECT_EQ(ui->started.size(), 2);
    EXPECT_TRUE(ui->messages.isEmpty());
}
