#include "platform/gui/page_navigation.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

constexpr char waitingAddress[] = "tarvikWaitingAddress";

} // namespace

void loadPageAddress(QWebEngineView *view, const QUrl &address)
{
    const bool waiting = view->property(waitingAddress).isValid();
    view->setProperty(waitingAddress, address);
    if (waiting)
        return;
    if (!view->page()->isLoading()) {
        view->setProperty(waitingAddress, QVariant());
        view->load(address);
        return;
    }
    auto *ended = new QObject(view);
    QObject::connect(view, &QWebEngineView::loadFinished, ended, [view, ended] {
        ended->deleteLater();
        const QUrl next = view->property(waitingAddress).toUrl();
        view->setProperty(waitingAddress, QVariant());
        view->load(next);
    });
    view->stop();
}
