// What each column type writes inside its column loop, written out by hand.
#include "generator/column_attributes.h"
#include "generator/xsl_generator.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

namespace {

class ColumnBodies : public ::testing::Test {
protected:
    // The text between the column's type comment and the end of its column loop, or of
    // its cell when the type has no column loop.
    QString body(const QString &column)
    {
        const QString type = getKey("Type-" + column);
        QString text = between(buildXslCode(false), "<!-- Column " + column + " as: " + type + " -->",
                               "<!-- End of table cell -->");
        if (text.endsWith("</xsl:for-each>"))
            text.chop(int(qstrlen("</xsl:for-each>")));
        return text;
    }
    TableFixture table;
};

const QString loopEnd = QStringLiteral("<!-- End of column loop -->");
const QString self = QStringLiteral("<xsl:value-of select='self::node()'/>");

} // namespace

TEST_F(ColumnBodies, TextWritesASpanWithItsOtherAttributes)
{
    table.addColumn("c", "Text", "/rows/row/v");
    EXPECT_EQ(body("c"), "<span>" + self + "</span>" + loopEnd);
    table.addAttribute("c", "title", "/rows/row/@t");
    EXPECT_EQ(body("c"), "<span><xsl:attribute name='title'><xsl:value-of select='../@t'/>"
                         "</xsl:attribute>" + self + "</span>" + loopEnd);
}

// The fix script follows the table, once, naming the segment columns and no other.
TEST_F(ColumnBodies, HtmlSegmentWritesADivAndTheTableOneFixScript)
{
    table.addColumn("h", "Text (HTML segment)", "/rows/row/html");
    table.addColumn("t", "Text", "/rows/row/t");
    table.addColumn("hé", "Text (HTML segment)", "/rows/row/h2");
    EXPECT_EQ(body("h"),
              "<div id='{$colId}'><xsl:variable name='tx'>" + self + "</xsl:variable>"
              "<xsl:value-of select='$tx' disable-output-escaping='yes'/></div>" + loopEnd);
    EXPECT_EQ(body("t"), "<span>" + self + "</span>" + loopEnd);
    const QString code = buildXslCode(false);
    EXPECT_EQ(code.count("<script language='JavaScript'>if (_browserName()=='NS')"), 1);
    EXPECT_TRUE(code.contains("</table><script language='JavaScript'>")) << "right after the table";
    EXPECT_TRUE(code.contains("'r_<xsl:value-of select='$instanceToken'/>_',['_T_h_','_T_h\\u00e9_'])</script>"));
}

TEST_F(ColumnBodies, XslCodeIsTheUsersCodeAndALineBreak)
{
    table.addColumn("x", "XSL Code");
    table.set("XSL Code-x@xslCode", "<b><xsl:value-of select='@id'/></b>");
    EXPECT_EQ(body("x"), "<b><xsl:value-of select='@id'/></b>\r\n" + loopEnd);
}

TEST_F(ColumnBodies, WebLinkTextIsTheValueOrElseTheHref)
{
    table.addColumn("w", "Web Link", "/rows/row/url");
    table.addAttribute("w", "value");
    const QString href = "<a><xsl:attribute name='href'>" + self + "</xsl:attribute>";
    EXPECT_EQ(body("w"), href + self + "</a>" + loopEnd);
    table.set("Xpath-w@value", "/rows/row/label");
    EXPECT_EQ(body("w"), href + "<xsl:value-of select='../label'/></a>" + loopEnd);
}

TEST_F(ColumnBodies, ImageWithAndWithoutLink)
{
    table.addColumn("i", "Image", "/rows/row/img");
    const QString image =
        "<img  border='0'><xsl:attribute name='src'>" + self + "</xsl:attribute></img>";
    EXPECT_EQ(body("i"), image + loopEnd);
    table.addAttribute("i", "webLink", "/rows/row/link");
    const QString link = "<a><xsl:attribute name='href'><xsl:value-of select='../link'/>"
                         "</xsl:attribute>";
    EXPECT_EQ(body("i"), link + image + "</a>" + loopEnd);
    table.addAttribute("i", "target", "/rows/row/@tg[1]");
    EXPECT_EQ(body("i"), link + "<xsl:attribute name='target'><xsl:value-of select='../@tg'/>"
                                "</xsl:attribute>" + image + "</a>" + loopEnd);
}

TEST_F(ColumnBodies, FormControls)
{
    table.addColumn("ta", "Input Text Box (Textarea)", "/rows/row/note");
    table.addColumn("f", "Input Field", "/rows/row/q");
    table.addColumn("hf", "Hidden Field", "/rows/row/id");
    EXPECT_EQ(body("ta"), "<textarea ><xsl:attribute name='name'>ta</xsl:attribute>" + self +
                              "<xsl:value-of select='$_space'/></textarea>" + loopEnd);
    const QString value = "<xsl:attribute name='value'>" + self + "</xsl:attribute>";
    EXPECT_EQ(body("f"), "<input type='text'><xsl:attribute name='name'>f</xsl:attribute>" +
                             value + value + "</input>" + loopEnd);
    EXPECT_EQ(body("hf"), "Hidden field, value=" + self +
                              "<input type='hidden'><xsl:attribute name='name'>hf"
                              "</xsl:attribute>" + value + "</input>" + loopEnd);
}

TEST_F(ColumnBodies, SubmitButtonPostsTheFormOrRunsItsOnclick)
{
    table.addColumn("s", "Submit Button");
    table.addCodeAttribute("s", "submitURL", "save.php");
    table.addColumn("hf", "Hidden Field", "/rows/row/id");
    const QString name = "<input type='submit'><xsl:attribute name='name'>s</xsl:attribute>";
    EXPECT_EQ(body("s"), name + "<xsl:attribute name='onclick'>javascript:_submitForm("
                                "'<xsl:value-of select=\"$_formName\"/>','save.php')"
                                "</xsl:attribute></input>" + loopEnd);
    EXPECT_FALSE(body("hf").contains("onclick"));

    table.addCodeAttribute("s", "onclick", "alert(1)");
    const QString onclick = "<xsl:attribute name='onclick'>alert(1)</xsl:attribute>";
    EXPECT_EQ(body("s"), name + onclick + onclick + "</input>" + loopEnd);
}

TEST_F(ColumnBodies, MappedSubmitUrlGivesItsValue)
{
    table.addColumn("s", "Submit Button", "/rows/row/@url");
    EXPECT_TRUE(body("s").contains("_submitForm('<xsl:value-of select=\"$_formName\"/>','" + self +
                                   "')"));
}

TEST_F(ColumnBodies, SelectOptionsLoopFromTheRowWithoutAColumnLoop)
{
    table.addColumn("sel", "Select", "/rows/row/opts/opt/@label");
    table.addAttribute("sel", "baseXpath", "/rows/row/opts/opt");
    const QString start = "<select><xsl:attribute name='name'>sel</xsl:attribute>"
                          "<xsl:for-each select='opts/opt'><option><xsl:variable name='_option'>"
                          "<xsl:value-of select='";
    const QString end = "'/></xsl:variable><xsl:attribute name='value'><xsl:value-of "
                        "select='translate($_option,$_squote,$_dquote)'/></xsl:attribute>"
                        "<xsl:value-of select='@label'/></option></xsl:for-each></select>";
    EXPECT_EQ(body("sel"), start + "@label" + end);
    table.addAttribute("sel", "optionValue", "/rows/row/opts/opt/@v");
    EXPECT_EQ(body("sel"), start + "@v" + end);
}

TEST_F(ColumnBodies, SelectWithoutDisplayAndUnknownTypesWriteNoBody)
{
    table.addColumn("sel", "Select");
    table.addCodeAttribute("sel", "displayValue", "");
    table.addColumn("odd", "Sparkline", "/rows/row/x");
    EXPECT_EQ(body("sel"), "");
    EXPECT_EQ(body("odd"), loopEnd);
}

TEST_F(ColumnBodies, AttributesPastPosition300AreNotFoundByName)
{
    table.addColumn("c", "Text", "/rows/row/v");
    for (int position = 2; position <= 299; ++position)
        table.addAttribute("c", QStringLiteral("a%1").arg(position));
    table.addAttribute("c", "at300", "/rows/row/x");
    table.addAttribute("c", "at301", "/rows/row/y");
    EXPECT_EQ(getThatAtt("c", "at300"), "/rows/row/x");
    EXPECT_EQ(getThatAttCode("c", "at300", "/rows/row"), "<xsl:value-of select='x'/>");
    EXPECT_EQ(getThatAtt("c", "at301"), "");
    EXPECT_EQ(getThatAttCode("c", "at301", "/rows/row"), "");
}
