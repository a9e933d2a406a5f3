#include "platform/gui/local_page.h"

#include "platform/gui/page_server.h"
#include "platform/page_url.h"

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
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

bool isLocalPage(const QUrl &initiator)
{
    return initiator.scheme() == QLatin1String("file") ||
           initiator.scheme() == QLatin1String(pageScheme);
}

class LocalPageRequests final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (isLocalPage(info.initiator()) && !shownOrFollowed(info.resourceType()))
            info.block(true);
    }
};

} // namespace

void registerPageScheme()
{
    QWebEngineUrlScheme scheme(pageScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void restrictLocalPage(QWebEnginePage *page)
{
    // Local content may load what it names from anywhere; the requests are sorted below.
    QWebEngineSettings *settings = page->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    servePageFiles(page->profile());
    page->setUrlRequestInterceptor(new LocalPageRequests(page));
}
