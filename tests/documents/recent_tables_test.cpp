#include "documents/recent_tables.h"
#include "documents/settings_files.h"
#include "documents/text_files.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QString listText() { return readSetting("set-lastfile"); }

// Creates an empty table file in the data folder and returns its path.
QString touch(const TempHome &home, const QString &name)
{
    const QString path = home.file(name);
    writeFile(path, "", true);
    return path;
}

} // namespace

TEST(RecentTables, FirstEntryOfAnEmptyListIsFollowedByThreeLineEnds)
{
    TempHome home;
    addToRecents("/t/a.tvk");
    EXPECT_EQ(listText(), "/t/a.tvk\r\n\r\n\r\n");
}

TEST(RecentTables, NewestComesFirstAndARepeatedPathMovesToTheFront)
{
    TempHome home;
    const QString a = touch(home, "a.tvk"), b = touch(home, "b.tvk"), c = touch(home, "c.tvk");
    addToRecents(a);
    addToRecents(b);
    addToRecents(c);
    addToRecents(a);
    EXPECT_EQ(recentTablesMenu(), (QStringList{a, c, b}));
    EXPECT_EQ(listText().count(a), 1);
}

TEST(RecentTables, OnlyAWholeEntryOfExactlyThatPathIsRemoved)
{
    TempHome home;
    const QString inner = touch(home, "x.tvk");
    QDir(home.path()).mkpath("b/" + home.path());
    const QString outer = touch(home, "b" + home.path() + "/x.tvk");
    const QString upper = touch(home, "X.tvk");
    addToRecents(outer);
    addToRecents(upper);
    addToRecents(inner);
    // The inner path is a tail of the outer one and differs from "X.tvk" only in case.
    EXPECT_EQ(recentTablesMenu(), (QStringList{inner, upper, outer}));
    addToRecents(upper);
    EXPECT_EQ(recentTablesMenu(), (QStringList{upper, inner, outer}));
}

TEST(RecentTables, MenuShowsAtMostTwentyExistingFilesAndSkipsTheRest)
{
    TempHome home;
    QString text;
    QStringList existing;
    for (int i = 0; i < 25; ++i) {
        existing.append(touch(home, QString("t%1.tvk").arg(i)));
        text += existing.last() + "\r\n\r\n" + home.file(QString("gone%1.tvk").arg(i)) + "\r\n";
    }
    writeSetting("set-lastfile", text + home.path() + "\r\n" + existing[0]);
    EXPECT_EQ(recentTablesMenu(), existing.mid(0, 20));
}

TEST(RecentTables, MenuWithoutExistingTablesShowsTheNoRecentTablesEntry)
{
    TempHome home;
    EXPECT_EQ(recentTablesMenu(), QStringList{"No Recent Tables"});
    writeSetting("set-lastfile", "\r\n/nowhere/x.tvk\r\n" + home.path() + "\r\n");
    EXPECT_EQ(recentTablesMenu(), QStringList{"No Recent Tables"});
}

TEST(RecentTables, KeptTextIsCutToAThousandCharacters)
{
    TempHome home;
    const QString longPath = "/" + QString(600, 'p') + ".tvk";
    writeSetting("set-lastfile", longPath + "\r\n" + longPath + "x\r\n");
    addToRecents("/n.tvk");
    const QString kept = (longPath + "\r\n" + longPath + "x\r\n").left(1000);
    EXPECT_EQ(listText(), "/n.tvk\r\n" + kept + "\r\n");
    // The cut-off fragment stands on a line of its own.
    EXPECT_TRUE(listText().endsWith(kept.mid(longPath.size() + 2) + "\r\n"));
}

TEST(RecentTables, FailedWriteIsReported)
{
    TempHome home;
    ScopedScriptedUi ui;
    QDir(home.path()).mkdir("set-lastfile");
    addToRecents("/t/a.tvk");
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].startsWith("Cannot write to file "));
}
