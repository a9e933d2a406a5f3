#include "platform/pages/gui/local_page.h"

#include "platform/pages/gui/page_replacement.h"
#include "platform/pages/gui/page_server.h"
#include "platform/pages/page_url.h"

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QStringList>
#include <QWebEngineUrlScheme>

namespace {

using Info = QWebEngineUrlRequestInfo;

// What a page shows or follows; everything else a local page asks for is refused.
bool shownOrFollowed(Info::ResourceType type)
{
    switch (type) {
    case Info::ResourceTypeMainFrame:
    case Info::ResourceTypeStylesheet:
    case Info::ResourceTypeScript:
    case Info::ResourceTypeImage:
    case Info::ResourceTypeFontResource:
    case Info::ResourceTypeMedia:
    case Info::ResourceTypeFavicon:
        return true;
    default:
        return false;
    }
}

bool isWeb(const QUrl &url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

bool isLocal(const QUrl &url)
{
    return url.scheme() == QLatin1String("file") || url.scheme() == QLatin1String(pageScheme) ||
           url.scheme() == QLatin1String(fileScheme);
}

// Whether the engine hands an address a page moves to over to the desktop's URL opener,
// having no page of its own for it.
bool forTheDesktop(const QUrl &url)
{
    static const QStringList shownByTheEngine{
        QStringLiteral("about"), QStringLiteral("data"), QStringLiteral("blob"),
        QStringLiteral("javascript"), QStringLiteral("filesystem")};
    return !isWeb(url) && !isLocal(url) && !shownByTheEngine.contains(url.scheme());
}

// Whether a request is refused. What a web page asks for is its own business; a local page,
// its workers and the documents it makes (blob:, data:, frames without an origin) ask for
// what they show or follow only, and nothing from the web when the page is held back from it.
bool refused(const Info &info)
{
    if (refusedAsWeb(info.initiator(), info.firstPartyUrl(), info.requestUrl())) {
        emit heldBackRequests().refused(info.initiator(), info.firstPartyUrl(), true);
        return true;
    }
    return !isWeb(info.initiator()) && !shownOrFollowed(info.resourceType());
}

// Filters every request of its profile's pages, their workers and frames.
class PageRequests final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (refused(info))
            info.block(true);
    }
};

void filterRequests(QWebEngineProfile *profile)
{
    if (!profile->findChild<PageRequests *>(QString(), Qt::FindDirectChildrenOnly))
        profile->setUrlRequestInterceptor(new PageRequests(profile));
}

} // namespace

HeldBackRequests &heldBackRequests()
{
    static HeldBackRequests requests;
    return requests;
}

void registerPageScheme()
{
    // A page's peer connections (WebRTC) send nothing: they may use no UDP but through a proxy.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") +
                " --force-webrtc-ip-handling-policy=disable_non_proxied_udp");
    // Neither scheme reaches file: URLs. The local files' scheme takes cross-origin requests,
    // which LocalFiles answers for fonts only.
    for (const char *name : {pageScheme, fileScheme}) {
        QWebEngineUrlScheme scheme(name);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        QWebEngineUrlScheme::Flags flags = QWebEngineUrlScheme::SecureScheme;
        scheme.setFlags(name == fileScheme ? flags | QWebEngineUrlScheme::CorsEnabled : flags);
        QWebEngineUrlScheme::registerScheme(scheme);
    }
}

LocalPage::LocalPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    // A page read from a file: URL (the browser window's help) reads no other file either.
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    servePageFiles(profile);
    serveLocalFiles(profile);
    filterRequests(profile);
    watchRenderer(this);
    connect(this, &QWebEnginePage::linkHovered, this,
            [this](const QString &url) { hoveredLink = QUrl(url); });
}

// The program's own load (typed, as into an address bar) is the only way onto a local page;
// back, forward and reload return to one the program opened. Links lead to the web only.
// The desktop gets only the address of a link the user clicks (the one under the pointer),
// and nothing of a page held back from the web.
bool LocalPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (forTheDesktop(url))
        return !heldBackPage(this->url()) && type == NavigationTypeLinkClicked &&
               url == hoveredLink;
    if (!isLocal(url))
        return true;
    return isMainFrame && (type == NavigationTypeTyped || type == NavigationTypeBackForward ||
                           type == NavigationTypeReload);
}
