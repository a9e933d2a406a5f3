// The escaping of typed text, alone and in whole pages made by libxslt and by xsltproc.
#include "call_table_fixture.h"
#include "generator/transform.h"
#include "generator/xsl_generator.h"
#include "generator/xsl_text_escaping.h"
#include "libxslt_runner.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace {

using Escaper = QString (*)(const QString &);

struct TypedText {
    Escaper escape;
    const char *typed;
    const char *written;
};

const TypedText typedTexts[] = {
    {attributeText, "item[@kind='book']", "item[@kind=&apos;book&apos;]"},
    {attributeText, "price < 10", "price &lt; 10"},
    {attributeText, "'A & B'", "&apos;A &amp; B&apos;"},
    {attributeText, "a &lt; b &quot;c&quot; &amp; &#39; &#x27;", "a &lt; b &quot;c&quot; &amp; &#39; &#x27;"},
    {attributeText, "& &x &#; &1;", "&amp; &amp;x &amp;#; &amp;1;"},
    {attributeText, "{3}", "{3}"},
    {literalAttributeText, "{3}", "{{3}}"},
    {literalAttributeText, "10'", "10&apos;"},
    {markupText, "Price & VAT <i>net</i> &amp; 'a' < b <!--c--> <",
     "Price &amp; VAT <i>net</i> &amp; 'a' &lt; b <!--c--> &lt;"},
    {markupText, "<i t=\"a'&<\" u='\"'>]]></i><![CDATA[&<]]><?p &<?><!--& < <![CDATA[",
     "<i t=\"a'&amp;&lt;\" u='\"'>]]&gt;</i><![CDATA[&<]]><?p &<?>&lt;!--&amp; &lt; &lt;![CDATA["},
    {cdataText, "width: 3]]>", "width: 3]]]]><![CDATA[>"},
    {commentText, "a--b---c", "a- -b- - -c"},
    {commentText, "type-", "type- "},
};

TEST(XslTextEscaping, TypedTextIsWrittenSafely)
{
    for (const TypedText &row : typedTexts)
        EXPECT_EQ(row.escape(QString::fromUtf8(row.typed)), QString::fromUtf8(row.written)) << row.typed;
}

} // namespace

// A typed text in a field of a calling table, with a second entry it needs: libxslt and
// xsltproc make the same page, and it holds the path.
TEST(XslTextEscaping, TypedFieldsGiveTheSamePageWithBothProcessors)
{
    const char *ownCell = "//td[normalize-space(.)='r1']";
    const char *fields[][5] = {
        {"Xpath-name@value", "/rows/row/name[. != \"it's\" and . != 'a & b']", ownCell},
        {"Xpath-name@value", "/rows/row/name[string-length(.) < 3 and string-length(.) &lt; 3]", ownCell},
        {"Exclude Row If-Table", "name = \"it's\" or name = 'x' or name < 0", ownCell},
        {"Exclude Column If-name", "@k = \"it's-tools\" or . &lt; 0 or . < 0", ownCell},
        {"Header Title-name", "Price & VAT <i>net</i>", "//th[starts-with(., 'Price & VAT')]/i[.='net']",
         "Headers Visible-Table", "True"},
        {"Header Title-name", "Q<![CDATA[&]]>A", "//th[.='Q&A']", "Headers Visible-Table", "True"},
        {"Header Title-name", "a]]>b", "//th[.='a]]>b']", "Headers Visible-Table", "True"},
        {"Cell Padding-Table", "{3}", "//table[@cellpadding='{3}']"},
        {"CSS Style-name", "<xsl:if test=\"$_columnName = 'name'\">top:<xsl:value-of select=\"$_columnName\"/></xsl:if>",
         "//td[@style='top:name']"},
        {"Width-name", "10px]]>", "//style[contains(., 'width:10px]]>')]"},
        {"XSLT Input Parameters-Table", "g\x0e" "a < b &amp; c\x0f", ownCell},
        {"XSLT Input Parameters-Table", "g\x0e" "<b>bold</b>\x0f", "//b[.='bold']",
         "Table Scripts-Table", "<xsl:copy-of select='$g'/>"},
        {"XSLT Input Parameters-Table", "g\x0e" "Q<![CDATA[&]]>A\x0f", "//i[.='Q&A']",
         "Table Scripts-Table", "<i><xsl:value-of select='$g'/></i>"},
        {"XSLT Input Parameters-Table", "g\x0e" "a]]>b\x0f", "//i[.='a]]>b']",
         "Table Scripts-Table", "<i><xsl:value-of select='$g'/></i>"},
        {"eXSLT Namespaces-Table", "xmlns:p=\"urn:x&y\" ", ownCell, "Table Scripts-Table", "<p:x/>"},
        {"Xpath-call@inputXML", "/rows/row/item[c != \"it's\"]", "//td[contains(@id, '_Called_c')][.='m1']"},
        {"XSL Code-call@inputXML", "item[c != \"it's\"]", "//td[contains(@id, '_Called_c')][.='m1']",
         "XSL Calculated-call@inputXML", "True"},
        {"Xpath-call@p", "/rows/row/name[. != \"it's\"]", "//td[contains(@id, '_Called_d')][.='r1']"},
    };
    for (const auto &[key, typed, pagePath, alsoKey, alsoTyped] : fields) {
        CallTableFixture f;
        ScopedScriptedUi ui;
        f.writeCalled("lib", {{"XSLT Input Parameters-Table", "p\x0enone\x0f"},
                              {"Type-d", "XSL Code"},
                              {"XSL Code-d@xslCode", "<xsl:value-of select='$p'/>"}});
        f.addCall("call", "../lib/Called.tvk");
        f.caller.addAttribute("call", "p");
        f.caller.set(key, typed);
        if (alsoKey)
            f.caller.set(alsoKey, alsoTyped);
        QStringList pages;
        for (const char *plugIn : {"", "xsltproc xslFileName xmlFileName"}) {
            setKey("Use Plug In XSLT-Table", *plugIn ? "True" : "False", false);
            setKey("XSLT Command Line-Table", plugIn, false);
            generateXSLCode(false);
            EXPECT_FALSE(workspace().current().xslGenerated.contains("&#38;")) << typed;
            pages << runTransform(workspace().current().xmlPath, workspace().current().xslGenerated).html;
        }
        EXPECT_EQ(pages[0].toStdString(), pages[1].toStdString()) << typed;
        EXPECT_GT(HtmlPage(pages[0]).count(pagePath), 0) << typed << "\n" << pages[0].toStdString();
    }
}
