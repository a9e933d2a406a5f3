#include "platform/gui/page_server.h"

#include "platform/page_url.h"

#include <QBuffer>
#include <QFile>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>

namespace {

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

} // namespace

void servePageFiles(QWebEngineProfile *profile)
{
    if (!profile->urlSchemeHandler(pageScheme))
        profile->installUrlSchemeHandler(pageScheme, new PageFiles(profile));
}
