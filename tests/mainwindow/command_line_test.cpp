#include "mainwindow/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, OneArgumentIsSplitAtCommas)
{
    const CommandLine table = parseCommandLine({"/t/Report.TvK,/out/r.xsl,Shown"});
    EXPECT_TRUE(table.tableStart);
    EXPECT_EQ(table.file, "/t/Report.TvK");
    EXPECT_EQ(table.xslOutput, "/out/r.xsl");
    EXPECT_EQ(table.name, "Shown");

    const CommandLine xml = parseCommandLine({"/d/data.xml, /o/x.xsl ,orders"});
    EXPECT_FALSE(xml.tableStart);
    EXPECT_EQ(xml.xslOutput, " /o/x.xsl ") << "pieces are used as they stand";
    EXPECT_EQ(xml.name, "orders");
}

TEST(CommandLine, SeveralArgumentsAreThePiecesSoCommasSurvive)
{
    const CommandLine line = parseCommandLine({"/a,b/t.tvk", "/o,p/x.xsl"});
    EXPECT_TRUE(line.tableStart);
    EXPECT_EQ(line.file, "/a,b/t.tvk");
    EXPECT_EQ(line.xslOutput, "/o,p/x.xsl");
    EXPECT_EQ(line.name, "");
}

TEST(CommandLine, EmptyOrQuotedLinesAreNoTableStart)
{
    const CommandLine empty = parseCommandLine({});
    EXPECT_FALSE(empty.tableStart);
    EXPECT_EQ(empty.file, "");
    EXPECT_FALSE(parseCommandLine({"\"/t/a.tvk\""}).tableStart);
    EXPECT_EQ(parseCommandLine({"/d/a.xml"}).name, "");
}
