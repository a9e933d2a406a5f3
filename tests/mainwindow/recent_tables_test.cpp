#include "documents/settings_files.h"
#include "documents/text_files.h"
#include "mainwindow/recent_tables.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

namespace {

QString touch(const TempHome &home, const QString &name)
{
    const QString path = home.file(name);
    writeFile(path, QString(), true);
    return path;
}

} // namespace

TEST(RecentTables, FirstTwentyExistingPathsInFileOrder)
{
    TempHome home;
    QString list;
    QStringList paths;
    for (int i = 0; i < 25; ++i) {
        paths.append(touch(home, QStringLiteral("t%1.tvk").arg(i)));
        list += paths.last() + "\r\n";
        if (i == 3)
            list += home.file("gone.tvk") + "\r\n\r\n"; // missing file and empty line
    }
    writeSetting("set-lastfile", list); // as the program writes it: one more CR LF
    const QStringList menu = recentTablesMenu();
    ASSERT_EQ(menu.size(), 20);
    EXPECT_EQ(menu, paths.mid(0, 20));
}

TEST(RecentTables, TextAfterTheLastLineBreakIsNotUsed)
{
    TempHome home;
    const QString a = touch(home, "a.tvk");
    const QString b = touch(home, "b.tvk");
    writeSetting("set-lastfile", a + "\r\n" + b, true);
    EXPECT_EQ(recentTablesMenu(), QStringList{a}) << "readFile drops the one CR LF after b";
}

TEST(RecentTables, NoneLeftGivesTheSingleEntry)
{
    TempHome home;
    EXPECT_EQ(recentTablesMenu(), QStringList{"No Recent Tables"});
    writeSetting("set-lastfile", home.file("missing.tvk") + "\r\n\r\n");
    EXPECT_EQ(recentTablesMenu(), QStringList{"No Recent Tables"});
}
