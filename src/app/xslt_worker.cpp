// tarvik-xslt-worker: runs the built-in XSLT processor for the program that started it
// (platform/workers/xslt_workers.h), over the socket that is its standard input and output.
#include "platform/workers/xslt_worker_serve.h"

int main() { return serveAsXsltWorker(); }
