// The relative Xpath arithmetic and the code one attribute yields.
#include "generator/generator_marking.h"
#include "generator/value_code.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

TEST(RelativeXpath, WorkedExamples)
{
    const struct {
        const char *ctx;
        const char *target;
        const char *expected;
    } cases[] = {
        {"/a/b", "/a/b/c", "c"},
        {"/a/b", "/a/b/@id", "@id"},
        {"/a/b", "/a/c", "../c"},
        {"/a/b", "/a", "parent::node()"},
        {"/a/b/c", "/a", "../.."},
        {"/a/b", "/a/b", "self::node()"},
        {"/", "/a/b", "a/b"},
        {"", "/a", "a"},
        {"/a", "/a/b[2]/c", "b[2]/c"},
        {"/r/x[1]", "/r/x/y", "y"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(relativeXpath(c.ctx, c.target), QString::fromLatin1(c.expected))
            << c.ctx << " -> " << c.target;
}

TEST(RelativeXpath, PredicatesAndCaseCount)
{
    EXPECT_EQ(relativeXpath("/a/b", "/a/b[@k='1']"), "self::node()[@k='1']");
    EXPECT_EQ(relativeXpath("/a/B", "/a/b/c"), "../b/c");
}

class ColumnValueCode : public ::testing::Test {
protected:
    TableFixture table;
};

TEST_F(ColumnValueCode, MissingColumnOrPositionGivesNothing)
{
    table.tree().add(StructureTree::tableKey, "bare", "bare");
    for (const auto &[column, index] : {std::pair{"bare", 1}, std::pair{"nothing", 1}}) {
        const ColumnValue value = columnValueCode(column, index, "/a", false);
        EXPECT_TRUE(value.attName.isEmpty() && value.code.isEmpty() && value.rawXpath.isEmpty());
    }
    table.addColumn("c", "Text", "/a/b");
    EXPECT_TRUE(columnValueCode("c", 0, "/a", false).attName.isEmpty());
    EXPECT_TRUE(columnValueCode("c", 2, "/a", false).attName.isEmpty());
}

TEST_F(ColumnValueCode, UnmappedAttributeGivesItsNameOnly)
{
    table.addColumn("c", "Text");
    const ColumnValue value = columnValueCode("c", 1, "/a", false);
    EXPECT_EQ(value.attName, "value");
    EXPECT_TRUE(value.code.isEmpty() && value.rawXpath.isEmpty());
}

TEST_F(ColumnValueCode, XpathIsMadeRelativeAndWrapped)
{
    table.addColumn("c", "Web Link", "/a/b[@k='1']");
    ColumnValue value = columnValueCode("c", 1, "/a", false);
    EXPECT_EQ(value.attName, "href");
    EXPECT_EQ(value.rawXpath, "/a/b[@k='1']");
    EXPECT_EQ(value.code, "<xsl:value-of select='b[@k=&apos;1&apos;]'/>");
    EXPECT_EQ(columnValueCode("c", 1, "/a", true).code, "<xsl:value-of select='b'/>");
    EXPECT_EQ(columnValueCode("c", 1, "", false).code, "<xsl:value-of select='/a/b[@k=&apos;1&apos;]'/>");
}

TEST_F(ColumnValueCode, CalculatedCodeIsUsedUnchanged)
{
    table.addColumn("c", "Text", "/a/b");
    table.addCodeAttribute("c", "value", "<xsl:value-of select='x'/>");
    const ColumnValue value = columnValueCode("c", 1, "/a", true);
    EXPECT_EQ(value.rawXpath, "<xsl:value-of select='x'/>");
    EXPECT_EQ(value.code, userCode(value.rawXpath));
}

TEST_F(ColumnValueCode, MaxCharactersLimitsTextColumnsOnly)
{
    table.addColumn("t", "Text", "/a/b");
    table.set("Max Characters-t", "20");
    EXPECT_EQ(columnValueCode("t", 1, "/a", false).code,
              "<xsl:value-of select='substring(b,1,20)'/>");
    table.set("Max Characters-t", " 0 ");
    EXPECT_EQ(columnValueCode("t", 1, "/a", false).code, "<xsl:value-of select='b'/>");
    table.set("Max Characters-t", "many");
    EXPECT_EQ(columnValueCode("t", 1, "/a", false).code, "<xsl:value-of select='b'/>");

    table.addColumn("h", "Input Field", "/a/b");
    table.set("Max Characters-h", "20");
    EXPECT_EQ(columnValueCode("h", 1, "/a", false).code, "<xsl:value-of select='b'/>");
}
