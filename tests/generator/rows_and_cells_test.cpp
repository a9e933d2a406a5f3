// Header row, row loop and cells: fragments written out by hand.
#include "generator/xsl_comments.h"
#include "generator/xsl_generator.h"
#include "libxslt_runner.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

namespace {

const QString rowLoopStart = QStringLiteral("<xsl:for-each select='$inputXML'>");
const QString rowNumber = QStringLiteral(
    "<xsl:variable name='_rowNumber'><xsl:value-of select='position()'/></xsl:variable>");
const QString debugDiv = QStringLiteral("<div style='color:blue;background-color:#ffffcc;'>");

class RowsAndCells : public ::testing::Test {
protected:
    QString raw(bool production = false) { return buildXslCode(production); }
    QString headerRow() { return between(raw(), "<table", "<!-- Main loop"); }
    TableFixture table;
};

} // namespace

TEST(Comments, AreEscapedAndSplitAtLineBreaks)
{
    EXPECT_EQ(addComment("a & b\r\nc<d>"), "<!-- a &amp; b -->\r\n<!-- c&lt;d&gt; -->");
    EXPECT_EQ(addUser("<x/>"), "<x/>\r\n");
}

TEST_F(RowsAndCells, SpansAndAlignment)
{
    table.addColumn("c", "Text", "/rows/row/v");
    table.set("Headers Visible-Table", "True");
    table.set("Header Title-c", "<b>C</b>");
    table.set("Row Span-c", "2");
    table.set("Column Span-c", "3");
    table.set("Vertical Alignment-c", "top");
    table.set("Horizontal Alignment-c", "center");
    EXPECT_TRUE(headerRow().endsWith(
        "<tr><!-- Column headers (titles) --><th colspan='3' rowspan='2' class='Tsh'><b>C</b></th></tr>"));
    EXPECT_TRUE(raw().contains(
        "<!-- Table cell --><td  valign='top'  align='center' rowspan='2' colspan='3' class='Ts1'>"));
    table.set("Vertical Alignment-c", "None");
    table.set("Row Span-c", "");
    EXPECT_TRUE(raw().contains("<!-- Table cell --><td  align='center' colspan='3' class='Ts1'>"));
}

TEST_F(RowsAndCells, BreakAfterSplitsHeaderAndBodyRows)
{
    table.addColumn("a", "Text", "/rows/row/a");
    table.addColumn("b", "Text", "/rows/row/b");
    table.set("Headers Visible-Table", "True");
    table.set("Header Title-a", "A");
    table.set("Header Title-b", "B");
    table.set("Break After-a", "True");
    EXPECT_TRUE(headerRow().endsWith(
        "<th class='Tsh'>A</th></tr><tr><th class='Tsh'>B</th></tr>"));
    EXPECT_TRUE(raw().contains(
        "<!-- End of table cell --></td><!-- Break (new row) --></tr><tr>"
        "<!-- Evaluation Place: Exclude Column If --><!-- Table cell --><td class='Ts2'>"));
}

TEST_F(RowsAndCells, HeaderCellsMatchBodyCells)
{
    table.addColumn("a", "Text", "/rows/row/a");
    table.addColumn("b", "Text", "/rows/row/b");
    table.addColumn("c", "Text", "/rows/row/c");
    table.addColumn("d", "Text", "/rows/row/d");
    table.set("Headers Visible-Table", "True");
    table.set("Hidden-a", "No");
    table.set("Hidden-b", "Invisible");
    table.set("Hidden-c", "Omitted except for ordering");
    table.set("Hide Header-d", "True");
    EXPECT_TRUE(headerRow().endsWith(
        "<tr><!-- Column headers (titles) --><th class='Tsh'></th><th class='Tsh'></th></tr>"));
    EXPECT_EQ(raw().count("<!-- Table cell -->"), 3);
}

TEST_F(RowsAndCells, SortKeysIncludeOmittedColumns)
{
    table.addColumn("a", "Text", "/rows/row/a");
    table.addColumn("b", "Text", "/rows/row/b");
    table.addColumn("c", "Text", "/rows/row/c");
    table.set("Order Method-a", "descending");
    table.set("Hidden-a", "Omitted except for ordering");
    table.set("Order Method-b", "ascending");
    table.set("Order Data Type-b", "number");
    table.set("Order Case-b", "lower-first");
    table.set("Order Method-c", "none");
    const QString text = raw();
    EXPECT_TRUE(text.contains(
        rowLoopStart
        + "<xsl:sort select='a' data-type='text' order='descending' case-order='upper-first'/>"
          "<xsl:sort select='b' data-type='number' order='ascending' case-order='lower-first'/>"
        + rowNumber));
    EXPECT_FALSE(text.contains("<!-- Column a as:"));
    EXPECT_TRUE(text.contains("class='Ts2'>"));
    EXPECT_TRUE(text.contains("<xsl:variable name='_columnName'>b</xsl:variable>"
                              "<xsl:variable name='_columnNumber'>1</xsl:variable>"));
    EXPECT_TRUE(text.contains("<xsl:variable name='_columnNumber'>2</xsl:variable>"));
}

TEST_F(RowsAndCells, SortKeysUseTheColumnVariables)
{
    table.addColumn("a", "Text", "/rows/row/v[@n=$_columnNumber]");
    table.set("Order Method-a", "ascending");
    table.set("Hidden-a", "Omitted except for ordering");
    table.addColumn("b", "Text", "/rows/row/*[name()=$_columnName]");
    table.set("Order Method-b", "descending");
    table.set("Order Data Type-b", "number");
    table.addColumn("c", "Text", "/rows/row/v[@n=$_columnNumber]");
    table.set("Order Method-c", "ascending");
    EXPECT_TRUE(raw().contains(
        "<xsl:sort select='v[@n=0]' data-type='text' order='ascending' case-order='upper-first'/>"
        "<xsl:sort select='*[name()=\"b\"]' data-type='number' order='descending' "
        "case-order='upper-first'/>"
        "<xsl:sort select='v[@n=2]' data-type='text' order='ascending' case-order='upper-first'/>"));

    ASSERT_TRUE(generateXSLCode(false).indented);
    const XsltRun run = runLibxslt(workspace().current().xslGenerated,
                                   "<rows><row><b>1</b><v n='2'>x</v></row><row><b>3</b></row>"
                                   "<row><b>1</b><v n='2'>w</v></row></rows>");
    ASSERT_TRUE(run.transformed) << run.errors.toStdString();
    const qsizetype three = run.html.indexOf(">3<");
    const qsizetype w = run.html.indexOf(">w<");
    const qsizetype x = run.html.indexOf(">x<");
    EXPECT_TRUE(three >= 0 && three < w && w < x) << run.html.toStdString();
}

TEST_F(RowsAndCells, RowExclusionWrapsTheRow)
{
    table.addColumn("a", "Text", "/rows/row/a");
    table.set("Exclude Row If-Table", "@hide=\"1\"");
    const QString text = raw();
    EXPECT_TRUE(text.contains(rowNumber + "<xsl:if test='not (@hide=\"1\")'>"
                                          "<!-- Generate $rowId XSL variable -->"));
    EXPECT_TRUE(text.contains("<!-- End of table row --></tr></xsl:if>"
                              "<!-- End of main (for each row) loop --></xsl:for-each>"));
}

TEST_F(RowsAndCells, ColumnExclusionStyleAndXpathUseTheColumnVariables)
{
    table.addColumn("x", "Text", "/rows/row/x");
    table.addColumn("c", "Text", "/rows/row/v[@n=$_columnNumber]");
    table.set("Exclude Column If-c", "$_columnName=\"c\" and $_columnNumber=2 or $_columnName");
    table.set("CSS Style-c", " width:$_columnNumber0px;\r\n\tcolor:red");
    table.set("Show Empty Cells-c", "True");
    const QString cell = between(raw(), "<!-- Column x as: Text -->", "<!-- Evaluation Place: Attributes");
    EXPECT_TRUE(cell.contains(
        "<!-- Evaluation Place: Exclude Column If -->"
        "<xsl:if test='not (\"c\"=\"c\" and 2=2 or \"c\")'><!-- Table cell --><td class='Ts2'>"));
    EXPECT_TRUE(cell.contains(
        "<!-- Evaluation Place: CSS --><xsl:attribute name='style'> width:20px;color:red"
        "</xsl:attribute>"));
    EXPECT_TRUE(cell.contains(
        "<xsl:if test='count(v[@n=2]) = 0'><span style='visibility:hidden;'>.</span></xsl:if>"
        "<xsl:for-each select='v[@n=2]'>"));
    EXPECT_TRUE(raw().contains("<!-- End of table cell --></td></xsl:if><!-- End of table row -->"));
}

TEST_F(RowsAndCells, DebugOutputOnlyInPreviews)
{
    table.addColumn("c", "Text", "/rows/row/v");
    table.set("Row (Debug)-Table", "<xsl:value-of select='$_rowNumber'/>");
    table.set("Column (Debug)-c", "dbg");
    table.set("Enable Debug-c", "True");
    const QString rowDebug = "<!-- Evaluation Place: Row (Debug) --><td >" + debugDiv +
                             "<xsl:value-of select='$_rowNumber'/></div></td>";
    EXPECT_FALSE(raw().contains(rowDebug));
    table.set("Enable Debug-Table", "True");
    EXPECT_TRUE(raw().contains(rowDebug));
    EXPECT_TRUE(raw().contains("<!-- Column c as: Text -->" + debugDiv + "[dbg]</div><span>"));
    EXPECT_FALSE(raw(true).contains(debugDiv));
    EXPECT_TRUE(raw(true).contains("<!-- Evaluation Place: Row (Debug) --><!-- Evaluation Place: "
                                   "Exclude Column If -->"));
}

TEST_F(RowsAndCells, RowLimitInPreviewsOnly)
{
    table.addColumn("c", "Text", "/rows/row/v");
    const struct {
        int index;
        const char *text;
        int below;
    } limits[] = {{1, "first 5", 6}, {2, "first 10", 11}, {3, "first 20", 21}, {4, "first 50", 51}};
    for (const auto &limit : limits) {
        workspace().current().rowLimitIndex = limit.index;
        const QString text = raw();
        EXPECT_TRUE(text.contains(QStringLiteral("<!-- Show only %1 rows --><xsl:if test='position() &lt; %2'>"
                                                 "<!-- Generate $rowId")
                                      .arg(QLatin1String(limit.text))
                                      .arg(limit.below)));
        EXPECT_TRUE(text.contains("<!-- End of table row --></tr></xsl:if><!-- End of main"));
    }
    ProductionRunGuard output;
    EXPECT_FALSE(raw(true).contains("Show only"));
    EXPECT_FALSE(raw(true).contains("</tr></xsl:if>"));
}

TEST_F(RowsAndCells, NoRowLimitForAllRows)
{
    table.addColumn("c", "Text", "/rows/row/v");
    workspace().current().rowLimitIndex = 0;
    EXPECT_FALSE(raw().contains("position() &lt;"));
}

TEST_F(RowsAndCells, FormTablesAndPageAttributes)
{
    table.addColumn("c", "Text", "/rows/row/v");
    table.set("Table Type-Table", "Form");
    table.set("Page Title-Table", "A & B");
    table.set("Cell Spacing-Table", "3");
    table.set("Cell Padding-Table", "4");
    const QString text = raw();
    EXPECT_TRUE(text.contains("<xsl:element name='{$headElement}'><title>A &amp; B</title><xsl:if"));
    EXPECT_TRUE(text.contains(
        "<!-- Table code --><form style=\"padding:0;margin:0\" name='{$_formName}' "
        "id='{$_formName}' method=\"POST\"><table id='t_{$instanceToken}_T' cellspacing='3'  "
        "cellpadding='4'  class='Ts0 s0_T'>"));
    EXPECT_TRUE(text.contains("<!-- End of table --></table></form></xsl:element>"));
    table.set("Table Type-Table", "Display");
    EXPECT_FALSE(raw().contains("<form"));
    EXPECT_TRUE(raw().contains("<!-- End of table --></table></xsl:element>"));
}

TEST_F(RowsAndCells, ElementIdsLeaveOutputRunsOnlyWhenDisabled)
{
    table.addColumn("c", "Text", "/rows/row/v");
    table.set("Enable getElementById-Table", "False");
    const QString cellId = "<xsl:attribute name='id'><xsl:value-of select='$rowId'/>_c</xsl:attribute>";
    EXPECT_TRUE(raw().contains("<table id='t_{$instanceToken}_T' class="));
    EXPECT_TRUE(raw().contains(cellId));
    EXPECT_TRUE(raw(true).contains("<!-- Table code --><table class='Ts0 s0_T'>"));
    EXPECT_FALSE(raw(true).contains(cellId));
}

TEST_F(RowsAndCells, RowXpathAndRequiredXpaths)
{
    table.set("Xpath-Table", "  ");
    table.addColumn("c", "Text");
    EXPECT_TRUE(raw(true).contains("<xsl:with-param name='inputXML' select='/'/>"));
    EXPECT_EQ(getKey("Xpath-c@value"), "/");
    EXPECT_FALSE(workspace().current().tableChanged);

    table.set("Xpath-Table", "/orders/order");
    table.addColumn("d", "Web Link");
    const QString text = raw();
    EXPECT_TRUE(text.contains("<xsl:with-param name='inputXML' select='orders/order'/>"));
    EXPECT_EQ(getKey("Xpath-d@href"), "/orders/order");
    EXPECT_TRUE(workspace().current().tableChanged);
    EXPECT_TRUE(text.contains("<xsl:for-each select='self::node()'><xsl:variable name='_columnName'>d"));
}

TEST_F(RowsAndCells, MarkerTextInAValueTakesTheReplacementFirst)
{
    table.addColumn("c", "Text", "/rows/row/v");
    table.set("Page Title-Table", "[Tarvik82100FCX22]");
    const QString text = raw();
    EXPECT_TRUE(text.contains("<title></title>"));
    EXPECT_TRUE(text.contains("<xsl:for-each select='$inputXML[Tarvik82100FCX22]'>"));
}
