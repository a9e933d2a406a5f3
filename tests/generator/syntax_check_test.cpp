// The syntax check of code snippets.
#include "generator/xsl_syntax_check.h"
#include "support/scripted_ui.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

class SyntaxCheck : public ::testing::Test {
protected:
    TableFixture table;
    ScopedScriptedUi scripted;
};

TEST_F(SyntaxCheck, WellFormedSnippetsPass)
{
    EXPECT_TRUE(checkXslSyntax("<xsl:value-of select='.'/>", "field").ok);
    table.set("XSLT Input Parameters-Table", QString("limit") + QChar(14) + "5" + QChar(15));
    EXPECT_TRUE(checkXslSyntax("<xsl:value-of select='$limit'/>", "field").ok);
    EXPECT_TRUE(scripted->messages.isEmpty());
}

TEST_F(SyntaxCheck, ErrorIsShownAndSelectedInTheSnippet)
{
    const QString code = "<xsl:value-of select='.'/>\r\n<b>text";
    const XslSyntaxResult result = checkXslSyntax(code, "field");
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(scripted->messages.size(), 1);
    EXPECT_EQ(scripted->messages[0], "Syntax error in the XSL code in field, line 2: " + result.reason);
    EXPECT_EQ(result.reason, "Nothing closes the element \"b\" begun on line 2.");
    EXPECT_GE(result.selectionStart, code.indexOf("<b>"));
    EXPECT_LE(result.selectionStart + result.selectionLength, code.size());
    EXPECT_GE(result.selectionLength, 0);
}

TEST_F(SyntaxCheck, SelectionPointsAtTheFaultyPlace)
{
    const QString code = "<xsl:if test='1'>\r\n<a href='x>y</a></xsl:if>";
    const XslSyntaxResult result = checkXslSyntax(code, "field");
    EXPECT_FALSE(result.ok);
    EXPECT_GE(result.selectionStart, code.indexOf("<a"));
    // The faulty line runs on into the closing tags around the snippet; the selection
    // stops at the snippet's end.
    EXPECT_EQ(result.selectionStart + result.selectionLength, code.size());
}

TEST_F(SyntaxCheck, SelectionStaysInsideTheSnippet)
{
    for (const QString &code : {QString("<b>"), QString("<xsl:if test='1'>"), QString("x</y>"),
                               QString("<a>\r\n<b></a>"), QString("</xsl:template><c>")}) {
        const XslSyntaxResult result = checkXslSyntax(code, "field");
        EXPECT_FALSE(result.ok) << code.toStdString();
        EXPECT_GE(result.selectionStart, 0) << code.toStdString();
        EXPECT_GE(result.selectionLength, 0) << code.toStdString();
        EXPECT_LE(result.selectionStart + result.selectionLength, code.size()) << code.toStdString();
    }
}

// An Xpath's selection starts where its parser stopped, in the text as typed.
TEST_F(SyntaxCheck, XpathSelectionStartsWhereTheParserStopped)
{
    for (const auto &[xpath, stop] : {std::pair{"a/b[", 4}, {"\u00e9 = \r\n1 +", 9}, {"x &lt; ", 7}}) {
        const XslSyntaxResult result = checkXpathSyntaxOf(QString::fromUtf8(xpath), "field");
        EXPECT_FALSE(result.ok) << xpath;
        EXPECT_EQ(result.selectionStart, stop) << xpath;
        EXPECT_LE(result.selectionStart + result.selectionLength, QString::fromUtf8(xpath).size());
    }
}
