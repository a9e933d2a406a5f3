// The preview window with its embedded browser: the rendered page, the caption, the
// outline of the selected column and click-to-select.
#include "designer/gui/table_window.h"
#include "documents/text_files.h"
#include "generator/gui/preview_window.h"
#include "platform/gui/browser_window.h"
#include "platform/page_url.h"
#include "generator/preview_highlight.h"
#include "generator/render_queue.h"
#include "support/scripted_ui.h"
#include "table_fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QPointer>
#include <QDir>
#include <QImage>
#include <QLayout>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QTest>
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

QVariant runJs(QWebEngineView *view, const QString &code)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    view->page()->runJavaScript(code, [result](const QVariant &v) { *result = v; });
    EXPECT_TRUE(waitUntil([&] { return result->has_value(); })) << code.toStdString();
    return result->value_or(QVariant());
}

bool loadAndWait(QWebEngineView *view, const QUrl &url)
{
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    view->load(url);
    return waitUntil([&] { return !loaded.isEmpty(); }) && loaded.first().first().toBool();
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
    QVariant js(const QString &code) { return runJs(window->web, code); }
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

// The table tree beside the page, in the same window, as the user has them.
TEST_F(PreviewWindowTest, TheKeyboardStaysWhereTheUserPutIt)
{
    TableWindow rep(0);
    window->layout()->addWidget(&rep);
    render();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    // A step onto a column in the tree outlines its cell; the tree keeps the keyboard.
    QSignalSpy drawn(window.get(), &PreviewWindow::highlighted);
    rep.tree()->setFocus();
    rep.tree()->setCurrentItem(rep.tree()->topLevelItem(0));
    QTest::keyClick(rep.tree(), Qt::Key_Down);
    ASSERT_TRUE(waitUntil([&] { return !drawn.isEmpty(); }));
    EXPECT_EQ(drawn.first().first().toString(), "r_1_1_Orders_name");
    EXPECT_TRUE(rep.tree()->hasFocus());

    // A click on a cell selects its column; the page, which the click focused, keeps the
    // keyboard.
    window->web->setFocus(Qt::MouseFocusReason);
    js("document.getElementById('r_1_3_Orders_price').click()");
    EXPECT_TRUE(waitUntil([] { return workspace().lastHighlightedColumn == "price"; }));
    EXPECT_EQ(workspace().current().selectedNodeKey, "price");
    EXPECT_EQ(StructureTreeWidget::keyOf(rep.tree()->currentItem()), "price");
    EXPECT_EQ(border("r_1_2_Orders_price"), "4px dotted gray");
    EXPECT_TRUE(window->web->focusProxy()->hasFocus());
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

// A table of a folder that is not trusted previews with nothing from the web and says so in
// its bar; its one step trusts the folder and renders again, with the web.
TEST_F(PreviewWindowTest, UntrustedFolderHoldsBackTheWebUntilTrusted)
{
    QTcpServer web; // answers every request "not found"
    int requests = 0;
    QObject::connect(&web, &QTcpServer::newConnection, [&] {
        QTcpSocket *client = web.nextPendingConnection();
        ++requests;
        client->write("HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n");
        client->disconnectFromHost();
    });
    ASSERT_TRUE(web.listen(QHostAddress::LocalHost));
    table.set("XSL Code-price@xslCode",
              QString("<img src='http://127.0.0.1:%1/pic.png'/>").arg(web.serverPort()));
    const QTemporaryDir stranger;
    workspace().current().tablePath = stranger.filePath("Orders.tvk");
    render();
    EXPECT_TRUE(window->heldBackBar->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(requests, 0);

    QSignalSpy loaded(window->web, &QWebEngineView::loadFinished);
    window->trustFolderButton->click();
    ASSERT_TRUE(waitUntil([&] { return !loaded.isEmpty(); }));
    EXPECT_FALSE(window->heldBackBar->isVisible());
    EXPECT_GT(requests, 0);
}

namespace {

// A web server on loopback serving a folder (python3's http.server).
struct WebServer {
    QProcess process;
    QString base;

    explicit WebServer(const QString &folder)
    {
        process.setWorkingDirectory(folder);
        process.start("python3", {"-u", "-m", "http.server", "--bind", "127.0.0.1", "0"});
        static const QRegularExpression served("port ([0-9]+)");
        QRegularExpressionMatch port;
        waitUntil([&] {
            port = served.match(QString::fromUtf8(process.peek(256)));
            return port.hasMatch();
        });
        base = "http://127.0.0.1:" + port.captured(1) + "/";
    }
    ~WebServer()
    {
        process.kill();
        process.waitForFinished();
    }
};

} // namespace

// The preview and the separate browser window show a page from an origin of its own: images
// named by a full path, a path relative to the XML document's folder or a web address show
// and web links are followed, but the page's scripts read no local file by any route.
TEST(LocalPages, ScriptsReadNoLocalFileWhileImagesAndLinksWork)
{
    TempHome home;
    for (const char *folder : {"web", "xml/pics", "data"})
        QDir(home.path()).mkpath(folder);
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (const char *file : {"pic.png", "web/pic.png", "xml/pics/pic.png"})
        ASSERT_TRUE(picture.save(home.file(file)));
    for (const char *file : {"secret.txt", "xml/secret.txt"})
        writeFile(home.file(file), "secret", true);
    writeFile(home.file("xml/secret.json"), "{\"secret\": 1}", true);
    writeFile(home.file("xml/style.css"), "p { color: red }", true);
    writeFile(home.file("web/next.html"), "<p>next</p>", true);
    const WebServer server(home.file("web"));
    const QString secret = QUrl::fromLocalFile(home.file("secret.txt")).toString();
    const QString page = home.file("data/page.html");
    writeFile(page,
              "<html><head><link rel='stylesheet' href='style.css'><script>window.onerror = "
              "function (m) { window.err = String(m); return true; };</script>"
              "<script src='secret.txt'></script></head><body>"
              "<img id='local' src='" + home.file("pic.png") + "'><img id='relative' "
              "src='pics/pic.png'><img id='web' src='" + server.base + "pic.png'>"
              "<iframe id='frame' src='" + secret + "'></iframe><a id='link' href='" +
                  server.base + "next.html'>next</a></body></html>",
              true);
    const struct {
        QString read; // a script's attempt to read a local file
        QString result;
    } routes[] = {
        {"try { var x = new XMLHttpRequest(); x.open('GET', '" + secret +
             "', false); x.send(); x.responseText } catch (e) { 'refused' }",
         "refused"},
        {"try { document.getElementById('frame').contentDocument.body.innerText } catch (e) "
         "{ 'refused' }",
         "refused"},
        {"window.err.includes('secret') ? 'read' : 'refused'", "refused"},
        {"try { document.styleSheets[0].cssRules.length } catch (e) { 'refused' }", "refused"},
        {"var c = document.createElement('canvas'), g = c.getContext('2d'); g.drawImage("
         "document.getElementById('relative'), 0, 0); try { g.getImageData(0, 0, 1, 1).data[0] "
         "} catch (e) { 'refused' }",
         "refused"},
    };
    const QStringList promised = {
        "fetch('" + secret + "').then(r => r.text())",
        "import('secret.json', { with: { type: 'json' } }).then(m => JSON.stringify(m))",
    };

    PreviewWindow preview(0);
    QWidget mainWindow;
    QPointer<BrowserWindow> browser = BrowserWindow::open(QUrl(), &mainWindow);
    for (QWebEngineView *view : {preview.web, browser->view()}) {
        ASSERT_TRUE(loadAndWait(view, pageUrl(page, home.file("xml"))));
        for (const char *image : {"local", "relative", "web"})
            EXPECT_EQ(runJs(view, QString("document.getElementById('%1').naturalWidth").arg(image))
                          .toInt(),
                      4)
                << image;
        ASSERT_TRUE(waitUntil([&] { return runJs(view, "window.err").isValid(); }));
        for (const auto &route : routes)
            EXPECT_EQ(runJs(view, route.read).toString(), route.result) << route.read.toStdString();
        for (const QString &read : promised) {
            runJs(view, "window.read = undefined; " + read +
                            ".then(t => window.read = t, e => window.read = 'refused')");
            ASSERT_TRUE(waitUntil([&] { return runJs(view, "window.read").isValid(); }));
            EXPECT_EQ(runJs(view, "window.read").toString(), "refused") << read.toStdString();
        }

        QSignalSpy followed(view, &QWebEngineView::loadFinished);
        runJs(view, "document.getElementById('link').click()");
        ASSERT_TRUE(waitUntil([&] { return !followed.isEmpty(); }));
        EXPECT_EQ(view->url().toString(), server.base + "next.html");
    }
    browser->close();
    EXPECT_TRUE(waitUntil([&] { return browser.isNull(); }));
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
