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

// Whether a local file is served: a regular file, asked for by a page; and asked for across
// origins (naming its origin, as every request whose answer a script could read does) only
// when it is a font, which the engine asks for so.
bool served(const QWebEngineUrlRequestJob *job, const QString &path)
{
    return job->initiator().scheme() == QLatin1String(pageScheme) && QFileInfo(path).isFile() &&
           (!job->requestHeaders().contains("Origin") ||
            QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchContent).name().startsWith(
                QLatin1String("font/")));
}

// Serves the local files a page names, read as they stand.
class LocalFiles final : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        const QString path = localFilePath(job->requestUrl());
        auto *file = new QFile(path, job);
        if (!served(job, path) || !file->open(QIODevice::ReadOnly)) {
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
