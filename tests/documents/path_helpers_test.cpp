#include "documents/path_helpers.h"

#include <gtest/gtest.h>

TEST(PathHelpers, FileAndBaseNames)
{
    EXPECT_EQ(getFileName("/a\\b/c.xml"), "c.xml");
    EXPECT_EQ(getFileName("c.xml"), "c.xml");
    EXPECT_EQ(getBaseName("/t/a.b.tvk"), "a");
    EXPECT_EQ(getBaseName("/t/plain"), "plain");
}

TEST(PathHelpers, FoldersKeepSlashesAndAcceptBackslashes)
{
    EXPECT_EQ(getDir("/x/y.tvk"), "/x/");
    EXPECT_EQ(getDir("C:\\x\\y.tvk"), "C:/x/");
    EXPECT_EQ(getDir("  /x/y.tvk "), "/x/");
    EXPECT_EQ(getDir("y.tvk"), "");
    EXPECT_EQ(getFolder("/x/y.tvk"), "/x");
    EXPECT_EQ(getFolder("/y.tvk"), "/");
}

TEST(PathHelpers, RelativePathKeepsLetterCase)
{
    EXPECT_EQ(relativePath("/home/Tables", "/home/Tables/Sub"), "Sub/");
    EXPECT_EQ(relativePath("/t/x", "/t/y/"), "../y/");
    EXPECT_EQ(relativePath("/t/x", "/t"), "../");
    EXPECT_EQ(relativePath("/t/x/", "/t/x"), "");
    EXPECT_EQ(relativePath("/a", "/b/c"), "../b/c/");
    // Folders that differ only in letter case are different folders here.
    EXPECT_EQ(relativePath("/t/X", "/t/x"), "../x/");
    EXPECT_EQ(relativePath("/", "/a"), "a/");
}
