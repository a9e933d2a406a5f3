// Generated stylesheets through xsltproc as the plug-in and through the built-in processor.
#include "documents/text_files.h"
#include "generator/transform.h"
#include "generator/xsl_generator.h"
#include "support/parsed_html.h"
#include "support/scripted_ui.h"
#include "table_fixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const char *const ordersXml =
    "<orders>"
    "<o><name>Kiwi &amp; Co</name><url>http://k.example/?a=1&amp;b=2</url><pic>k.png</pic>"
    "<note>&lt;b&gt;bold&lt;/b&gt;</note><qty>3</qty></o>"
    "<o><name>\xc3\x84pfel</name><url>http://a.example/</url><pic>a b.png</pic>"
    "<note>plain</note><qty>12</qty></o>"
    "</orders>";

struct Table {
    const char *name;
    const char *shows; // a text the page must hold
    std::function<void(TableFixture &)> build;
};

void compareProcessors(const Table &table)
{
    SCOPED_TRACE(table.name);
    ScopedScriptedUi scripted;
    TableFixture fixture("Orders", "/orders/o");
    table.build(fixture);
    const QString xmlPath = fixture.home.file("or ders; 1.xml");
    writeFile(xmlPath, QString::fromUtf8(ordersXml), true);
    generateXSLCode(false);
    const QString xsl = workspace().current().xslGenerated;

    const TransformResult builtIn = runTransform(xmlPath, xsl);
    fixture.set("Use Plug In XSLT-Table", "True");
    fixture.set("XSLT Command Line-Table", "xsltproc xslFileName xmlFileName");
    const TransformResult plugIn = runTransform(xmlPath, xsl);

    ASSERT_TRUE(builtIn.ok) << builtIn.message.toStdString();
    ASSERT_TRUE(plugIn.ok) << plugIn.html.toStdString();
    EXPECT_TRUE(builtIn.html.contains(table.shows)) << builtIn.html.toStdString();
    EXPECT_EQ(parsedHtml(plugIn.html).toStdString(), parsedHtml(builtIn.html).toStdString());
    EXPECT_TRUE(scripted->messages.isEmpty());
}

} // namespace

TEST(PlugInGenerated, XsltprocAndBuiltInGiveTheSamePage)
{
    const Table tables[] = {
        {"text columns", "Kiwi &amp; Co",
         [](TableFixture &t) {
             t.addColumn("name", "Text", "/orders/o/name");
             t.addColumn("qty", "Text", "/orders/o/qty");
         }},
        {"links, images and HTML", "<b>bold</b>",
         [](TableFixture &t) {
             t.addColumn("link", "Web Link", "/orders/o/url");
             t.addColumn("pic", "Image", "/orders/o/pic");
             t.addColumn("note", "Text (HTML segment)", "/orders/o/note");
         }},
        {"form fields", "12",
         [](TableFixture &t) {
             t.addColumn("field", "Input Field", "/orders/o/name");
             t.addColumn("box", "Input Text Box (Textarea)", "/orders/o/note");
             t.addColumn("hidden", "Hidden Field", "/orders/o/qty");
         }},
        {"debug and row limit", "Kiwi &amp; Co",
         [](TableFixture &t) {
             t.addColumn("name", "Text", "/orders/o/name");
             t.set("Enable Debug-Table", "True");
             workspace().current().rowLimitIndex = 1;
         }},
    };
    for (const Table &table : tables)
        compareProcessors(table);
}
