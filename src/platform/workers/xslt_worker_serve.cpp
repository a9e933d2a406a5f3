#include "platform/workers/xslt_worker_serve.h"

#include "platform/heap_setup.h"
#include "platform/workers/xml_source_cache.h"
#include "platform/workers/xslt_worker_protocol.h"

#include <poll.h>
#include <unistd.h>

#include <memory>
#include <thread>

namespace {

// The document a request asked to keep, under the name it gave.
struct KeptDocument {
    QString name;
    std::unique_ptr<XmlSourceCache> sources;
};

XsltOutcome answer(const XsltRequest &request, KeptDocument &kept)
{
    if (request.keptAs.isEmpty())
        return runXslt(request.xmlPath, request.xslText, request.baseUri, request.limits,
                       request.form, request.markName);
    if (request.keptAs != kept.name || !kept.sources) {
        kept.sources.reset(); // let go before the next one is parsed
        kept = {request.keptAs, std::make_unique<XmlSourceCache>()};
    }
    XsltOutcome failed;
    const std::shared_ptr<XmlSource> xml =
        kept.sources->get(request.xmlPath, request.limits, failed);
    if (!xml)
        return failed;
    return runXslt(xml, request.xslText, request.baseUri, request.limits, request.form,
                   request.markName);
}

} // namespace

int serveXsltRequests(int socket)
{
    initialiseXslt();
    KeptDocument kept;
    while (const std::optional<XsltRequest> request = receiveRequest(socket)) {
        if (!sendOutcome(socket, answer(*request, kept)))
            return 1;
        freeReportedRun(); // the page is on its way: its trees go now
    }
    return 0;
}

int serveAsXsltWorker()
{
    useSmallBlocksOnThisThread(); // all of the worker's libxml2 work is on this thread
    ::close_range(STDERR_FILENO + 1, ~0U, 0); // nothing of the program's but the socket
    // When the program has gone the worker goes too, even in the middle of a run.
    std::thread([] {
        pollfd hangUp{STDIN_FILENO, 0, 0};
        while (::poll(&hangUp, 1, -1) <= 0) {
        }
        ::_exit(0);
    }).detach();
    return serveXsltRequests(STDIN_FILENO);
}
