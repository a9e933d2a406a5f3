#include "documents/store_access.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/transform.h"
#include "platform/ui/ui_services.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

const QString stylesheetStart = QStringLiteral(
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
    "xmlns:msxsl='urn:schemas-microsoft-com:xslt' xmlns:exsl='http://exslt.org/common'>");

QString stylesheet(const QString &body) { return stylesheetStart + body + "</xsl:stylesheet>"; }

QString textStylesheet(const QString &templateBody)
{
    return stylesheet("<xsl:output method='text'/><xsl:template match='/'>" + templateBody +
                      "</xsl:template>");
}

// A saved table in a folder of its own, with its XML document.
class BuiltInTransform : public ::testing::Test {
protected:
    TempHome home;
    ScopedScriptedUi scripted;
    QString folder;
    QString xmlPath;

    void SetUp() override
    {
        folder = home.file("my tables") + '/';
        QDir().mkpath(folder);
        xmlPath = folder + "orders.xml";
        writeXml("<orders><o id='1'>Apfel</o><o id='2'>Grüße</o></orders>");
        workspace().current().tablePath = folder + "orders.tvk";
    }
    void writeXml(const QString &text) { writeFile(xmlPath, text, true); }
    // The page; a failure says why to the user, as the preview does.
    QString run(const QString &xsl) { return runShown(xmlPath, xsl); }
    static QString runShown(const QString &xml, const QString &xsl)
    {
        const TransformResult result = runTransform(xml, xsl);
        if (!result.message.isEmpty())
            ui().message(result.message);
        return result.html;
    }
};

} // namespace

TEST_F(BuiltInTransform, HtmlPageAndProcessorRecord)
{
    const QString html = run(stylesheet(
        "<xsl:output method='html'/><xsl:template match='/'><html><body><table>"
        "<xsl:for-each select='orders/o'><tr><td><xsl:value-of select='.'/></td></tr>"
        "</xsl:for-each></table></body></html></xsl:template>"));
    EXPECT_TRUE(html.contains("<td>Apfel</td>"));
    EXPECT_TRUE(html.contains(QString::fromUtf8("<td>Grüße</td>")));
    EXPECT_EQ(workspace().current().xsltProcessorUsed, "msxsl");
    EXPECT_TRUE(scripted->messages.isEmpty());
    // A long page comes back whole as the bytes of the encoding its output asks for, and an
    // HTML page's bytes are those its charset declaration names.
    const QString words = QString::fromUtf8("Grüße € ").repeated(3000);
    const QString text = "<xsl:output method='text' encoding='%1'/>";
    const QString page = "<xsl:output method='html' encoding='%1'/>";
    const QString letters = QString::fromUtf8("<p>Grüße</p>");
    const struct {
        QString output;
        const char *encoding;
        QStringEncoder::Flags flags;
        QString body;
        QString shows;
        QByteArray declares;
    } pages[] = {
        {text, "UTF-8", {}, words, words, ""},
        {text, "ISO-8859-15", {}, words, words, ""},
        {text, "UTF-16", QStringEncoder::Flag::WriteBom, words, words, ""},
        {page, "ISO-8859-1", {}, "<html><head/><body>" + letters + "</body></html>", letters,
         "charset=ISO-8859-1"},
    };
    for (const auto &c : pages) {
        const TransformResult result = runTransform(
            xmlPath, stylesheet(c.output.arg(c.encoding) + "<xsl:template match='/'>" + c.body +
                                "</xsl:template>"));
        EXPECT_TRUE(result.html.contains(QByteArray(QStringEncoder(c.encoding, c.flags).encode(c.shows))))
            << c.encoding;
        EXPECT_TRUE(result.html.contains(c.declares)) << c.encoding;
    }
}

TEST_F(BuiltInTransform, PlugInSwitchWithoutCommandLineUsesBuiltIn)
{
    setKey("Use Plug In XSLT-Table", "True", false);
    workspace().current().xsltProcessorUsed = "before";
    EXPECT_EQ(run(textStylesheet("<xsl:value-of select='count(//o)'/>")), "2");
    EXPECT_EQ(workspace().current().xsltProcessorUsed, "msxsl");

    setKey("Use Plug In XSLT-Table", "true", false);
    setKey("XSLT Command Line-Table", "xsltproc xslFileName xmlFileName", false);
    EXPECT_EQ(run(textStylesheet("<xsl:value-of select='count(//o)'/>")), "2");
    EXPECT_EQ(workspace().current().xsltProcessorUsed, "msxsl");
}

TEST_F(BuiltInTransform, MsxslNodeSetAndExslt)
{
    const QString xsl = stylesheet(
        "<xsl:output method='text'/><xsl:variable name='v'><a>x</a><a>y</a></xsl:variable>"
        "<xsl:template match='/'><xsl:value-of select='count(msxsl:node-set($v)/a)'/>,"
        "<xsl:value-of select='count(exsl:node-set($v)/a)'/></xsl:template>");
    EXPECT_EQ(run(xsl), "2,2");
    EXPECT_TRUE(scripted->messages.isEmpty());
}

TEST_F(BuiltInTransform, ParseFailuresNameTheDocument)
{
    writeXml("<orders><o></orders>");
    EXPECT_EQ(run(textStylesheet("x")), "");
    ASSERT_EQ(scripted->messages.size(), 1);
    EXPECT_TRUE(scripted->messages[0].startsWith("Error in XML document: "));
    EXPECT_TRUE(scripted->messages[0].contains("mismatch")) << scripted->messages[0].toStdString();

    scripted->messages.clear();
    EXPECT_EQ(runShown(folder + "missing.xml", textStylesheet("x")), "");
    ASSERT_EQ(scripted->messages.size(), 1);
    EXPECT_TRUE(scripted->messages[0].startsWith("Error in XML document: "));

    writeXml("<orders/>");
    scripted->messages.clear();
    EXPECT_EQ(run(stylesheetStart + "<xsl:template match='/'>"), "");
    ASSERT_EQ(scripted->messages.size(), 1);
    EXPECT_TRUE(scripted->messages[0].startsWith("Error in XSL document: "));

    // Well-formed but no stylesheet: a failure of the transform, not of the document.
    scripted->messages.clear();
    EXPECT_EQ(run("<html/>"), "");
    ASSERT_EQ(scripted->messages.size(), 1);
    EXPECT_TRUE(scripted->messages[0].contains("not a stylesheet"));
}

TEST_F(BuiltInTransform, RunTimeErrorsAreReportedNotAnEmptyPage)
{
    const struct {
        const char *body;
        const char *expected;
    } cases[] = {
        {"<xsl:value-of select='$nope'/>", "nope"},
        {"<xsl:value-of select='nosuch(1)'/>", "nosuch"},
        {"<xsl:value-of select='(('/>", "(("},
        {"<xsl:message terminate='yes'>stop here</xsl:message>", "stop here"},
    };
    for (const auto &c : cases) {
        scripted->messages.clear();
        const TransformResult result = runTransform(xmlPath, textStylesheet(c.body));
        EXPECT_FALSE(result.ok) << c.body;
        EXPECT_EQ(result.html, "");
        EXPECT_TRUE(result.message.contains(c.expected)) << result.message.toStdString();
        EXPECT_TRUE(scripted->messages.isEmpty());
    }
    // Lines count in the text that ran: the page file is named only when it holds that text.
    const QString broken = textStylesheet("<xsl:value-of select='(('/>");
    for (const bool saved : {false, true}) {
        if (saved)
            writeFile(folder + "orders.xsl", broken, true);
        const QString message = runTransform(xmlPath, broken).message;
        EXPECT_EQ(message.contains("the previewed stylesheet (XSL code window), line 1"), !saved)
            << message.toStdString();
        EXPECT_EQ(message.contains("orders.xsl line 1"), saved) << message.toStdString();
    }
    // A message that does not terminate is no failure.
    EXPECT_EQ(run(textStylesheet("<xsl:message>note</xsl:message>done")), "done");
    EXPECT_TRUE(scripted->messages.isEmpty());
}

TEST_F(BuiltInTransform, StylesheetsCannotWriteFiles)
{
    const QString target = folder + "written.txt";
    const QString xsl =
        "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
        "xmlns:exsl='http://exslt.org/common' extension-element-prefixes='exsl'>"
        "<xsl:template match='/'><exsl:document href='" + target +
        "' method='text'>secret</exsl:document>done</xsl:template></xsl:stylesheet>";
    EXPECT_EQ(run(xsl), "");
    ASSERT_EQ(scripted->messages.size(), 1);
    EXPECT_TRUE(scripted->messages[0].contains("refused")) << scripted->messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(BuiltInTransform, ExternalEntitiesAreNotLoaded)
{
    writeFile(folder + "secret.txt", "TOPSECRET", true);
    writeXml("<!DOCTYPE orders [<!ENTITY s SYSTEM 'secret.txt'>]><orders>[&s;]</orders>");
    const QString html = run(textStylesheet("<xsl:value-of select='orders'/>"));
    EXPECT_FALSE(html.contains("TOPSECRET"));
    EXPECT_TRUE(html.startsWith("[")) << html.toStdString();
}

TEST_F(BuiltInTransform, ImportsResolveFromTheXslOutputFolder)
{
    const QString outputFolder = home.file("out put") + '/';
    QDir().mkpath(outputFolder + "lib");
    writeFile(outputFolder + "lib/more.xsl",
              stylesheet("<xsl:template name='more'>from lib</xsl:template>"), true);
    workspace().current().xslFileDir = outputFolder;
    const QString xsl = stylesheet("<xsl:import href='lib/more.xsl'/><xsl:output method='text'/>"
                                   "<xsl:template match='/'><xsl:call-template name='more'/>"
                                   "</xsl:template>");
    EXPECT_EQ(run(xsl), "from lib");

    // Without an output folder of its own the table file's folder counts.
    workspace().current().xslFileDir.clear();
    EXPECT_EQ(run(xsl), "");
    QDir().mkpath(folder + "lib");
    writeFile(folder + "lib/more.xsl",
              stylesheet("<xsl:template name='more'>beside the table</xsl:template>"), true);
    EXPECT_EQ(run(xsl), "beside the table");
}
