// The parts of a publish run that need no server.
#include "documents/settings_files.h"
#include "publish_table.h"
#include "publishing/publish_run.h"
#include "support/scripted_ui.h"

#include <QDir>

#include <gtest/gtest.h>

// A run that cannot start says why, after saving the settings, and sends nothing.
TEST(PublishRunOffline, RunsThatCannotStartSayWhyBeforeAnyTransfer)
{
    const struct {
        QString server;
        bool unwritable;
    } cases[] = {{" \t", false}, {"127.0.0.1:1", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.unwritable ? "unwritable upload file" : "no server");
        PublishTable table;
        ScopedScriptedUi ui;
        workspace().current().xslFileName.clear();
        if (c.unwritable)
            QDir(table.home.path()).mkdir("set-temp-xsl-publish.xsl"); // a folder cannot be written
        PublishSettings settings;
        settings.sname = c.server;
        settings.uname = "user";
        QStringList statuses;
        const PublishOutcome outcome =
            publishCurrentTable(settings, false, [&](const QString &text) { statuses.append(text); });
        EXPECT_FALSE(outcome.ok);
        const QString written = "Cannot write to file " + settingsPath("set-temp-xsl-publish.xsl");
        const QString why = c.unwritable ? written : "Server name required.";
        EXPECT_EQ(statuses, QStringList{c.unwritable ? why : "Publishing did not start: " + why});
        ASSERT_EQ(ui->messages.size(), 1);
        EXPECT_TRUE(ui->messages[0].startsWith(why));
        EXPECT_EQ(readSetting("set-ftp-uname-books"), "user"); // the settings were saved first
    }
}
