#include "platform/gui/local_page.h"

#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

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

class LocalPageRequests final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (info.initiator().scheme() == QLatin1String("file") &&
            !shownOrFollowed(info.resourceType()))
            info.block(true);
    }
};

} // namespace

void restrictLocalPage(QWebEnginePage *page)
{
    // Local content may load what it names from anywhere; the requests are sorted below.
    QWebEngineSettings *settings = page->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    page->setUrlRequestInterceptor(new LocalPageRequests(page));
}
