// tarvik-xslt-worker: runs the built-in XSLT processor for the program that started it
// (platform/xslt_workers.h), over the socket that is its standard input and output.
#include "platform/heap_setup.h"
#include "platform/xslt_worker_serve.h"

#include <poll.h>
#include <unistd.h>

#include <thread>

int main()
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
