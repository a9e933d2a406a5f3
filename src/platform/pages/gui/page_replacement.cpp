#include "platform/pages/gui/page_replacement.h"

#include "platform/pages/gui/page_dialogs.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <csignal>
#include <unistd.h>
#include <utility>

namespace {

// How long a page has to answer before the program takes it for busy.
constexpr int answerWaitMs = 2000;

// The program's watch over one page; a child of the page.
class RendererWatch final : public QObject {
    Q_OBJECT
public:
    explicit RendererWatch(QWebEnginePage *page);

    QWebEnginePage *page() const { return static_cast<QWebEnginePage *>(parent()); }
    void replaceWith(const QUrl &url);

private:
    void showNext();
    void endRenderer();
    void rendererEnded();

    QUrl next;            // the address to show once the page answers or its renderer has ended
    bool pending = false; // next waits to be shown
    bool ending = false;  // the program ends the page's renderer process
    quint64 probes = 0;
    QTimer answerWait;
};

QList<QPointer<RendererWatch>> &watches()
{
    static QList<QPointer<RendererWatch>> all;
    return all;
}

RendererWatch *watchOf(QWebEnginePage *page)
{
    auto *watch = page->findChild<RendererWatch *>(QString(), Qt::FindDirectChildrenOnly);
    return watch ? watch : new RendererWatch(page);
}

RendererWatch::RendererWatch(QWebEnginePage *page) : QObject(page)
{
    watches().removeAll(nullptr);
    watches().append(this);
    answerWait.setSingleShot(true);
    answerWait.setInterval(answerWaitMs);
    connect(&answerWait, &QTimer::timeout, this, &RendererWatch::endRenderer);
    connect(page, &QWebEnginePage::renderProcessTerminated, this, &RendererWatch::rendererEnded);
}

void RendererWatch::replaceWith(const QUrl &url)
{
    holdPageDialogs(page());
    next = url;
    pending = true;
    if (ending)
        return; // shown once the renderer has ended
    if (page()->renderProcessPid() <= 0) {
        showNext();
        return;
    }
    const quint64 probe = ++probes;
    answerWait.start();
    page()->runJavaScript(QStringLiteral("0"), QWebEngineScript::ApplicationWorld,
                          [watch = QPointer(this), probe](const QVariant &) {
                              if (watch && watch->probes == probe && watch->answerWait.isActive()) {
                                  watch->answerWait.stop();
                                  watch->showNext();
                              }
                          });
}

void RendererWatch::showNext()
{
    pending = false;
    allowPageDialogs(page());
    page()->load(std::exchange(next, QUrl()));
}

// Ends the busy page's renderer process; every page that ran in it comes back once it has
// ended, the busy one with its new address. While another page's dialog runs no page
// answers, so the wait starts again.
void RendererWatch::endRenderer()
{
    if (pageDialogRunning()) {
        answerWait.start();
        return;
    }
    const qint64 pid = page()->renderProcessPid();
    if (pid <= 0 || pid == getpid()) {
        showNext();
        return;
    }
    QList<RendererWatch *> sharing;
    for (const QPointer<RendererWatch> &watch : std::as_const(watches()))
        if (watch && watch->page()->renderProcessPid() == pid)
            sharing.append(watch);
    for (RendererWatch *watch : sharing)
        watch->ending = true;
    if (::kill(pid_t(pid), SIGKILL) != 0) {
        for (RendererWatch *watch : sharing)
            watch->ending = false;
        showNext();
    }
}

void RendererWatch::rendererEnded()
{
    if (!std::exchange(ending, false))
        return;
    if (pending)
        showNext();
    else
        page()->triggerAction(QWebEnginePage::Reload);
}

} // namespace

void replacePage(QWebEnginePage *page, const QUrl &url) { watchOf(page)->replaceWith(url); }

void watchRenderer(QWebEnginePage *page) { watchOf(page); }

#include "page_replacement.moc"
