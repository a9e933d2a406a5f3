#pragma once

// A table with one column of every type, each with the properties that make it write the
// most, and a document of rows for it: the generator's widest stylesheet.

#include "table_fixture.h"

inline QString fixtureXml(int rows)
{
    QString xml = QStringLiteral("<rows>");
    for (int r = 1; r <= rows; ++r)
        xml += QStringLiteral("<row id='%1' hide='%2'><name>Name %1</name>"
                              "<html>&lt;i&gt;item %1&lt;/i&gt;</html><url>http://x/%1</url>"
                              "<img>p%1.png</img><note>note %1</note><q>q%1</q>"
                              "<opts><opt label='one' v=\"o'1\"/><opt label='two' v='o2'/></opts>"
                              "</row>")
                   .arg(r)
                   .arg(r % 20 == 0 ? 1 : 0);
    return xml + QStringLiteral("</rows>");
}

inline void buildEveryType(TableFixture &table)
{
    table.addColumn("name", "Text", "/rows/row/name");
    table.addAttribute("name", "title", "/rows/row/@id");
    table.addColumn("h", "Text (HTML segment)", "/rows/row/html");
    table.addColumn("x", "XSL Code");
    table.set("XSL Code-x@xslCode", "<b><xsl:value-of select='@id'/></b>");
    table.addColumn("w", "Web Link", "/rows/row/url");
    table.addAttribute("w", "value", "/rows/row/name");
    table.addColumn("i", "Image", "/rows/row/img");
    table.addAttribute("i", "webLink", "/rows/row/url");
    table.addAttribute("i", "target", "/rows/row/@id");
    table.addColumn("ta", "Input Text Box (Textarea)", "/rows/row/note");
    table.addColumn("f", "Input Field", "/rows/row/q");
    table.addColumn("s", "Submit Button");
    table.addCodeAttribute("s", "submitURL", "save.php");
    table.addColumn("hf", "Hidden Field", "/rows/row/@id");
    table.addColumn("sel", "Select", "/rows/row/opts/opt/@label");
    table.addAttribute("sel", "baseXpath", "/rows/row/opts/opt");
    table.addAttribute("sel", "optionValue", "/rows/row/opts/opt/@v");
    table.addColumn("call", "Call Table");

    table.set("Headers Visible-Table", "True");
    table.set("Table Type-Table", "Form");
    table.set("Page Title-Table", "Every type & more");
    table.set("Order Method-name", "descending");
    table.set("Show Empty Cells-name", "True");
    table.set("CSS Style-name", "width:$_columnNumber0px");
    table.set("Exclude Column If-q", "$_columnNumber = 0");
    table.set("Enable Debug-Table", "True");
    table.set("Row (Debug)-Table", "<xsl:value-of select='$_rowNumber'/>");
    table.set("Column (Debug)-name", "<xsl:value-of select='$_columnName'/>");
    table.set("Enable Debug-name", "True");
    table.set("XSLT Input Parameters-Table", QString("greeting") + QChar(14) + "hello" + QChar(15));
    table.set("CSS Style-Table", "<xsl:if test='$greeting'>margin:0</xsl:if>");
    table.set("Table Scripts-Table", "<script>var t=1;</script>");
}
