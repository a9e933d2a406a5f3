// The stylesheet header, the input parameter texts and the import paths.
#include "generator/stylesheet_header.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

namespace {

const QString startTag = QStringLiteral(
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
    "xmlns:msxsl=\"urn:schemas-microsoft-com:xslt\" xmlns:exsl=\"http://exslt.org/common\" "
    "xmlns:xalan=\"http://xml.apache.org/xalan\" >");

QString packed(std::initializer_list<std::pair<const char *, const char *>> records)
{
    QString text;
    for (const auto &[name, value] : records)
        text += QLatin1String(name) + QChar(14) + QLatin1String(value) + QChar(15);
    return text;
}

} // namespace

class StylesheetHeader : public ::testing::Test {
protected:
    TableFixture table;
};

TEST_F(StylesheetHeader, WithoutParametersEndsWithTheirComment)
{
    EXPECT_EQ(makeXslHeader("<!--x-->"),
              startTag + "<!--x--><!--Called tables--><!--Input parameters-->");
    EXPECT_EQ(makeParamDecls(), "");
    EXPECT_EQ(makeWithParams(), "");
}

TEST_F(StylesheetHeader, TableNamespacesComeFirst)
{
    table.set("eXSLT Namespaces-Table", "xmlns:my=\"urn:my\" xmlns:q = 'urn:q?a=1&b=2' ");
    EXPECT_TRUE(makeXslHeader("").contains(
        "xmlns:xsl='http://www.w3.org/1999/XSL/Transform' xmlns:my=\"urn:my\" xmlns:q = 'urn:q?a=1&amp;b=2' "
        "xmlns:msxsl="));
}

TEST_F(StylesheetHeader, ParametersAreDeclaredAndPassedOn)
{
    table.set("XSLT Input Parameters-Table", packed({{"a", "1"}, {"b", "x &amp; y"}}));
    const QString decls =
        "<xsl:param name='a'>1</xsl:param><xsl:param name='b'>x &amp; y</xsl:param>";
    EXPECT_EQ(makeParamDecls(), decls);
    EXPECT_EQ(makeWithParams(),
              "<xsl:with-param name='a'><xsl:value-of select='$a'/></xsl:with-param>"
              "<xsl:with-param name='b'><xsl:value-of select='$b'/></xsl:with-param>");
    EXPECT_TRUE(makeXslHeader("").endsWith("<!--Input parameters-->" + decls));
}

TEST_F(StylesheetHeader, HalfRecordIsDropped)
{
    table.set("XSLT Input Parameters-Table", packed({{"a", "1"}}) + "b" + QChar(14) + "2");
    ASSERT_EQ(inputParameters().size(), 1);
    EXPECT_EQ(inputParameters()[0].name, "a");
    EXPECT_EQ(makeParamDecls(), "<xsl:param name='a'>1</xsl:param>");
}

TEST_F(StylesheetHeader, ImportsAreRelativeToTheOutputFolder)
{
    workspace().current().xslFileDir = "/srv/t/";
    table.set("Import XSLT Files-Table", " /srv/t/common.xsl , /srv/t/Lib/More.xsl ");
    EXPECT_TRUE(makeXslHeader("").contains(
        "<!--Called tables--><xsl:import href='common.xsl'/><xsl:import href='Lib/More.xsl'/>"
        "<!--Input parameters-->"));
    table.set("Import XSLT Files-Table", "/srv/common.xsl,");
    EXPECT_TRUE(makeXslHeader("").contains(
        "<!--Called tables--><xsl:import href='../common.xsl'/><!--Input parameters-->"));
}

TEST_F(StylesheetHeader, RelativeEntriesAreWrittenAsTheyStand)
{
    workspace().current().xslFileDir = "/srv/t/";
    table.set("Import XSLT Files-Table", "common.xsl, ../x.xsl,Lib\\More.xsl");
    EXPECT_TRUE(makeXslHeader("").contains(
        "<!--Called tables--><xsl:import href='common.xsl'/><xsl:import href='../x.xsl'/>"
        "<xsl:import href='Lib/More.xsl'/><!--Input parameters-->"));
}

TEST_F(StylesheetHeader, BackslashPathsKeepTheirLetterCase)
{
    workspace().current().xslFileDir = "/Srv/t/";
    table.set("Import XSLT Files-Table", "\\Srv\\t\\common.xsl , \\Srv\\t\\Lib\\More.xsl");
    EXPECT_TRUE(makeXslHeader("").contains(
        "<xsl:import href='common.xsl'/><xsl:import href='Lib/More.xsl'/>"));
}

TEST_F(StylesheetHeader, EmptyImportEntriesGiveNoImport)
{
    workspace().current().xslFileDir = "/srv/t/";
    table.set("Import XSLT Files-Table", "/srv/t/a.xsl, ,,/srv/t/b.xsl");
    EXPECT_TRUE(makeXslHeader("").contains(
        "<!--Called tables--><xsl:import href='a.xsl'/><xsl:import href='b.xsl'/><!--Input"));
    table.set("Import XSLT Files-Table", "  ");
    EXPECT_TRUE(makeXslHeader("").contains("<!--Called tables--><!--Input parameters-->"));
}

TEST_F(StylesheetHeader, WithoutOutputFolderTheTableFolderCounts)
{
    workspace().current().tablePath = "/srv/tables/T.tvk";
    EXPECT_EQ(xslOutputFolder(), "/srv/tables/");
    EXPECT_EQ(relativeToXslFolder("/srv/tables/x.xsl"), "x.xsl");
    EXPECT_EQ(relativeToXslFolder("/srv/Shared/x.xsl"), "../Shared/x.xsl");
    workspace().current().xslFileDir = "/srv/out/";
    EXPECT_EQ(relativeToXslFolder("/srv/tables/x.xsl"), "../tables/x.xsl");
}
