// A render of the preview on one thread: side files, stylesheet view, messages, the page
// file, the plug-in question and the parsed XML document kept between renders.
#include "documents/text_files.h"
#include "documents/trusted_folders.h"
#include "generator/preview_render.h"
#include "generator/xsl_generator.h"
#include "platform/workers/xml_source_cache.h"
#include "platform/xslt/xslt_transform.h"
#include "support/fake_main_window.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "table_fixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>
#include <gtest/gtest.h>

namespace {

// A saved two-column table over three rows, its windows recorded.
class PreviewRender : public ::testing::Test {
protected:
    TableFixture table{"Orders", "/orders/o"};
    ScopedScriptedUi scripted;
    RecordingViews views;
    FakeMainWindow window;

    void SetUp() override
    {
        views.attach(workspace().currentViews());
        window.createWindowSet(0);
        TableDocument &doc = workspace().current();
        doc.xmlPath = table.home.file("orders.xml");
        writeXml("<orders><o><n>a</n><p>1</p></o><o><n>b</n><p>2</p></o>"
                 "<o><n>c</n><p>3</p></o></orders>");
        table.addColumn("name", "Text", "/orders/o/n");
        table.addColumn("price", "Text", "/orders/o/p");
    }
    void writeXml(const QString &text) { writeFile(workspace().current().xmlPath, text, true); }
    // A render as Reload makes it, for the preview window or the separate browser.
    static RenderOutcome render(bool forWindow = true)
    {
        generateXSLCode(false);
        RenderOutcome outcome;
        renderGenerated(RunTrust::ByFolder, forWindow, outcome);
        return outcome;
    }
    void usePlugIn(const QString &commandLine)
    {
        table.set("Use Plug In XSLT-Table", "True");
        table.set("XSLT Command Line-Table", commandLine);
    }
};

} // namespace

TEST_F(PreviewRender, WritesSideFilesPageAndCaptionAndRefreshesTheStylesheetView)
{
    workspace().current().xslCodeShown = true;
    workspace().lastHighlightedColumn = "price";
    const RenderOutcome outcome = render();

    ASSERT_TRUE(outcome.rendered);
    EXPECT_EQ(outcome.pagePath, windowPagePath(0));
    const QString page = readFile(outcome.pagePath);
    EXPECT_TRUE(page.contains("id=\"r_1_2_Orders_price\"")) << page.toStdString();
    EXPECT_EQ(readFile(previewPagePath(0)), page);
    EXPECT_EQ(outcome.caption, "Web page from: " + workspace().current().xmlPath + " [using msxsl]");
    EXPECT_EQ(readFile(table.home.file("Orders.txp")), "/orders/o");
    EXPECT_TRUE(views.calls.contains("xslCode.showGenerated"));
    EXPECT_TRUE(window.isWindowVisible(0, SlotWindow::XslCode));
    EXPECT_EQ(workspace().lastHighlightedColumn, "");
    EXPECT_TRUE(scripted->messages.isEmpty());
}

// The render for the separate browser keeps the preview's outline and the page the window
// shows.
TEST_F(PreviewRender, BrowserRenderKeepsTheOutlineAndTheWindowsPage)
{
    const QString windowPage = render().pagePath;
    table.addColumn("extra", "Text", "/orders/o/n");
    workspace().lastHighlightedColumn = "price";
    const RenderOutcome browser = render(false);
    ASSERT_TRUE(browser.rendered);
    EXPECT_EQ(browser.pagePath, previewPagePath(0));
    EXPECT_TRUE(readFile(browser.pagePath).contains("r_1_1_Orders_extra"));
    EXPECT_FALSE(readFile(windowPage).contains("r_1_1_Orders_extra"));
    EXPECT_EQ(workspace().lastHighlightedColumn, "price");
}

// A stylesheet that is not well-formed, or whose Xpath does not compile, fails twice, in the
// side file's output run and in the transform; the user hears of it once, with the field that
// breaks it.
TEST_F(PreviewRender, BrokenStylesheetShowsOneMessageNamingTheField)
{
    const struct {
        const char *key, *code, *named, *where;
    } cases[] = {
        {"XSL Code-name@value", "<i>x</i>\r\n<b>open",
         "XSL code in \"XSL Code\" of column \"name\" (attribute \"value\")",
         "\nLine 2 of it: <b>open\nNothing closes the element \"b\" begun on line 2."},
        {"Exclude Row If-Table", "n='a' or", "Xpath in \"Exclude Row If\" of Table", ""},
        {"Table Scripts-Table", "<script>f(1 < 2)</script>", "XSL code in \"Table Scripts\" of Table",
         "\nLine 1 of it: <script>f(1 < 2)</script>\nA \"<\" that begins no tag: write a \"<\" in "
         "text as \"&lt;\"."},
        {"Exclude Column If-price", "@a & <", "Xpath in \"Exclude Column If\" of column \"price\"", ""},
        {"Header Title-price", "Price & <b>VAT", "text in \"Header Title\" of column \"price\"",
         "\nLine 1 of it: Price & <b>VAT\nNothing closes the element \"b\" begun on line 1."},
    };
    table.addCodeAttribute("name", "value", "");
    table.set("Headers Visible-Table", "True");
    for (const auto &c : cases) {
        table.set(c.key, c.code);
        scripted->messages.clear();
        render();
        ASSERT_EQ(scripted->messages.size(), 1) << scripted->messages.join('\n').toStdString();
        EXPECT_TRUE(
            scripted->messages[0].endsWith(QStringLiteral("\nThe %1 breaks the stylesheet.%2").arg(c.named, c.where)))
            << c.key << ": " << scripted->messages[0].toStdString();
        table.set(c.key, "");
    }
}

// A compile error names the table's stylesheet, not a file the user never sees.
TEST_F(PreviewRender, CompileErrorNamesTheTablesStylesheet)
{
    table.addCodeAttribute("name", "value", "<xsl:value-of select='1 +'/>");
    render();
    ASSERT_EQ(scripted->messages.size(), 1);
    EXPECT_TRUE(scripted->messages[0].contains(table.home.file("Orders.xsl")))
        << scripted->messages[0].toStdString();
    EXPECT_FALSE(scripted->messages[0].contains("TarvikTempXSLFile"));
}

// A table of a folder that is not trusted runs no plug-in, asks nothing and says why; once
// the folder is trusted the plug-in runs.
TEST_F(PreviewRender, PlugInRunsOnlyInATrustedFolder)
{
    const QString command = "xsltproc xslFileName xmlFileName";
    usePlugIn(command);
    const QTemporaryDir stranger;
    workspace().current().tablePath = stranger.filePath("Orders.tvk");
    const RenderOutcome held = render();
    EXPECT_FALSE(held.rendered);
    EXPECT_EQ(held.heldBack.pluginCommand, command);
    EXPECT_TRUE(scripted->questions.isEmpty());

    ASSERT_TRUE(trustCurrentTableFolder());
    const RenderOutcome trusted = render();
    EXPECT_TRUE(trusted.rendered);
    EXPECT_TRUE(readFile(previewPagePath(0)).contains("r_1_3_Orders_name"));
}

TEST_F(PreviewRender, ParsedDocumentIsKeptUntilTheFileChanges)
{
    XmlSourceCache cache;
    XsltOutcome failure;
    const XsltLimits limits;
    const QString path = workspace().current().xmlPath;
    const std::shared_ptr<XmlSource> first = cache.get(path, limits, failure);
    ASSERT_TRUE(first);
    EXPECT_EQ(cache.get(path, limits, failure), first);

    writeXml("<orders><o><n>changed</n></o></orders>");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    file.close();
    const std::shared_ptr<XmlSource> second = cache.get(path, limits, failure);
    ASSERT_TRUE(second);
    EXPECT_NE(second, first);
    EXPECT_TRUE(render().rendered);
    EXPECT_TRUE(readFile(previewPagePath(0)).contains("changed"));

    writeXml("<orders><o>");
    EXPECT_FALSE(cache.get(path, limits, failure));
    EXPECT_EQ(failure.failure, XsltOutcome::Failure::XmlDocument);
    EXPECT_FALSE(failure.reason.isEmpty());
}

// The parse is part of the run: its bounds and its stop token end it too, and the message
// says which; the next run parses the document whole.
TEST_F(PreviewRender, ParseIsStoppedLikeTheTransform)
{
    writeXml("<orders>" + QString("<o><n>a</n></o>").repeated(20000) + "</orders>");
    generateXSLCode(false);
    XsltStopToken stopped;
    stopped.requestStop();
    XsltLimits byToken;
    byToken.stopToken = &stopped;
    XsltLimits byMemory;
    byMemory.memoryBytes = 1 << 20;
    XsltLimits byPage;
    byPage.pageBytes = 1 << 20;
    const struct {
        XsltLimits limits;
        QString message;
    } cases[] = {
        {byToken, "^The XSLT transformation was stopped\\.$"},
        {byMemory, "^The XSLT transformation needed \\d+ MB of memory, more than the 1 MB it may "
                   "use, and was stopped\\.$"},
        {byPage, "^The page is \\d+ MB, larger than the 1 MB the browser can show, and is not "
                 "shown\\.$"},
    };
    for (const auto &c : cases) {
        TransformJob job =
            prepareTransform(workspace().current().xmlPath, workspace().current().xslGenerated);
        job.keptAs = "stopped parse";
        job.limits = c.limits;
        const QString message = runTransformJob(job).message;
        EXPECT_TRUE(QRegularExpression(c.message).match(message).hasMatch())
            << message.toStdString();
        job.limits = {};
        EXPECT_TRUE(runTransformJob(job).ok) << "not kept";
    }
}

// A stylesheet that strips white space works on a copy: the kept document stays whole.
TEST_F(PreviewRender, StrippingWhiteSpaceLeavesTheKeptDocumentAlone)
{
    writeXml("<r> <a/> </r>");
    XsltOutcome failure;
    const std::shared_ptr<XmlSource> xml = XmlSource::parse(workspace().current().xmlPath, {}, failure);
    ASSERT_TRUE(xml);
    const QString head = "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/"
                         "Transform'><xsl:output method='text'/>";
    const QString count = "<xsl:template match='/'><xsl:value-of select='count(r/node())'/>"
                          "</xsl:template></xsl:stylesheet>";
    EXPECT_EQ(runXslt(xml, head + count, "").output, "3");
    EXPECT_EQ(runXslt(xml, head + "<xsl:strip-space elements='*'/>" + count, "").output, "1");
    EXPECT_EQ(runXslt(xml, head + count, "").output, "3");
}

// No page file outlives the program, nor is one of another instance beside it removed.
TEST_F(PreviewRender, PageFilesGoWithTheProgram)
{
    const QString page = render().pagePath;
    auto lease = std::make_unique<PageFilesLease>(); // a run after one that crashed
    EXPECT_FALSE(QFile::exists(page));
    render();
    std::make_unique<PageFilesLease>().reset();
    EXPECT_TRUE(QFile::exists(page));
    lease.reset();
    EXPECT_FALSE(QFile::exists(page));
}
