#pragma once

// The worker process's side of xslt_workers.h: runs the requests read from the socket one
// after the other and answers each, until the stream ends. Returns the process's exit
// status.
int serveXsltRequests(int socket);

// Serves as a worker over the socket that is the process's standard input and output, with
// no other file of the program that started it open, until the stream ends or the program
// goes (in the middle of a run too). Returns the process's exit status.
int serveAsXsltWorker();
