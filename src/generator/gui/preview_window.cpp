#include "generator/gui/preview_window.h"

#include "documents/store_access.h"
#include "documents/trusted_folders.h"
#include "documents/workspace.h"
#include "generator/preview_highlight.h"
#include "generator/render_queue.h"
#include "platform/ui/ui_services.h"
#include "platform/pages/gui/local_page.h"
#include "platform/widgets/gui/one_line_label.h"
#include "platform/pages/gui/page_replacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

const QString generatingCaption = QStringLiteral("Generating XSL code and rendering page ...");
const QString stoppedStatus = QStringLiteral("Stopped");
const QString generatingStatus = QStringLiteral("Generating");
const QString loadingStatus = QStringLiteral("Loading");
const QString doneStatus = QStringLiteral("Done");
const QUrl blankPage(QStringLiteral("about:blank")); // shown where there is no page
const QString rendererLostStatus =
    QStringLiteral("Failed: the browser's page process ended, as it does with too big a page");

QToolButton *toolButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon,
                        const char *tip)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(QLatin1String(tip));
    button->setAutoRaise(true);
    return button;
}

// Reports every click in the page with the ids of the clicked element and its offset
// parents; runs in a world of its own, apart from the page's scripts.
const char clickReporter[] = R"(
new QWebChannel(qt.webChannelTransport, function (channel) {
    document.addEventListener('click', function (event) {
        var ids = [];
        for (var el = event.target; el; el = el.offsetParent)
            ids.push(el.id || '');
        channel.objects.preview.pageClicked(ids);
    }, true);
});
)";

// Outlines the first non-empty cell of a column (rows whose cell is missing are skipped up
// to row 100), scrolls it to a third of the window, gives the previous outlined element
// its column's borders back and returns the outlined id, or "".
const char highlighter[] = R"(
(function (table, column, previousId, previous) {
    var cell = null, id = '';
    for (var n = 1; ; n++) {
        id = 'r_1_' + n + '_' + table + '_' + column;
        var el = document.getElementById(id);
        if (el) {
            if (el.innerHTML !== '') { cell = el; break; }
        } else if (n >= 100) {
            return '';
        }
    }
    var x = 0, y = 0;
    for (var p = cell; p; p = p.offsetParent) { x += p.offsetLeft; y += p.offsetTop; }
    var w = window.innerWidth, h = window.innerHeight;
    window.scrollTo(x >= w / 3 ? Math.floor(x - w / 3) : 0, y >= h / 3 ? Math.floor(y - h / 3) : 0);
    var old = previousId ? document.getElementById(previousId) : null;
    if (old) {
        old.style.borderLeft = previous[0];
        old.style.borderRight = previous[1];
        old.style.borderTop = previous[2];
        old.style.borderBottom = previous[3];
        old.style.border = previous[4];
    }
    cell.style.border = '4px dotted gray';
    return id;
})
)";

QString jsString(const QString &text)
{
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

QString webChannelScript()
{
    QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

PreviewWindow::PreviewWindow(int slot) : tableSlot(slot)
{
    buildControls();
    installClickReporter();
    setCaption(pageCaption);
    Workspace &ws = workspace();
    ws.views[size_t(slot)].result = this;
    // The list shows what the table holds; the program setting it changes nothing.
    const TableDocument &doc = ws.tables[size_t(slot)];
    const bool ready = ws.uiReady;
    ws.uiReady = false;
    setRowLimitIndex(doc.rowLimitIndex);
    setAutoReload(doc.autoReload);
    ws.uiReady = ready;
}

PreviewWindow::~PreviewWindow()
{
    // The page goes first, while the answers of its scripts can still reach this window.
    delete web;
    PreviewView *&registered = workspace().views[size_t(tableSlot)].result;
    if (registered == this)
        registered = nullptr;
}

void PreviewWindow::buildControls()
{
    runit = toolButton(this, "runit", QStyle::SP_BrowserReload, "Reload");
    runChange = new QCheckBox(QStringLiteral("Auto-Reload"), this);
    runChange->setObjectName(QStringLiteral("runChange"));
    runChange->setToolTip(QStringLiteral("Reload page with changes"));
    rbrowser = toolButton(this, "rbrowser", QStyle::SP_ComputerIcon, "Preview in browser");
    auto *hrowsLabel = new QLabel(QStringLiteral("Show"), this);
    hrowsLabel->setObjectName(QStringLiteral("hrowsLabel"));
    hrows = new QComboBox(this);
    hrows->setObjectName(QStringLiteral("hrows"));
    hrows->addItems({QStringLiteral("all rows"), QStringLiteral("first 5"),
                     QStringLiteral("first 10"), QStringLiteral("first 20"),
                     QStringLiteral("first 50")});
    hrows->setToolTip(QStringLiteral("Show first N rows"));
    goback = toolButton(this, "goback", QStyle::SP_ArrowBack, "Back");
    goforward = toolButton(this, "goforward", QStyle::SP_ArrowForward, "Forward");
    stopit = toolButton(this, "stopit", QStyle::SP_BrowserStop, "Stop loading");
    web = new QWebEngineView(this);
    web->setObjectName(QStringLiteral("web"));
    web->setPage(new LocalPage(QWebEngineProfile::defaultProfile(), web));
    wstatus = new QLabel(this);
    wstatus->setObjectName(QStringLiteral("wstatus"));
    buildHeldBackBar();

    auto *row = new QHBoxLayout;
    for (QWidget *control : std::initializer_list<QWidget *>{
             runit, runChange, rbrowser, hrowsLabel, hrows, goback, goforward, stopit})
        row->addWidget(control);
    row->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(row);
    layout->addWidget(heldBackBar);
    layout->addWidget(web, 1);
    layout->addWidget(wstatus);

    connect(runit, &QToolButton::clicked, this, [this] { runit_Click(); });
    connect(rbrowser, &QToolButton::clicked, this, [this] { rbrowser_Click(); });
    connect(goback, &QToolButton::clicked, this, [this] { goback_Click(); });
    connect(goforward, &QToolButton::clicked, this, [this] { goforward_Click(); });
    connect(stopit, &QToolButton::clicked, this, [this] { stopit_Click(); });
    connect(runChange, &QCheckBox::toggled, this, [this](bool ticked) {
        workspace().tables[size_t(tableSlot)].autoReload = ticked ? 1 : 0;
    });
    connect(hrows, &QComboBox::currentIndexChanged, this, [this](int index) { hrows_Click(index); });
    connect(web->page(), &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo &loading) { pageLoading(loading); });
    // A page process the program ends on purpose is killed; one that gives up crashes.
    connect(web->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus ending) {
                if (ending != QWebEnginePage::CrashedTerminationStatus &&
                    ending != QWebEnginePage::AbnormalTerminationStatus)
                    return;
                loadedStatus = rendererLostStatus;
                setStatus(loadedStatus);
            });
    connect(web->page(), &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        setStatus(url.isEmpty() ? loadedStatus : url);
    });
}

void PreviewWindow::buildHeldBackBar()
{
    heldBackBar = new QFrame(this);
    heldBackBar->setObjectName(QStringLiteral("heldBackBar"));
    heldBackBar->setFrameShape(QFrame::StyledPanel);
    heldBackBar->setStyleSheet(QStringLiteral("#heldBackBar { background: #fff4c2; }"));
    heldBackText = new OneLineLabel(heldBackBar);
    heldBackText->setObjectName(QStringLiteral("heldBackText"));
    heldBackDetails = new QPushButton(QStringLiteral("Details"), heldBackBar);
    heldBackDetails->setObjectName(QStringLiteral("heldBackDetails"));
    trustFolderButton = new QPushButton(QStringLiteral("Trust this folder"), heldBackBar);
    trustFolderButton->setObjectName(QStringLiteral("trustFolder"));
    auto *bar = new QHBoxLayout(heldBackBar);
    bar->setContentsMargins(6, 1, 6, 1);
    bar->addWidget(heldBackText, 1);
    bar->addWidget(heldBackDetails);
    bar->addWidget(trustFolderButton);
    heldBackBar->hide();
    connect(heldBackDetails, &QPushButton::clicked, this,
            [this] { ui().message(heldBackText->toolTip()); });
    connect(trustFolderButton, &QPushButton::clicked, this, [this] { trustFolder_Click(); });
    connect(&heldBackRequests(), &HeldBackRequests::refused, this,
            [this](const QUrl &initiator, const QUrl &firstParty, bool fromWeb) {
                pageRequestRefused(initiator, firstParty, fromWeb);
            });
}

void PreviewWindow::showHeldBack(const HeldBack &what)
{
    heldBack = what;
    if (heldBack.any()) {
        const CurTableGuard onSlot(tableSlot);
        heldBackText->setLine(heldBackSummary(heldBack));
        const QString notice = heldBackNotice(heldBack);
        heldBackText->setToolTip(notice);
        heldBackDetails->setToolTip(notice);
    }
    heldBackBar->setVisible(heldBack.any());
}

// A request of the page shown, refused as the page is held back, is said in the bar.
void PreviewWindow::pageRequestRefused(const QUrl &initiator, const QUrl &firstParty, bool fromWeb)
{
    if (shownPageHost.isEmpty()
        || (initiator.host() != shownPageHost && firstParty.host() != shownPageHost))
        return;
    HeldBack more = heldBack;
    bool &said = fromWeb ? more.webLoads : more.fileReads;
    if (said)
        return;
    said = true;
    showHeldBack(more);
}

void PreviewWindow::trustFolder_Click()
{
    {
        const CurTableGuard onSlot(tableSlot);
        if (!trustCurrentTableFolder())
            return;
    }
    showHeldBack({});
    runit_Click();
}

void PreviewWindow::installClickReporter()
{
    auto *channel = new QWebChannel(web->page());
    channel->registerObject(QStringLiteral("preview"),
                            new PreviewClicks(channel, [this](const QStringList &ids) {
                                pageClicked(ids);
                            }));
    web->page()->setWebChannel(channel, QWebEngineScript::ApplicationWorld);
    QWebEngineScript script;
    script.setName(QStringLiteral("tarvik-click-reporter"));
    script.setSourceCode(webChannelScript() + QLatin1String(clickReporter));
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    web->page()->scripts().insert(script);
}

void PreviewWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption);
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->setWindowTitle(caption);
}

void PreviewWindow::setStatus(const QString &text)
{
    wstatus->setText(QStringLiteral("Status: [") + text + u']');
}

void PreviewWindow::runit_Click()
{
    const CurTableGuard onSlot(tableSlot);
    setCaption(generatingCaption);
    setStatus(generatingStatus);
    renderQueue().request(RenderQueue::Window);
}

void PreviewWindow::rbrowser_Click()
{
    const CurTableGuard onSlot(tableSlot);
    renderQueue().request(RenderQueue::Browser);
}

void PreviewWindow::goback_Click() { web->back(); }
void PreviewWindow::goforward_Click() { web->forward(); }
// A render under way ends unseen, and so does the loading of a page.
void PreviewWindow::stopit_Click()
{
    if (renderQueue().busy(tableSlot)) {
        renderQueue().stop(tableSlot);
        setCaption(pageCaption);
        setStatus(stoppedStatus);
    }
    web->stop();
}

// The status line says how the page's loading goes: a page cut short is not "Done", and
// one cut by Stop says how many of its table rows it shows. The load a new page replaces
// ends (failed, when a script held it and its renderer was ended) before the new one
// starts: that end is not the new page's, which is loading. The empty page that stands for
// none tells of no page: a render that made none says why, even when the empty page loads
// after it.
void PreviewWindow::pageLoading(const QWebEngineLoadingInfo &loading)
{
    if (loading.url() == blankPage)
        return;
    if (replacing && loading.status() != QWebEngineLoadingInfo::LoadStartedStatus)
        return;
    switch (loading.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        replacing = false;
        loadedStatus = loadingStatus;
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        loadedStatus = doneStatus;
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        loadedStatus = stoppedStatus;
        countRowsShown();
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        if (loadedStatus != rendererLostStatus)
            loadedStatus = loading.errorString().isEmpty() ? QStringLiteral("Failed")
                                                           : loading.errorString();
        break;
    }
    setStatus(loadedStatus);
}

// A page whose scripts hold it never answers, and its status stays "Stopped"; a page gone
// meanwhile answers nothing (an invalid count), before anything of the window is touched.
void PreviewWindow::countRowsShown()
{
    const QPointer<QWebEnginePage> page = web->page();
    page->runJavaScript(
        QStringLiteral("document.getElementsByTagName('tr').length"),
        QWebEngineScript::ApplicationWorld, [this, page](const QVariant &rows) {
            if (!rows.isValid() || !page || page != web->page() || loadedStatus != stoppedStatus)
                return;
            const int count = rows.toInt();
            loadedStatus = QStringLiteral("Stopped after %1 table row%2")
                               .arg(count)
                               .arg(count == 1 ? "" : "s");
            setStatus(loadedStatus);
        });
}

void PreviewWindow::hrows_Click(int index)
{
    Workspace &ws = workspace();
    ws.tables[size_t(tableSlot)].rowLimitIndex = index;
    if (!ws.uiReady)
        return;
    const CurTableGuard onSlot(tableSlot);
    ws.current().tableChanged = true;
    runIfAutoRun();
}

void PreviewWindow::setRowLimitIndex(int index) { hrows->setCurrentIndex(index); }

void PreviewWindow::setAutoReload(int value) { runChange->setChecked(value == 1); }

void PreviewWindow::showRendered(const RenderOutcome &outcome)
{
    if (outcome.heldBack.any() || outcome.rendered)
        showHeldBack(outcome.heldBack);
    if (!outcome.rendered) {
        loadedStatus = outcome.status;
        setStatus(loadedStatus);
        setCaption(pageCaption); // the page shown stays
        return;
    }
    const QUrl page(outcome.pageUrl);
    shownPageHost = page.host();
    replacing = true;
    loadedStatus = loadingStatus;
    setStatus(loadedStatus);
    replacePage(web->page(), page);
    pageCaption = outcome.caption;
    setCaption(pageCaption);
}

void PreviewWindow::clearPage()
{
    renderQueue().forget(tableSlot);
    shownPageHost.clear();
    replacing = true;
    replacePage(web->page(), blankPage);
    loadedStatus = doneStatus;
    setStatus(loadedStatus);
    showHeldBack({});
    pageCaption = QStringLiteral("Web");
    setCaption(pageCaption);
}

// The focus stays where the user put it: in the table tree after a selection made there,
// in the page after a click into it.
void PreviewWindow::highlightCell(const PreviewHighlight &request)
{
    QStringList previous;
    for (const QString &border : request.previousBorders)
        previous << jsString(border);
    const QString call = QLatin1String(highlighter) + QStringLiteral("(%1, %2, %3, [%4])")
                             .arg(jsString(request.tableName), jsString(request.column),
                                  jsString(request.previousId), previous.join(u','));
    const int slot = tableSlot;
    const QString column = request.column;
    web->page()->runJavaScript(call, QWebEngineScript::ApplicationWorld,
                               [this, slot, column](const QVariant &found) {
                                   const QString id = found.toString();
                                   if (!id.isEmpty()) {
                                       const CurTableGuard onSlot(slot);
                                       recordHighlight(column, id);
                                   }
                                   emit highlighted(id);
                               });
}

void PreviewWindow::pageClicked(const QStringList &ids)
{
    const CurTableGuard onSlot(tableSlot);
    selectClickedColumn(ids);
}
