#include "documents/store_access.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/plugin_processor.h"
#include "generator/transform.h"
#include "platform/xslt/xslt_transform.h"
#include "support/parsed_html.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString xsltproc = QStringLiteral("xsltproc xslFileName xmlFileName");

QString stylesheet(const QString &body)
{
    return "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
           "xmlns:msxsl='urn:schemas-microsoft-com:xslt' xmlns:exsl='http://exslt.org/common'>" +
           body + "</xsl:stylesheet>";
}

// A saved table whose folder and XML document have blanks and ';' in their names.
class PlugInProcessor : public ::testing::Test {
protected:
    TempHome home;
    ScopedScriptedUi scripted;
    QString folder;
    QString xmlPath;

    void SetUp() override
    {
        folder = home.file("my tables; v2") + '/';
        QDir().mkpath(folder);
        xmlPath = folder + "or ders;1.xml";
        writeFile(xmlPath,
                  QString::fromUtf8("<orders><o n='3'>Kiwi &amp; Co</o><o n='1'>Äpfel</o>"
                                    "<o n='2'>&lt;b&gt;</o><p:o xmlns:p='urn:x?a=1&amp;b=2'/></orders>"),
                  true);
        writeFile(folder + "more.xml", "<q:m xmlns:q='urn:y?c&amp;d&#38;e&amp;#38;'><q:i/></q:m>", true);
        workspace().current().tablePath = folder + "orders.tvk";
    }
    void usePlugIn(const QString &commandLine)
    {
        setKey("Use Plug In XSLT-Table", "True", false);
        setKey("XSLT Command Line-Table", commandLine, false);
    }
    TransformResult withBuiltIn(const QString &xsl)
    {
        setKey("Use Plug In XSLT-Table", "False", false);
        return runTransform(xmlPath, xsl);
    }
    TransformResult withXsltproc(const QString &xsl)
    {
        usePlugIn(xsltproc);
        return runTransform(xmlPath, xsl);
    }
};

} // namespace

TEST(PlugInCommandLine, PlaceholdersStayWithinTheirArguments)
{
    EXPECT_EQ(expandCommandLine("proc -o out xslFileName  xmlFileName", "/d d/a;b.xml",
                                "/t/TarvikTempXSLFile.xsl"),
              (QStringList{"proc", "-o", "out", "/t/TarvikTempXSLFile.xsl", "/d d/a;b.xml"}));
    EXPECT_EQ(expandCommandLine("\"/opt/my proc/run\" --in=xmlFileName;rm -rf x", "/a b.xml",
                                "/s.xsl"),
              (QStringList{"/opt/my proc/run", "--in=/a b.xml;rm", "-rf", "x"}));
    // Only the first occurrence of each is replaced, and a path is never searched again.
    EXPECT_EQ(expandCommandLine("p xmlFileName xmlFileName xslFileName", "/xslFileName.xml",
                                "/s.xsl"),
              (QStringList{"p", "/xslFileName.xml", "xmlFileName", "/s.xsl"}));
    EXPECT_EQ(expandCommandLine("p -a b", "/x.xml", "/s.xsl"), (QStringList{"p", "-a", "b"}));
    EXPECT_EQ(commandText({"p", "/a b.xml", "say \"hi\"", ""}),
              "p \"/a b.xml\" \"say \"\"\"hi\"\"\"\" \"\"");
    EXPECT_EQ(QProcess::splitCommand(commandText({"p", "/a b.xml", "say \"hi\""})),
              (QStringList{"p", "/a b.xml", "say \"hi\""}));
}

TEST_F(PlugInProcessor, XsltprocGivesTheSamePagesAsTheBuiltInProcessor)
{
    const QString pages[] = {
        stylesheet("<xsl:output method='html' indent='yes'/><xsl:template match='/'><html>"
                   "<head><title>t</title></head><body><table border='1'>"
                   "<xsl:for-each select='orders/o'><xsl:sort select='@n' data-type='number'/>"
                   "<tr id='r_{position()}'><td><xsl:value-of select='.'/></td>"
                   "<td><xsl:value-of select='.' disable-output-escaping='yes'/></td></tr>"
                   "</xsl:for-each></table><br/><input type='checkbox' checked='checked'/>"
                   "</body></html></xsl:template>"),
        stylesheet("<xsl:output method='html'/><xsl:param name='p'>7</xsl:param>"
                   "<xsl:variable name='v'><i>a</i><i>b</i></xsl:variable>"
                   "<xsl:template match='/'><div><xsl:value-of select='$p'/>"
                   "<xsl:for-each select='exsl:node-set($v)/i'><span>"
                   "<xsl:value-of select='.'/></span></xsl:for-each>"
                   "<script>if (1 &lt; 2) {}</script></div></xsl:template>"),
        stylesheet("<xsl:output method='html'/><xsl:template match='/'><p>"
                   "<xsl:value-of select='count(//o)'/> &#160;&#8364;</p></xsl:template>"),
        // Every kind of node an html page gets, built from instructions.
        stylesheet("<xsl:output method='html' indent='no'/><xsl:template match='/'>"
                   "<xsl:element name='html'><head><style>td &gt; b {}</style></head><body>"
                   "<xsl:comment> c </xsl:comment><xsl:processing-instruction name='pi'>x"
                   "</xsl:processing-instruction><xsl:for-each select='orders/o'>"
                   "<xsl:element name='div'><xsl:attribute name='id'>d<xsl:value-of "
                   "select='@n'/></xsl:attribute><a name='n{@n}' href='a b/\xc3\xa4?q={@n}'>"
                   "<xsl:copy-of select='node()'/></a><br/><img src='i.png'/>"
                   "<option selected='selected'/><xsl:text disable-output-escaping='yes'>"
                   "&lt;i&gt;&amp;nbsp;</xsl:text></xsl:element></xsl:for-each>"
                   "</body></xsl:element></xsl:template>"),
        stylesheet("<xsl:output method='html' doctype-public='-//W3C//DTD HTML 4.01//EN' "
                   "cdata-section-elements='td'/><xsl:template match='/'><html><body><table>"
                   "<tr><td id='x'>a &lt; b</td></tr></table></body></html></xsl:template>"),
        // Namespace names with "&", in the XML document and in one document() reads.
        stylesheet("<xsl:template match='/' xmlns:p='urn:x?a=1&amp;b=2' xmlns:q='urn:y?c&amp;d&amp;e&#38;#38;'>"
                   "<r n='{count(//p:o)}{count(document(\"more.xml\")/q:m/q:i)}' u='{namespace-uri(//p:o)}'"
                   " d='{namespace-uri(document(\"more.xml\")/*)}'><xsl:copy-of select='//p:o|document(\"more.xml\")/*'/>"
                   "</r></xsl:template>"),
    };
    for (const QString &xsl : pages) {
        const TransformResult builtIn = withBuiltIn(xsl);
        const TransformResult plugIn = withXsltproc(xsl);
        ASSERT_TRUE(builtIn.ok) << builtIn.message.toStdString();
        ASSERT_TRUE(plugIn.ok) << plugIn.html.toStdString();
        EXPECT_EQ(parsedHtml(plugIn.html).toStdString(), parsedHtml(builtIn.html).toStdString());
        EXPECT_EQ(plugIn.html.toStdString(), builtIn.html.toStdString());
        EXPECT_EQ(runXslt(xmlPath, xsl, folder + "orders.xsl").output.toStdString(), builtIn.html.toStdString());
    }
    EXPECT_TRUE(scripted->messages.isEmpty());
}

TEST_F(PlugInProcessor, StylesheetFileAndProcessorRecord)
{
    const QString xsl = stylesheet("<xsl:output method='text'/><xsl:template match='/'>"
                                   "<xsl:value-of select='count(//o)'/></xsl:template>");
    const TransformResult result = withXsltproc(xsl);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.html, "3");
    EXPECT_EQ(readFile(folder + "TarvikTempXSLFile.xsl"), xsl);
    EXPECT_EQ(workspace().current().xsltProcessorUsed,
              "xsltproc \"" + folder + "TarvikTempXSLFile.xsl\" \"" + xmlPath + "\"");

    // The XSL output page's folder takes the stylesheet when the table has one.
    const QString outputFolder = home.file("out") + '/';
    QDir().mkpath(outputFolder);
    workspace().current().xslFileDir = outputFolder;
    EXPECT_EQ(withXsltproc(xsl).html, "3");
    EXPECT_TRUE(QFile::exists(outputFolder + "TarvikTempXSLFile.xsl"));
}

TEST_F(PlugInProcessor, WhatTheProcessorWritesIsThePage)
{
    // Both streams in the order they came, and standard error alone, are the page too.
    usePlugIn("sh -c \"echo first; sleep 0.2; echo second >&2; sleep 0.2; echo third\"");
    EXPECT_EQ(runTransform(xmlPath, "<x/>").html, "first\nsecond\nthird\n");
    usePlugIn("sh -c \"echo only on stderr >&2\"");
    EXPECT_EQ(runTransform(xmlPath, "<x/>").html, "only on stderr\n");

    // Output far larger than a pipe holds arrives whole.
    usePlugIn("seq 1 400000");
    const QString many = runTransform(xmlPath, "<x/>").html;
    EXPECT_EQ(many.count('\n'), 400000);
    EXPECT_TRUE(many.endsWith("\n400000\n"));
    EXPECT_TRUE(scripted->messages.isEmpty());
}

TEST_F(PlugInProcessor, FailingProcessorGivesNoPageButItsStatusAndErrors)
{
    const struct {
        QString commandLine;
        QString messageStart;
        QString errors;
    } cases[] = {
        {xsltproc, "The plug-in XSLT processor ended with exit status ", "nope"},
        {"sh -c \"echo page; echo bad >&2; exit 3\"",
         "The plug-in XSLT processor ended with exit status 3.\nbad", "bad"},
        {"sh -c \"echo page; kill -SEGV $$\"", "The plug-in XSLT processor crashed.", ""},
    };
    for (const auto &c : cases) {
        usePlugIn(c.commandLine);
        const TransformResult result = runTransform(
            xmlPath, stylesheet("<xsl:template match='/'><xsl:value-of select='$nope'/>"
                                "</xsl:template>"));
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.html, "");
        EXPECT_TRUE(result.message.startsWith(c.messageStart)) << result.message.toStdString();
        EXPECT_TRUE(result.message.contains(c.errors));
        EXPECT_FALSE(result.message.contains("page"));
    }
}

TEST_F(PlugInProcessor, ProcessorThatCannotStart)
{
    usePlugIn("/no/such/processor xslFileName xmlFileName");
    const TransformResult result = runTransform(xmlPath, "<x/>");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.html, "Failed to create process, check the path of the command line.");
    EXPECT_TRUE(scripted->messages.isEmpty());
}

namespace {

// False once the process has ended (gone, or a zombie waiting to be reaped).
bool processRuns(const QString &pid)
{
    QFile stat("/proc/" + pid + "/stat");
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray fields = stat.readAll();
    return !fields.mid(fields.lastIndexOf(')') + 2).startsWith('Z');
}

bool processEndsSoon(const QString &pid)
{
    for (int tries = 0; tries < 100 && processRuns(pid); ++tries)
        QThread::msleep(20);
    return !processRuns(pid);
}

} // namespace

// Whatever the processor started is stopped with it: a backgrounded grandchild, or one in
// a session of its own, once outlived the time limit, and unbounded output once aborted the
// program. A render nobody waits for any more stops it too.
TEST_F(PlugInProcessor, ProcessorsBeyondTheirBoundsAreStoppedWithTheirChildren)
{
    const QString pidFile = folder + "grandchild.pid";
    XsltStopToken stopped;
    stopped.requestStop();
    const struct {
        QString commandLine;
        int timeoutMs;
        qint64 maxOutputBytes;
        const XsltStopToken *stop;
        const char *page;
    } cases[] = {
        {"sleep 600", 1500, pluginOutputLimit, nullptr,
         "The plug-in XSLT processor did not finish within 1.5 seconds and was stopped."},
        {"sh -c \"sleep 600 & echo $! > '" + pidFile + "'; wait\"", 1500, pluginOutputLimit,
         nullptr, "The plug-in XSLT processor did not finish within 1.5 seconds and was stopped."},
        // A grandchild in a session of its own, orphaned at once.
        {"sh -c \"(setsid sleep 600 & echo $! > '" + pidFile + "'); sleep 600\"", 1500,
         pluginOutputLimit, nullptr,
         "The plug-in XSLT processor did not finish within 1.5 seconds and was stopped."},
        {"sh -c \"sleep 600 & echo $! > '" + pidFile + "'; yes\"", 1500, 1 << 20, nullptr,
         "The plug-in XSLT processor wrote more than 1 MB and was stopped."},
        {"sleep 600", pluginTimeoutMs, pluginOutputLimit, &stopped, ""},
    };
    for (const auto &c : cases) {
        QFile::remove(pidFile);
        QString used;
        const PluginCommand plugin = preparePlugin(c.commandLine, xmlPath, "<x/>", folder, used);
        const TransformResult result =
            runPluginCommand(plugin, c.timeoutMs, c.maxOutputBytes, c.stop);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.html, c.page);
        const QString grandchild = readFile(pidFile).trimmed();
        EXPECT_EQ(grandchild.isEmpty(), !c.commandLine.contains(pidFile));
        if (!grandchild.isEmpty()) {
            EXPECT_TRUE(processEndsSoon(grandchild)) << c.commandLine.toStdString();
        }
    }
}

TEST_F(PlugInProcessor, UnwritableStylesheetStopsTheRun)
{
    QDir().mkpath(folder + "TarvikTempXSLFile.xsl");
    usePlugIn("touch \"" + folder + "ran\"");
    const TransformResult result = runTransform(xmlPath, "<x/>");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.html, "");
    ASSERT_EQ(scripted->messages.size(), 1);
    EXPECT_TRUE(scripted->messages[0].startsWith("Cannot write to file " + folder +
                                                 "TarvikTempXSLFile.xsl"));
    EXPECT_FALSE(QFile::exists(folder + "ran"));
}

TEST_F(PlugInProcessor, RefusedStylesheetFolderFromTheTableFileRunsNothing)
{
    const QString outside = home.file("outside") + '/';
    QDir().mkpath(outside);
    TableDocument &doc = workspace().current();
    doc.xslFileDir = outside;
    doc.xslFileName = "orders.xsl";
    doc.xslPathFromFile = true;
    usePlugIn("touch \"" + folder + "ran\"");
    const TransformResult result = runTransform(xmlPath, "<x/>");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(scripted->questions, QStringList{"This table writes its stylesheet to " + outside +
                                               "TarvikTempXSLFile.xsl. Write it there?"});
    EXPECT_FALSE(QFile::exists(outside + "TarvikTempXSLFile.xsl"));
    EXPECT_FALSE(QFile::exists(folder + "ran"));
}
