// The preview window with its embedded browser: the rendered page, the caption, the
// outline of the selected column and click-to-select.
#include "documents/text_files.h"
#include "generator/gui/preview_window.h"
#include "platform/gui/browser_window.h"
#include "generator/preview_highlight.h"
#include "generator/render_queue.h"
#include "support/scripted_ui.h"
#include "table_fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int waitMs = 30000;

template <class Condition>
bool waitUntil(Condition done)
{
    const QDeadlineTimer deadline(waitMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A three-row table whose "price" column is empty in its first row, in a shown preview.
class PreviewWindowTest : public ::testing::Test {
protected:
    TableFixture table{"Orders", "/orders/o"};
    ScopedScriptedUi scripted;
    std::unique_ptr<PreviewWindow> window;

    void SetUp() override
    {
        workspace().current().xmlPath = table.home.file("orders.xml");
        writeFile(workspace().current().xmlPath,
                  "<orders><o><n>a</n><p></p></o><o><n>b</n><p>2</p></o>"
                  "<o><n>c</n><p>3</p></o></orders>", true);
        table.addColumn("name", "Text", "/orders/o/n");
        // Code of its own, so the first row's cell is empty.
        table.addColumn("price", "XSL Code");
        table.set("XSL Code-price@xslCode", "<xsl:value-of select='p'/>");
        table.set("Border-price", "1px solid green");
        window = std::make_unique<PreviewWindow>(0);
        window->resize(600, 400);
        window->show();
    }
    void TearDown() override
    {
        renderQueue().waitIdle();
        window.reset();
    }

    // Renders and waits until the page has loaded.
    void render()
    {
        QSignalSpy loaded(window->web, &QWebEngineView::loadFinished);
        window->runit_Click();
        ASSERT_TRUE(waitUntil([&] { return !loaded.isEmpty(); })) << "the page never loaded";
    }
    QVariant js(const QString &code)
    {
        auto result = std::make_shared<std::optional<QVariant>>();
        window->web->page()->runJavaScript(code, [result](const QVariant &v) { *result = v; });
        EXPECT_TRUE(waitUntil([&] { return result->has_value(); })) << code.toStdString();
        return result->value_or(QVariant());
    }
    QString border(const QString &id)
    {
        return js("document.getElementById('" + id + "').style.border").toString();
    }
    QString computedBorder(const QString &id)
    {
        return js("getComputedStyle(document.getElementById('" + id + "')).borderLeft")
            .toString();
    }
    // Selects a column in the model and waits for its outline.
    QString outline(const QString &column)
    {
        QSignalSpy drawn(window.get(), &PreviewWindow::highlighted);
        workspace().current().selectedNodeKey = column;
        highlightInPreview();
        EXPECT_TRUE(waitUntil([&] { return !drawn.isEmpty(); }));
        return drawn.isEmpty() ? QString() : drawn.first().first().toString();
    }
};

} // namespace

TEST_F(PreviewWindowTest, RenderShowsTheCellsAndNamesTheProcessor)
{
    render();
    EXPECT_EQ(js("document.getElementById('r_1_2_Orders_name').textContent").toString(), "b");
    EXPECT_EQ(window->windowTitle(),
              "Web page from: " + workspace().current().xmlPath + " [using msxsl]");
    EXPECT_EQ(window->wstatus->text(), "Status: [Done]");
}

TEST_F(PreviewWindowTest, OutlineLandsOnTheFirstNonEmptyCellAndLeavesTheOldOne)
{
    render();
    const QString ownBorder = computedBorder("r_1_2_Orders_price");
    EXPECT_EQ(outline("price"), "r_1_2_Orders_price");
    EXPECT_EQ(border("r_1_2_Orders_price"), "4px dotted gray");
    EXPECT_EQ(workspace().lastHighlightedId, "r_1_2_Orders_price");

    EXPECT_EQ(outline("name"), "r_1_1_Orders_name");
    EXPECT_FALSE(border("r_1_2_Orders_price").contains("dotted"));
    EXPECT_EQ(computedBorder("r_1_2_Orders_price"), ownBorder);
    EXPECT_EQ(workspace().lastHighlightedColumn, "name");
}

TEST_F(PreviewWindowTest, ClickInThePageSelectsTheColumn)
{
    render();
    js("document.getElementById('r_1_3_Orders_price').click()");
    EXPECT_TRUE(waitUntil([] { return workspace().lastHighlightedColumn == "price"; }));
    EXPECT_EQ(workspace().current().selectedNodeKey, "price");
    EXPECT_EQ(border("r_1_2_Orders_price"), "4px dotted gray");
}

// The row-limit list marks the table changed and reloads only when the user picks an entry.
TEST_F(PreviewWindowTest, RowLimitChoiceOfTheUserMarksChangedAndReloads)
{
    TableDocument &doc = workspace().current();
    window->runChange->setChecked(true);
    EXPECT_EQ(doc.autoReload, 1);
    workspace().uiReady = false;
    window->setRowLimitIndex(2);
    workspace().uiReady = true;
    EXPECT_EQ(doc.rowLimitIndex, 2);
    EXPECT_FALSE(doc.tableChanged);
    EXPECT_FALSE(renderQueue().busy(0));

    QSignalSpy loaded(window->web, &QWebEngineView::loadFinished);
    window->hrows->setCurrentIndex(1);
    EXPECT_EQ(doc.rowLimitIndex, 1);
    EXPECT_TRUE(doc.tableChanged);
    EXPECT_TRUE(renderQueue().busy(0));
    ASSERT_TRUE(waitUntil([&] { return !loaded.isEmpty(); }));
    EXPECT_TRUE(doc.xslGenerated.contains("first 5"));

    // A new window shows the list index its table holds without marking it changed.
    workspace().tables[1].rowLimitIndex = 3;
    const PreviewWindow other(1);
    EXPECT_EQ(other.hrows->currentIndex(), 3);
    EXPECT_FALSE(workspace().tables[1].tableChanged);
}

TEST_F(PreviewWindowTest, SupersededRenderNeverReplacesTheNewerPage)
{
    const auto printAfterPause = [this](const QString &text) {
        const QString command = "sh -c \"sleep 0.5; echo " + text + "\"";
        table.set("Use Plug In XSLT-Table", "True");
        table.set("XSLT Command Line-Table", command);
        workspace().pluginAnswers.insert(command, true);
    };
    QSignalSpy loaded(window->web, &QWebEngineView::loadFinished);
    const int before = renderQueue().transformsStarted();
    printAfterPause("old-page");
    window->runit_Click();
    ASSERT_TRUE(waitUntil([&] { return renderQueue().transformsStarted() > before; }));
    printAfterPause("new-page");
    window->runit_Click();
    renderQueue().waitIdle();
    ASSERT_TRUE(waitUntil([&] { return !loaded.isEmpty(); }));
    EXPECT_EQ(js("document.body.textContent").toString().trimmed(), "new-page");
    EXPECT_TRUE(window->windowTitle().contains("new-page"));
    QCoreApplication::processEvents();
    EXPECT_EQ(loaded.size(), 1);
}

TEST_F(PreviewWindowTest, RefusedPlugInKeepsThePageAndSaysWhy)
{
    table.set("Use Plug In XSLT-Table", "True");
    table.set("XSLT Command Line-Table", "xsltproc xslFileName xmlFileName");
    window->runit_Click(); // the scripted user answers No
    ASSERT_TRUE(waitUntil([] { return !renderQueue().busy(0); }));
    EXPECT_EQ(scripted->questions.size(), 1);
    EXPECT_EQ(window->windowTitle(), "Web");
    EXPECT_TRUE(window->wstatus->text().startsWith("Status: [Not rendered"));
}

TEST(BrowserWindow, OpensThePageBesideTheMainWindow)
{
    TempHome home;
    const QString page = home.file("page.html");
    writeFile(page, "<title>Orders summary</title><p id='x'>shown</p>", true);
    QWidget mainWindow;
    mainWindow.move(30, 40);
    mainWindow.show();
    QPointer<BrowserWindow> browser = BrowserWindow::open(QUrl::fromLocalFile(page), &mainWindow);
    QSignalSpy loaded(browser->view(), &QWebEngineView::loadFinished);
    ASSERT_TRUE(waitUntil([&] { return !loaded.isEmpty(); }));
    EXPECT_TRUE(loaded.first().first().toBool());
    EXPECT_TRUE(browser->isWindow());
    EXPECT_EQ(browser->windowTitle(), "Orders summary");
    EXPECT_EQ(browser->pos(), mainWindow.frameGeometry().topLeft() + QPoint(80, 80));
    const QSize screen = mainWindow.screen()->size();
    EXPECT_EQ(browser->width(), int(screen.width() * 0.85));
    browser->close();
    EXPECT_TRUE(waitUntil([&] { return browser.isNull(); })) << "closing deletes the window";
}
