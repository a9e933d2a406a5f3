#include "platform/gui/local_page.h"

#include "platform/page_url.h"

#include <QBuffer>
#include <QFile>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

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
        if ((isLocalPage(info.initiator()) && !shownOrFollowed(info.resourceType())) ||
            refusedAsWeb(info.initiator(), info.firstPartyUrl(), info.requestUrl()))
            info.block(true);
    }
};

// Serves each page file under its own address (page_url.h), read as it stands.
class PageFiles final : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        const std::optional<ServedPage> page = servedPage(job->requestUrl());
        QFile file(page ? page->file : QString());
        if (!page || !file.open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto *body = new QBuffer(job);
        body->setData(withBase(file.readAll(), page->base));
        job->reply("text/html", body);
    }
};

void servePageFiles(QWebEngineProfile *profile)
{
    if (!profile->urlSchemeHandler(pageScheme))
        profile->installUrlSchemeHandler(pageScheme, new PageFiles(profile));
}

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
