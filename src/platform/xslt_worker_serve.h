#pragma once

// The worker process's side of xslt_workers.h: runs the requests read from the socket one
// after the other and answers each, until the stream ends. Returns the process's exit
// status.
int serveXsltRequests(int socket);
