// The CSS template's rules.
#include "generator/css_scripts.h"
#include "generator/stylesheet_header.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

class CssTemplate : public ::testing::Test {
protected:
    QString rules() { return between(getCSS("T"), "<![CDATA[\r\n", "]]>"); }
    TableFixture table;
};

TEST_F(CssTemplate, EmptyRulesWithoutAppearance)
{
    table.addColumn("a", "Text");
    table.addColumn("b", "Text");
    table.set("Hidden-a", "Omitted except for ordering");
    EXPECT_EQ(rules(), ".Ts0 {}\r\n\r\n.Tsh {}\r\n\r\n.Ts1 {}\r\n.Ts2 {}\r\n\r\n");
    EXPECT_TRUE(getCSS("T").contains("<style type='text/css'>\r\n.s0_T {;}<![CDATA["));
}

TEST_F(CssTemplate, TableAndHeaderRules)
{
    table.set("Height-Table", "300px");
    table.set("Border-Table", "1px solid");
    table.set("Background Color-Table", "#FFFFFF");
    table.set("Headers Padding-Table", "2px");
    table.set("Headers Font-Table", "bold 10pt Arial");
    EXPECT_EQ(getTableCSS("T"),
              ".Ts0 {border:1px solid;height:300px;min-height:300px;background-color:#FFFFFF;}\r\n");
    EXPECT_EQ(getHeaderCSS("T"), ".Tsh {font:bold 10pt Arial;padding:2px;}\r\n");
}

TEST_F(CssTemplate, ColumnRulesInTheirOrder)
{
    table.addColumn("a", "Text");
    table.set("Border-a", "2px dotted");
    table.set("Top Border-a", "1px solid");
    table.set("Color-a", "#FF0000");
    table.set("Hidden-a", "Invisible");
    table.set("Width-a", "10px");
    EXPECT_TRUE(rules().contains(
        ".Ts1 {border-top:1px solid;border:2px dotted;color:#FF0000;width:10px;display:none;}\r\n"));
}

TEST_F(CssTemplate, TableStyleRuleLosesItsLineBreaks)
{
    table.set("CSS Style-Table", "color:red;\r\n\tfont-weight:bold");
    EXPECT_TRUE(getCSS("T").contains(".s0_T {color:red;font-weight:bold;}<![CDATA["));
}

TEST_F(CssTemplate, ParametersAndCallMarker)
{
    table.set("XSLT Input Parameters-Table", QString("p") + QChar(14) + "1" + QChar(15));
    const QString css = getCSS("T");
    EXPECT_TRUE(css.startsWith("<xsl:template name='T_css'><xsl:param name='p'>1</xsl:param>"
                               "<style type='text/css'>"));
    EXPECT_TRUE(css.endsWith("]]>\r\n</style><!--css Tarvik 354509WQTI--></xsl:template>"));
}

TEST_F(CssTemplate, ScriptTemplateFrame)
{
    const QString js = getJS("T");
    EXPECT_TRUE(js.startsWith("<xsl:template name='T_globalScripts'><script language='JavaScript'>"
                              "<![CDATA[\r\nfunction _browserName(){\r\n"));
    EXPECT_TRUE(js.endsWith("\tif (cform!=null) cform.submit()\r\n}\r\n\r\n]]>\r\n</script></xsl:template>"));
    EXPECT_EQ(js.count("\r\n"), 22);
}
