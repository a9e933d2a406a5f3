// Renders off the user-interface thread: requests join, superseded results are dropped.
#include "documents/text_files.h"
#include "generator/preview_render.h"
#include "generator/render_queue.h"
#include "platform/pages/page_url.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "table_fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A saved table whose plug-in processor prints a fixed text after a pause.
class RenderQueueTest : public ::testing::Test {
protected:
    TableFixture table{"Orders", "/orders/o"};
    ScopedScriptedUi scripted;
    RecordingViews views;

    void SetUp() override
    {
        views.attach(workspace().currentViews());
        workspace().current().xmlPath = table.home.file("orders.xml");
        writeFile(workspace().current().xmlPath, "<orders><o>x</o></orders>", true);
        table.addColumn("name", "Text", "/orders/o");
    }
    void TearDown() override { renderQueue().waitIdle(); }

    // The current slot's table runs the command line.
    void usePlugIn(const QString &command)
    {
        table.set("Use Plug In XSLT-Table", "True");
        table.set("XSLT Command Line-Table", command);
    }
    void printAfterPause(const QString &text) { usePlugIn("sh -c \"sleep 0.3; echo " + text + "\""); }
    // Lets events run until the slot's render is in flight.
    static void untilStarted(int before)
    {
        const QDeadlineTimer deadline(10000);
        while (renderQueue().transformsStarted() == before && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
};

} // namespace

TEST_F(RenderQueueTest, RequestsMadeTogetherRunOneTransform)
{
    const int before = renderQueue().transformsStarted();
    for (int i = 0; i < 30; ++i)
        renderQueue().request(RenderQueue::Window);
    EXPECT_TRUE(renderQueue().busy(0));
    renderQueue().waitIdle();
    EXPECT_EQ(renderQueue().transformsStarted(), before + 1);
    ASSERT_EQ(views.rendered.size(), 1);
    EXPECT_TRUE(readFile(views.rendered[0].pagePath).contains("r_1_1_Orders_name"));
    EXPECT_TRUE(scripted->messages.isEmpty());
}

// The superseded render is stopped: its processor never gets to write its page.
TEST_F(RenderQueueTest, SupersededRenderIsStoppedAndNeverShown)
{
    const QString unfinished = table.home.file("unfinished");
    usePlugIn("sh -c \"sleep 20; echo old-page; touch " + unfinished + "\"");
    const int before = renderQueue().transformsStarted();
    renderQueue().request(RenderQueue::Browser);
    untilStarted(before);
    printAfterPause("new-page");
    renderQueue().request(RenderQueue::Window);
    renderQueue().request(RenderQueue::Window);
    renderQueue().waitIdle();

    EXPECT_EQ(renderQueue().transformsStarted(), before + 2);
    ASSERT_EQ(views.rendered.size(), 1);
    EXPECT_EQ(readFile(views.rendered[0].pagePath), "new-page\n");
    // The superseded render was for the browser: the newer one opens it there too.
    EXPECT_EQ(scripted->openedInBrowser, QStringList{pageAddress(previewPagePath(0))});
    EXPECT_EQ(readFile(previewPagePath(0)), "new-page\n");
    EXPECT_FALSE(QFileInfo::exists(unfinished));
}

// The worker writes the page files; one that cannot be written is reported on this thread,
// and the page is shown from the other.
TEST_F(RenderQueueTest, PageFileThatCannotBeWrittenIsReported)
{
    QDir().mkpath(previewPagePath(0));
    renderQueue().request(RenderQueue::Window);
    renderQueue().waitIdle();
    ASSERT_EQ(scripted->messages.size(), 1);
    EXPECT_TRUE(scripted->messages[0].startsWith("Cannot write to file " + previewPagePath(0)));
    ASSERT_EQ(views.rendered.size(), 1);
    EXPECT_TRUE(readFile(views.rendered[0].pagePath).contains("r_1_1_Orders_name"));
}

// The next table in the slot parses its document afresh, even a file that looks the same.
TEST_F(RenderQueueTest, ForgettingASlotDropsItsParsedDocument)
{
    const QString xml = workspace().current().xmlPath;
    renderQueue().request(RenderQueue::Window);
    renderQueue().waitIdle();
    const QDateTime modified = QFileInfo(xml).lastModified();
    writeFile(xml, "<orders><o>y</o></orders>", true);
    QFile file(xml);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();
    renderQueue().forget(0);
    renderQueue().request(RenderQueue::Window);
    renderQueue().waitIdle();
    ASSERT_EQ(views.rendered.size(), 2);
    EXPECT_TRUE(readFile(views.rendered[1].pagePath).contains(">y<"));
}

// The forgotten render shows nothing, and one asked for meanwhile starts when it ends.
TEST_F(RenderQueueTest, ForgottenRenderShowsNothingAndTheNextOneIsShown)
{
    printAfterPause("old-table");
    const int before = renderQueue().transformsStarted();
    renderQueue().request(RenderQueue::Window);
    untilStarted(before);
    renderQueue().forget(0);
    printAfterPause("new-table");
    renderQueue().request(RenderQueue::Window);
    renderQueue().waitIdle();
    ASSERT_EQ(views.rendered.size(), 1);
    EXPECT_EQ(readFile(views.rendered[0].pagePath), "new-table\n");
}

TEST_F(RenderQueueTest, HeldBackPlugInSaysWhyInTheStatusLine)
{
    table.set("Use Plug In XSLT-Table", "True");
    table.set("XSLT Command Line-Table", "xsltproc xslFileName xmlFileName");
    const QTemporaryDir stranger; // a folder that is not trusted
    workspace().current().tablePath = stranger.filePath("Orders.tvk");
    renderQueue().request(RenderQueue::Browser);
    renderQueue().waitIdle();
    ASSERT_EQ(views.rendered.size(), 1);
    EXPECT_FALSE(views.rendered[0].rendered);
    EXPECT_TRUE(views.rendered[0].status.contains("xsltproc xslFileName xmlFileName"));
    EXPECT_EQ(views.rendered[0].heldBack.pluginCommand, "xsltproc xslFileName xmlFileName");
    EXPECT_TRUE(scripted->openedInBrowser.isEmpty());
}

// Both tables' plug-ins read the stylesheet file of the same folder: the second run may
// write it only after the first has read it.
TEST_F(RenderQueueTest, PlugInRunsInOneFolderEachReadTheirOwnStylesheet)
{
    const QString command = "sh -c \"sleep 0.3; cat xslFileName\"";
    usePlugIn(command);
    RecordingViews otherViews;
    {
        const CurTableGuard onOther(1);
        otherViews.attach(workspace().currentViews());
        workspace().current().tablePath = table.home.file("Other.tvk");
        workspace().current().xmlPath = workspace().tables[0].xmlPath;
        table.set("Xpath-Table", "/orders/o");
        table.addColumn("other", "Text", "/orders/o");
        usePlugIn(command);
    }
    const int before = renderQueue().transformsStarted();
    renderQueue().request(RenderQueue::Window);
    untilStarted(before);
    renderQueue().request(RenderQueue::Browser);
    {
        const CurTableGuard onOther(1);
        renderQueue().request(RenderQueue::Window);
        renderQueue().request(RenderQueue::Browser);
    }
    renderQueue().waitIdle();

    ASSERT_EQ(views.rendered.size(), 1);
    ASSERT_EQ(otherViews.rendered.size(), 1);
    const QString page = readFile(views.rendered[0].pagePath);
    EXPECT_TRUE(page.contains("<xsl:template name=\"Orders\">"));
    EXPECT_FALSE(page.contains("<xsl:template name=\"Other\">"));
    EXPECT_TRUE(readFile(otherViews.rendered[0].pagePath).contains("<xsl:template name=\"Other\">"));
    // Each slot's browser shows its own page.
    ASSERT_EQ(scripted->openedInBrowser.size(), 2);
    QStringList shown;
    for (const QString &address : scripted->openedInBrowser)
        shown << readFile(servedPage(QUrl(address))->file);
    EXPECT_EQ(shown.filter("<xsl:template name=\"Other\">").size(), 1);
    EXPECT_EQ(shown.filter("<xsl:template name=\"Orders\">").size(), 1);
}
