#include "platform/gui/local_page.h"

#include "platform/page_url.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
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

bool isWeb(const QUrl &url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

bool isLocal(const QUrl &url)
{
    return url.scheme() == QLatin1String("file") || url.scheme() == QLatin1String(pageScheme) ||
           url.scheme() == QLatin1String(fileScheme);
}

// Whether a request is refused. What a web page asks for is its own business; a local page,
// its workers and the documents it makes (blob:, data:, frames without an origin) ask for
// what they show or follow only.
bool refused(const Info &info)
{
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
        body->setData(withConnectionPolicy(withBase(file.readAll(), page->base)));
        job->reply("text/html", body);
    }
};

void servePageFiles(QWebEngineProfile *profile)
{
    if (!profile->urlSchemeHandler(pageScheme))
        profile->installUrlSchemeHandler(pageScheme, new PageFiles(profile));
}

// Serves the regular local files a page names, to pages only, read as they stand.
class LocalFiles final : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        const QString path = localFilePath(job->requestUrl());
        auto *file = new QFile(path, job);
        if (job->initiator().scheme() != QLatin1String(pageScheme) || !QFileInfo(path).isFile() ||
            !file->open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        job->reply(QMimeDatabase().mimeTypeForFile(path).name().toUtf8(), file);
    }
};

void serveLocalFiles(QWebEngineProfile *profile)
{
    if (!profile->urlSchemeHandler(fileScheme))
        profile->installUrlSchemeHandler(fileScheme, new LocalFiles(profile));
}

void filterRequests(QWebEngineProfile *profile)
{
    if (!profile->findChild<PageRequests *>(QString(), Qt::FindDirectChildrenOnly))
        profile->setUrlRequestInterceptor(new PageRequests(profile));
}

} // namespace

void registerPageScheme()
{
    // Neither scheme reaches file: URLs, and neither answers a cross-origin request.
    for (const char *name : {pageScheme, fileScheme}) {
        QWebEngineUrlScheme scheme(name);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        scheme.setFlags(QWebEngineUrlScheme::SecureScheme);
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
}

// The program's own load (typed, as into an address bar) is the only way onto a local page;
// back, forward and reload return to one the program opened. Links lead to the web only.
bool LocalPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (!isLocal(url))
        return true;
    return isMainFrame && (type == NavigationTypeTyped || type == NavigationTypeBackForward ||
                           type == NavigationTypeReload);
}
