// The preview window with its embedded browser: the rendered page, the caption, the
// outline of the selected column and click-to-select.
#include "designer/gui/table_window.h"
#include "documents/table_commands.h"
#include "documents/table_commands_menu.h"
#include "documents/table_file_writer.h"
#include "documents/text_files.h"
#include "generator/gui/preview_window.h"
#include "mainwindow/gui/balloon_tips.h"
#include "platform/widgets/gui/balloon.h"
#include "platform/pages/gui/browser_window.h"
#include "platform/pages/gui/local_page.h"
#include "platform/widgets/gui/one_line_label.h"
#include "platform/pages/gui/page_dialogs.h"
#include "platform/pages/page_url.h"
#include "generator/preview_highlight.h"
#include "generator/plugin_processor.h"
#include "generator/render_queue.h"
#include "support/gui/started_main_window.h"
#include "support/scripted_ui.h"
#include "table_fixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QTimer>
#include <QDeadlineTimer>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QPointer>
#include <QDesktopServices>
#include <QDir>
#include <QImage>
#include <QTcpServer>
#include <QUdpSocket>
#include <QLayout>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QTest>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace {

constexpr int waitMs = 30000;

template <class Condition>
bool waitUntil(Condition done, int ms = waitMs)
{
    const QDeadlineTimer deadline(ms);
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

// The desktop's URL opener for ftp: addresses, noting what it is handed.
class DesktopOpener : public QObject {
    Q_OBJECT
public:
    DesktopOpener() { QDesktopServices::setUrlHandler("ftp", this, "open"); }
    ~DesktopOpener() override { QDesktopServices::unsetUrlHandler("ftp"); }
    Q_INVOKABLE void open(const QUrl &url) { opened << url.toString(); }
    QStringList opened;
};

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
    // The user's click on the first element with that id, the pointer moved onto it first.
    void click(const QString &id)
    {
        const QVariantList at = js("window.clicked = 0; var r = document.getElementById('" + id +
                                   "').getBoundingClientRect(); [r.x + r.width / 2, r.y + 2]")
                                    .toList();
        const QPoint point(at.value(0).toInt(), at.value(1).toInt());
        QTest::mouseMove(window->web->focusProxy(), point);
        QTest::mouseClick(window->web->focusProxy(), Qt::LeftButton, {}, point);
        EXPECT_TRUE(waitUntil([&] { return js("window.clicked").toInt() == 1; })) << id.toStdString();
        QTest::qWait(300); // time for an address to reach the desktop
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

// An HTML segment shows its markup in the engine, escaped once or twice in the XML, repaired
// by the table's one script after it.
TEST_F(PreviewWindowTest, HtmlSegmentsShowTheirMarkup)
{
    writeFile(workspace().current().xmlPath,
              "<orders><o><n>&amp;lt;b&amp;gt;a&amp;lt;/b&amp;gt;</n></o><o><n>&lt;i&gt;b&lt;/i&gt;</n></o>"
              "</orders>", true);
    table.addColumn("seg", "Text (HTML segment)", "/orders/o/n");
    render();
    EXPECT_EQ(js("[1, 2].map(r => document.getElementById('r_1_' + r + '_Orders_seg_1').innerHTML)"
                 ".join(' ')").toString(),
              "<b>a</b> <i>b</i>");
}

// The status line follows the page: generated, loading, and a load cut by Stop says how many
// table rows it shows until the next load.
TEST_F(PreviewWindowTest, StatusLineSaysWhatIsHappening)
{
    QTcpServer silent; // takes the picture's request and never answers it
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    table.set("XSL Code-price@xslCode", "<img src='http://127.0.0.1:" +
                                            QString::number(silent.serverPort()) + "/p.png'/>");
    window->runit_Click();
    EXPECT_EQ(window->wstatus->text(), "Status: [Generating]");
    ASSERT_TRUE(waitUntil([&] { return window->wstatus->text() == "Status: [Loading]"; }));
    ASSERT_TRUE(waitUntil([&] { return js("document.getElementsByTagName('tr').length").toInt() > 0; }));
    window->stopit_Click();
    EXPECT_TRUE(waitUntil(
        [&] { return window->wstatus->text() == "Status: [Stopped after 3 table rows]"; }));
    // A page held by its script while it loads is replaced by the next one, which loads.
    QObject context;
    QStringList said;
    QObject::connect(window->web->page(), &QWebEnginePage::loadingChanged, &context,
                     [&] { said << window->wstatus->text(); });
    table.set("XSL Code-price@xslCode", "<script>document.title = 'held'; for (;;) {}</script>");
    window->runit_Click();
    ASSERT_TRUE(waitUntil([&] { return window->web->title() == "held"; }));
    table.set("XSL Code-price@xslCode", "<xsl:value-of select='p'/>");
    window->runit_Click();
    EXPECT_TRUE(waitUntil([&] { return said.endsWith("Status: [Done]"); })) << said.join(", ").toStdString();
    EXPECT_FALSE(said.contains("Status: [Failed]")) << said.join(", ").toStdString();
    // A render that made no page says why, also once the empty page put up before it loads.
    said.clear();
    window->clearPage();
    RenderOutcome none;
    none.status = "Not rendered: why";
    window->showRendered(none);
    ASSERT_TRUE(waitUntil([&] { return said.size() >= 2; })); // the empty page started and ended
    EXPECT_EQ(window->wstatus->text(), "Status: [Not rendered: why]");
    // A page process that gives up (as on a page too big for it) is named, not a bare failure.
    window->web->load(QUrl(QStringLiteral("chrome://crash")));
    EXPECT_TRUE(waitUntil([&] {
        return window->wstatus->text() ==
               "Status: [Failed: the browser's page process ended, as it does with too big a page]";
    })) << window->wstatus->text().toStdString();
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

// Stop while the transform is held in loops that would run for hours: the render ends
// unseen, well before the transform's time limit could end it, the caption of the page shown
// comes back and the status line does not say "Done".
TEST_F(PreviewWindowTest, StopEndsARenderHeldInItsTransform)
{
    render();
    const QString shown = window->windowTitle();
    writeFile(workspace().current().xmlPath,
              "<orders><o><n>a</n></o>" + QString("<x/>").repeated(300) + "</orders>", true);
    table.set("XSL Code-price@xslCode",
              "<xsl:for-each select='//node()'><xsl:for-each select='//node()'>"
              "<xsl:for-each select='//node()'><xsl:for-each select='//node()'>"
              "<xsl:if test='count(//node()) = 0'>never</xsl:if>"
              "</xsl:for-each></xsl:for-each></xsl:for-each></xsl:for-each>");
    QSignalSpy loaded(window->web, &QWebEngineView::loadFinished);
    const int before = renderQueue().transformsStarted();
    window->runit_Click();
    ASSERT_TRUE(waitUntil([&] { return renderQueue().transformsStarted() > before; }));
    window->stopit_Click();
    EXPECT_TRUE(waitUntil([] { return !renderQueue().busy(0); }, pluginTimeoutMs / 2));
    QCoreApplication::processEvents();
    EXPECT_TRUE(loaded.isEmpty());
    EXPECT_EQ(window->windowTitle(), shown);
    EXPECT_EQ(window->wstatus->text(), "Status: [Stopped]");
}

// A table of a folder that is not trusted previews with nothing from the web or the desktop,
// its shared workers' scripts included, and with local files of its own folders only, a link
// out of them counting where it leads. Its bar shows only when the page asked for something
// held back, in one line, the full words on hover and behind Details. Its one step trusts the
// folder and renders again, with the web, every local file the page names, and the desktop's
// opener for a link the user clicks (never for an address a script builds after a click).
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
    const QTemporaryDir stranger, outside;
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(outside.filePath("pic.png")) && picture.save(stranger.filePath("pic.png")));
    ASSERT_TRUE(QFile::link(outside.filePath("pic.png"), stranger.filePath("link.png")));
    writeFile(outside.filePath("config.js"), "window.outside = 'read';", true);
    writeFile(outside.filePath("style.css"), "body { color: rgb(1, 2, 3) }", true);
    const QString port = QString::number(web.serverPort());
    const QString page =
              "<img src='http://127.0.0.1:" + port + "/pic.png'/><img id='own' src='" +
                  localFileUrl(stranger.filePath("pic.png")).toString() + "'/><img id='out' src='" +
                  localFileUrl(outside.filePath("pic.png")).toString() + "'/><img id='link' src='" +
                  localFileUrl(stranger.filePath("link.png")).toString() +
                  "'/><link rel='stylesheet' href='" + localFileUrl(outside.filePath("style.css")).toString() +
                  "'/><script src='" + localFileUrl(outside.filePath("config.js")).toString() +
                  "'></script><script>new SharedWorker(URL.createObjectURL(new Blob(["
                  "'importScripts(\\'http://127.0.0.1:" + port + "/w.js\\')'])))</script>"
                  "<a id='named' href='ftp://127.0.0.1/named' onclick='window.clicked = 1'>link</a> "
                  "<b id='cell' onclick=\"window.clicked = 1; location = 'ftp://127.0.0.1/' + "
                  "document.title\">cell</b>";
    DesktopOpener desktop;
    const auto opened = [&] {
        click("cell");
        click("named");
        return std::exchange(desktop.opened, {}).join(u' ');
    };
    workspace().current().tablePath = stranger.filePath("Orders.tvk");
    const auto loads = [&] {
        QStringList loaded;
        for (const char *image : {"own", "out", "link"})
            loaded << js(QString("document.getElementById('%1').naturalWidth").arg(image)).toString();
        return (loaded << js("String(window.outside)").toString()
                       << js("getComputedStyle(document.body).color").toString())
            .join(u' ');
    };
    render();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->heldBackBar->isVisible()) << "nothing was held back";

    table.set("XSL Code-price@xslCode", page);
    render();
    ASSERT_TRUE(waitUntil([&] { return window->heldBackBar->isVisible(); }));
    EXPECT_EQ(loads(), "4 0 0 undefined rgb(0, 0, 0)");
    EXPECT_EQ(opened(), "");
    QTest::qWait(500); // time for the shared worker to ask
    EXPECT_EQ(requests, 0);
    EXPECT_EQ(window->heldBackText->line(),
              "Held back, as the folder is not trusted: web content, files outside its folders");
    EXPECT_LT(window->heldBackBar->height(), 2 * window->heldBackDetails->sizeHint().height());
    const QString notice = "The folder " + stranger.path() + " is not trusted, so this table is "
                           "shown, not obeyed: its page loaded nothing from the web; it read no "
                           "file outside its own folders and those of the tables it calls.";
    EXPECT_EQ(window->heldBackText->toolTip(), notice);
    window->heldBackDetails->click();
    EXPECT_EQ(scripted->messages, QStringList{notice});

    QSignalSpy loaded(window->web, &QWebEngineView::loadFinished);
    window->trustFolderButton->click();
    ASSERT_TRUE(waitUntil([&] { return !loaded.isEmpty(); }));
    EXPECT_FALSE(window->heldBackBar->isVisible());
    EXPECT_GT(requests, 0);
    EXPECT_EQ(loads(), "4 4 4 read rgb(1, 2, 3)");
    EXPECT_EQ(opened(), "ftp://127.0.0.1/named");
}

// A page looping on alert() holds no window of the program, and its second dialog lets the
// user stop the rest. The user answers each dialog as it shows.
TEST_F(PreviewWindowTest, PageDialogsHoldNoWindowAndTheUserStopsThem)
{
    QStringList offers; // per dialog: whether it offered to stop the page's dialogs
    bool held = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        for (QWidget *shown : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QDialog *>(shown);
            if (!dialog || !dialog->isVisible())
                continue;
            held = held || QApplication::activeModalWidget();
            auto *stop = dialog->findChild<QCheckBox *>();
            offers << (stop ? "stop" : "-");
            if (stop)
                stop->setChecked(true);
            dialog->accept();
        }
    });
    user.start(20);
    window->web->setHtml("<script>for (var n = 1; n <= 20; n++) alert('again ' + n); "
                         "document.title = 'done';</script>");
    ASSERT_TRUE(waitUntil([&] { return window->web->title() == "done"; }));
    EXPECT_EQ(offers, QStringList({"-", "stop"}));
    EXPECT_FALSE(held);
}

// While a tip shows, a page's dialogs take the user's clicks; once the program ends them the
// page's script runs on without showing another.
TEST(PreviewPageDialogs, AnsweredUnderATipAndEndedByTheProgram)
{
    Started s;
    BalloonTips tips(s.window);
    s.window.show();
    tips.showBalloon(&s.window, std::nullopt, "text", "Tip");
    QWebEngineView view;
    view.setPage(new LocalPage(QWebEngineProfile::defaultProfile(), &view));
    view.show();
    int shown = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QDialog *>(top);
            if (!dialog || !dialog->isVisible() || dialog->objectName() != "pageDialog")
                continue;
            if (++shown == 1)
                QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(
                                      QDialogButtonBox::Ok), Qt::LeftButton);
            else {
                endPageDialogs();
                dialog->reject();
            }
            return;
        }
    });
    user.start(20);
    view.setHtml("<script>for (var n = 1; n <= 20; n++) alert('again ' + n); "
                 "document.title = 'done';</script>");
    ASSERT_TRUE(waitUntil([&] { return view.title() == "done"; }));
    EXPECT_EQ(shown, 2);
}

// A page whose script never ends answers nothing and freezes the pages sharing its renderer
// process: the next render still shows its page, and those pages come back.
TEST_F(PreviewWindowTest, BusyPageIsReplacedByTheNextRender)
{
    render();
    const qint64 busy = window->web->page()->renderProcessPid();
    std::vector<std::unique_ptr<QWebEngineView>> others; // until one shares the renderer
    const auto shares = [&] { return others.back()->page()->renderProcessPid() == busy; };
    while (others.size() < 40 && (others.empty() || !shares())) {
        others.push_back(std::make_unique<QWebEngineView>());
        others.back()->setPage(new LocalPage(QWebEngineProfile::defaultProfile(), others.back().get()));
        QSignalSpy loaded(others.back().get(), &QWebEngineView::loadFinished);
        others.back()->setHtml("<p>here</p>");
        ASSERT_TRUE(waitUntil([&] { return !loaded.isEmpty(); }));
    }
    ASSERT_TRUE(shares());
    js("setTimeout(function () { for (;;) {} }, 0)");
    render();
    EXPECT_EQ(js("document.getElementById('r_1_2_Orders_name').textContent").toString(), "b");
    EXPECT_TRUE(waitUntil([&] {
        return runJs(others.back().get(), "document.body.textContent").toString() == "here";
    }));
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
// and web links are followed, but the page's scripts, and the workers they start, read no
// local file by any route, reach no address and move the page to no other local page.
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
    writeFile(home.file("xml/cues.vtt"), "WEBVTT\n\n00:00.000 --> 00:01.000\nsecret\n", true);
    writeFile(home.file("xml/moved.html"), "<p>moved</p>", true);
    writeFile(home.file("web/next.html"), "<p>next</p>", true);
    const WebServer server(home.file("web"));
    QTcpServer tcp; // a loopback port, TCP and UDP, that notes whatever reaches it
    QUdpSocket udp;
    ASSERT_TRUE(tcp.listen(QHostAddress::LocalHost) && udp.bind(QHostAddress::LocalHost, tcp.serverPort()));
    const QString loopback = "127.0.0.1:" + QString::number(tcp.serverPort());
    const QString page = home.file("data/page.html");
    writeFile(page,
              "<html><head><link rel='stylesheet' crossorigin href='style.css'><script>"
              "window.onerror = function (m) { window.err = String(m); return true; }; "
              "var base = document.baseURI;</script><script crossorigin src='secret.txt' "
              "onerror='window.err = \"\"'></script></head><body><img id='local' src='" +
                  home.file("pic.png") + "'><img id='relative' src='pics/pic.png'><img id='web' "
                  "src='" + server.base + "pic.png'><img id='cors' crossorigin src='pics/pic.png'>"
                  "<video crossorigin><track id='track' src='cues.vtt'></video><iframe id='frame' "
                  "src='secret.txt'></iframe><a id='link' href='" + server.base +
                  "next.html'>next</a></body></html>",
              true);
    const QString widePage = home.file("data/page-utf16.html"); // as a called table makes it
    ASSERT_TRUE(writeFileBytes(widePage, QStringEncoder(QStringConverter::Utf16LE,
                                                        QStringConverter::Flag::WriteBom)
                                             .encode(readFile(page))));
    const QString routes[] = { // a script's attempt to read a local file
        "try { document.getElementById('frame').contentDocument.body.innerText || 'refused' } catch (e) { 'refused' }",
        "window.err.includes('secret') ? 'read' : 'refused'",
        "try { document.styleSheets[0].cssRules.length } catch (e) { 'refused' }",
        "var c = document.createElement('canvas'), g = c.getContext('2d'); try { g.drawImage(document.getElementById("
        "'cors'), 0, 0); g.getImageData(0, 0, 1, 1).data[0] } catch (e) { 'refused' }",
    };
    const QString promised[] = { // each also from a shared worker
        "fetch(new URL('secret.txt', base)).then(r => r.text())",
        "new Promise(ok => { var x = new XMLHttpRequest(); x.open('GET', new URL('secret.txt', base), false); "
        "x.send(); ok(x.responseText) })",
        "import(new URL('secret.json', base), { assert: { type: 'json' } }).then(m => JSON.stringify(m.default))",
        "import(new URL('style.css', base), { assert: { type: 'css' } }).then(m => m.default.cssRules[0].cssText)",
        "fetch('http://" + loopback + "/').then(r => 'reached')",
        "new Promise((ok, no) => { var s = new WebSocket('ws://" + loopback + "/'); s.onopen = ok; s.onerror = no })",
        "new WebTransport('https://" + loopback + "/').ready",
        "new Promise((ok, no) => { var c = new RTCPeerConnection({ iceServers: [{ urls: 'stun:" + loopback + "' }] }); "
        "c.onicegatheringstatechange = () => c.iceGatheringState == 'complete' && no(c.close()); c.createDataChannel('"
        "d'); c.createOffer().then(o => c.setLocalDescription(o)) })",
    };
    QStringList reads = {"new Promise((ok, no) => { var t = document.getElementById('track'); t.onload = () => "
                         "ok(t.track.cues[0].text); t.onerror = no; t.track.mode = 'hidden' })"};
    for (const QString &read : promised)
        reads << read << "new Promise((ok, no) => { var w = new SharedWorker(URL.createObjectURL(new Blob(["
                         "'var base = \"' + base + '\"; onconnect = e => (' + (() => " + read + ") + ')().then(t => "
                         "e.ports[0].postMessage(String(t)), () => e.ports[0].postMessage(null))']))); w.onerror "
                         "= no; w.port.onmessage = m => m.data === null ? no() : ok(m.data) })";
    const QString moves[] = {
        "var a = document.createElement('a'); a.href = 'moved.html'; document.body.append(a); a.click()",
        "location = 'moved.html'",
        "document.head.insertAdjacentHTML('beforeend', \"<meta http-equiv='refresh' content='0; url=moved.html'>\")",
        "var f = document.createElement('form'); f.action = 'moved.html'; document.body.append(f); f.submit()",
        "location = location.href.replace(location.pathname, '/')",
    };

    PreviewWindow preview(0);
    QWidget mainWindow;
    QPointer<BrowserWindow> browser = BrowserWindow::open(QUrl(), &mainWindow);
    for (QWebEngineView *view : {preview.web, browser->view()})
      for (const QString &shown : {widePage, page}) {
        ASSERT_TRUE(loadAndWait(view, pageUrl(shown, home.file("xml"))));
        for (const char *image : {"local", "relative", "web"})
            EXPECT_EQ(runJs(view, QString("document.getElementById('%1').naturalWidth").arg(image))
                          .toInt(),
                      4)
                << image;
        ASSERT_TRUE(waitUntil([&] { return runJs(view, "window.err").isValid(); }));
        for (const QString &route : routes)
            EXPECT_EQ(runJs(view, route).toString(), "refused") << route.toStdString();
        for (const QString &read : reads) {
            runJs(view, "window.read = undefined; " + read +
                            ".then(t => window.read = t, e => window.read = 'refused')");
            ASSERT_TRUE(waitUntil([&] { return runJs(view, "window.read").isValid(); })) << read.toStdString();
            EXPECT_EQ(runJs(view, "window.read").toString(), "refused") << read.toStdString();
            EXPECT_FALSE(tcp.hasPendingConnections() || udp.hasPendingDatagrams()) << read.toStdString();
        }
        if (shown == widePage)
            continue;
        for (const QString &move : moves) {
            QSignalSpy ended(view, &QWebEngineView::loadFinished);
            runJs(view, move);
            ASSERT_TRUE(waitUntil([&] { return !ended.isEmpty(); })) << move.toStdString();
            EXPECT_EQ(view->url(), pageUrl(page, home.file("xml"))) << move.toStdString();
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

// A page many times the size of what the engine takes at once arrives whole, in UTF-8 or
// UTF-16 (whose bytes here read "</tr>" in its text), and the script that holds it after its
// first rows leaves no trace in it, nor takes away what is named as it is.
TEST(LocalPages, ABigServedPageLoadsWhole)
{
    TempHome home;
    const QString page = home.file("big.html");
    const QString cell = QStringLiteral(u"\u2F3C\u7274\u3E3E");
    QString rows;
    for (int row = 0; row < 20000; ++row)
        rows += "<tr><td id='r" + QString::number(row) + "'>" + cell + "</td></tr>\n";
    for (const auto encoding : {QStringConverter::Utf8, QStringConverter::Utf16LE}) {
        ASSERT_TRUE(writeFileBytes(page, QStringEncoder(encoding, QStringConverter::Flag::WriteBom)
                                             .encode("<html><head><title>t</title></head><body>"
                                                     "<form name='currentScript'></form><table>" +
                                                     rows + "</table></body></html>")));
        QWebEngineView view;
        view.setPage(new LocalPage(QWebEngineProfile::defaultProfile(), &view));
        ASSERT_TRUE(loadAndWait(&view, pageUrl(page, home.path())));
        EXPECT_TRUE(runJs(&view, "document.getElementById('r19999') !== null").toBool());
        EXPECT_EQ(runJs(&view, "document.scripts.length + ' ' + document.forms.length + ' ' + "
                               "document.querySelector('tbody').children.length + ' ' + "
                               "[...document.querySelectorAll('td')].every(td => td.textContent == '" +
                               cell + "')")
                      .toString()
                      .toStdString(),
                  "0 1 20000 true")
            << encoding;
    }
}

// A table closed and opened again in the same session shows its pictures, whose addresses
// are relative to its XML document.
TEST(PreviewPictures, AReopenedTableShowsItsPictures)
{
    Started started;
    const QString folder = started.home.path();
    QDir(folder).mkpath("pics");
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder + "/pics/p1.png"));
    writeFile(folder + "/t.xml", "<rows><row><i>pics/p1.png</i></row></rows>", true);
    TableDocument &doc = workspace().current();
    doc.tablePath = folder + "/t.tvk";
    doc.xmlPath = "t.xml";
    doc.autoReload = 1;
    setKey("Xpath-Table", "/rows/row", false);
    doc.tree.add(StructureTree::tableKey, "pic", "pic");
    setKey("Type-pic", "Image", false);
    doc.tree.add("pic", "pic-src", "src");
    setKey("Xpath-pic@src", "/rows/row/i", false);
    ASSERT_TRUE(writeTableFile(doc.tablePath));
    doc.reset();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(openTable(folder + "/t.tvk", false));
        auto *preview = dynamic_cast<PreviewWindow *>(workspace().currentViews().result);
        ASSERT_TRUE(preview);
        renderQueue().waitIdle();
        ASSERT_TRUE(waitUntil([&] {
            return preview->web->url().scheme() == pageScheme && !preview->web->page()->isLoading();
        }));
        EXPECT_EQ(runJs(preview->web, "document.images[0].naturalWidth").toInt(), 4) << round;
        docloseit_Click();
    }
}

// The page's engine waits inside its dialog: the window goes once the dialog has returned.
TEST(BrowserWindow, ClosesWhileItsPageShowsADialog)
{
    QPointer<BrowserWindow> browser =
        BrowserWindow::open(QUrl("data:text/html,<script>alert('hello')</script>"), nullptr);
    QTimer user; // closes the window while the dialog shows
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (browser && browser->isVisible() && browser->findChild<QDialog *>())
            browser->close();
    });
    user.start(20);
    EXPECT_TRUE(waitUntil([&] { return browser.isNull(); }));
}

// A served page is titled by its own title, else by the caption it was opened with.
TEST(BrowserWindow, AnUntitledPageIsNamedByItsCaption)
{
    TempHome home;
    const QString page = home.file("page.html");
    for (const auto &[text, title] : {std::pair{"<title>Orders</title><p>x</p>", "Orders"},
                                      std::pair{"<p>x</p>", "Web page from: orders.xml"}}) {
        writeFile(page, text, true);
        QPointer<BrowserWindow> browser =
            BrowserWindow::open(pageUrl(page, home.path()), nullptr, "Web page from: orders.xml");
        QSignalSpy loaded(browser->view(), &QWebEngineView::loadFinished);
        ASSERT_TRUE(waitUntil([&] { return !loaded.isEmpty(); }));
        QCoreApplication::processEvents();
        EXPECT_EQ(browser->windowTitle(), title);
        browser->close();
    }
}

#include "preview_window_webtest.moc"
