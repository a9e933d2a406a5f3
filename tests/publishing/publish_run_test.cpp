// The parts of a publish run that need no server.
#include "documents/settings_files.h"
#include "publish_table.h"
#include "publishing/publish_run.h"
#include "support/scripted_ui.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(PublishRunOffline, UnwritableUploadFileStopsTheRunBeforeAnyTransfer)
{
    PublishTable table;
    ScopedScriptedUi ui;
    workspace().current().xslFileName.clear();
    QDir(table.home.path()).mkdir("set-temp-xsl-publish.xsl"); // a folder cannot be written
    PublishSettings settings;
    settings.sname = "127.0.0.1:1";
    settings.uname = "user";
    QStringList statuses;
    const PublishOutcome outcome =
        publishCurrentTable(settings, false, [&](const QString &text) { statuses.append(text); });
    EXPECT_FALSE(outcome.ok);
    const QString path = settingsPath("set-temp-xsl-publish.xsl");
    EXPECT_EQ(statuses, QStringList{"Cannot write to file " + path});
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].startsWith("Cannot write to file " + path));
    EXPECT_EQ(readSetting("set-ftp-uname-books"), "user"); // the settings were saved first
    EXPECT_EQ(workspace().current().xslFileName, "books.xsl");
}
