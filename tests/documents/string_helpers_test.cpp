#include "documents/add_string.h"
#include "documents/string_helpers.h"

#include <gtest/gtest.h>

namespace {

QStringList split(const QString &text, const QString &delimiter, int limit = -1)
{
    return splitString(text, delimiter, limit);
}

} // namespace

TEST(SplitString, StopsAtTheFirstEmptyToken)
{
    EXPECT_EQ(split("a\\b\\c", "\\"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(split("a\\\\b\\c", "\\"), (QStringList{"a", "\\b\\c"}));
    EXPECT_EQ(split("abc", "\\"), (QStringList{"", "abc"}));
    EXPECT_EQ(split("c:\\", "\\"), (QStringList{"c:", ""}));
    EXPECT_EQ(split("/", "/"), (QStringList{"", ""}));
    EXPECT_EQ(split("/a/b", "/"), (QStringList{"", "a", "b"}));
}

TEST(SplitString, LimitGivesTheUnsplitRest)
{
    EXPECT_EQ(split("a,b,c,d", ",", 2), (QStringList{"a", "b", "c,d"}));
    EXPECT_EQ(split("a,b,c", ",", 0), (QStringList{"a", "b,c"}));
    EXPECT_EQ(split("a,b,c", ",", 1), (QStringList{"a", "b,c"}));
}

TEST(SplitString, FirstCutMayIgnoreCase)
{
    EXPECT_EQ(splitString("aXbxc", "x", -1, Qt::CaseInsensitive), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(splitString("aXbXc", "x", -1, Qt::CaseInsensitive), (QStringList{"a", "bXc"}));
}

TEST(SplitAll, EveryFieldCountsAndTheRestEndsTheList)
{
    EXPECT_EQ(splitAll("a,b", ","), (QStringList{"a", "b", ""}));
    EXPECT_EQ(splitAll("a,,b", ","), (QStringList{"a", "", "b", ""}));
    EXPECT_EQ(splitAll("", ","), (QStringList{"", ""}));
    EXPECT_EQ(splitAll("a,b,c", ",", 1), (QStringList{"a", "b,c,"}));
}

TEST(SplitHelpers, EmptyDelimiterGivesTheWholeText)
{
    EXPECT_EQ(splitString("a,b", ""), QStringList{"a,b"});
    EXPECT_EQ(splitAll("a,b", ""), QStringList{"a,b"});
}

TEST(TakeToken, CutsOrLeavesTheTextAsItWas)
{
    QString text = "key=value=x";
    EXPECT_EQ(takeToken(text, "="), "key");
    EXPECT_EQ(text, "value=x");
    QString none = "plain";
    bool notFound = false;
    EXPECT_EQ(takeTokenFound(none, "=", notFound), "");
    EXPECT_TRUE(notFound);
    EXPECT_EQ(none, "plain");
}

TEST(TextHelpers, TrimAndStrip)
{
    QString text = "\t abc \r\n";
    trimWhite(text);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(trimWhiteVar("   "), "");
    EXPECT_EQ(trimWhiteVar("a \t b"), "a \t b");

    QString breaks = "a\r\nb\rc\nd\te\r\r\n";
    EXPECT_EQ(stripBreaksCopy(breaks), "abcde");
    EXPECT_EQ(breaks, "abcde");
}

TEST(TextHelpers, ReplaceScansTheOriginalText)
{
    QString text = "aaa";
    replaceAll(text, "aa", "b");
    EXPECT_EQ(text, "ba");
    QString grow = "x-x";
    replaceAll(grow, "x", "xx");
    EXPECT_EQ(grow, "xx-xx");
    QString absent = "abc";
    replaceAll(absent, "z", "y");
    EXPECT_EQ(absent, "abc");
    QString first = "a.b.c";
    replaceFirst(first, ".", "::");
    EXPECT_EQ(first, "a::b.c");
}

TEST(TextHelpers, EscapingOrder)
{
    QString text = "a<b&c>d";
    xmlEscape(text);
    EXPECT_EQ(text, "a&lt;b&amp;c&gt;d");
    EXPECT_EQ(xmlEscaped("&lt;"), "&amp;lt;");
}

TEST(TextHelpers, IndentLevels)
{
    EXPECT_EQ(indentLevel("........name"), 2);
    EXPECT_EQ(stripIndent("........name"), "name");
    EXPECT_EQ(indentLevel("name"), 0);
    EXPECT_EQ(indentLevel("..."), 0);
}

TEST(AddStringTest, ReservesWholeSteps)
{
    AddString one;
    one.Add("x");
    EXPECT_EQ(one.lngAllocated, 1000);
    EXPECT_EQ(one.lngUsed, 1);

    AddString big;
    big.Add(QString(2500, 'a'));
    EXPECT_EQ(big.lngAllocated, 3000);

    AddString exact;
    exact.Add(QString(1000, 'a'));
    EXPECT_EQ(exact.lngAllocated, 2000);

    exact.Add("");
    EXPECT_EQ(exact.lngUsed, 1000);
    exact.SetStr("new");
    EXPECT_EQ(exact.GetStr(), "new");
    EXPECT_EQ(exact.lngAllocated, 1000);
    EXPECT_EQ(exact.lngUsed, 3);
}
