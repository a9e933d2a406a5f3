#include "platform/pages/gui/browser_window.h"

#include "platform/pages/gui/local_page.h"
#include "platform/pages/gui/page_dialogs.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWebEngineHttpRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

constexpr double screenShare = 0.85;
constexpr int offsetFromMainWindow = 80;

} // namespace

BrowserWindow::BrowserWindow(const QWidget *anchor, const QString &untitledCaption)
{
    web = new QWebEngineView(this);
    // An off-the-record profile of the window's own, without an HTTP cache; created after
    // the view, so the page goes before it.
    auto *profile = new QWebEngineProfile(this);
    profile->setHttpCacheType(QWebEngineProfile::NoCache);
    web->setPage(new LocalPage(profile, web));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(web);

    const QScreen *screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->size() : QSize(1024, 768);
    resize(int(available.width() * screenShare), int(available.height() * screenShare));
    const QPoint corner = anchor ? anchor->frameGeometry().topLeft() : QPoint();
    move(corner + QPoint(offsetFromMainWindow, offsetFromMainWindow));
    // As browsers do; a page without a title is named by the engine after its address.
    setWindowTitle(untitledCaption);
    connect(web, &QWebEngineView::titleChanged, this, [this, untitledCaption](const QString &title) {
        const bool untitled = title.isEmpty() || QUrl(title) == web->url();
        setWindowTitle(untitled && !untitledCaption.isEmpty() ? untitledCaption : title);
    });
}

BrowserWindow *BrowserWindow::open(const QUrl &url, const QWidget *anchor,
                                   const QString &untitledCaption)
{
    auto *window = new BrowserWindow(anchor, untitledCaption);
    QWebEngineHttpRequest request(url);
    request.setHeader("Pragma", "no-cache");
    request.setHeader("Cache-control", "max-age=0");
    window->web->load(request);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

// The page's engine may wait inside a dialog of the page: the window goes once it has returned.
void BrowserWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    holdPageDialogs(web->page());
    afterPageDialogs(web->page(), [this] { deleteLater(); });
}
