#pragma once

#include "platform/workers/xslt_worker_protocol.h"

#include <QString>

// The built-in XSLT processor runs in worker processes of the program's own, so that a run
// is ended at once whatever step it is in, and a crash inside the XML libraries ends only
// its worker. A worker is the program "tarvik-xslt-worker" beside the running program's
// binary; one started while the program runs no thread but the starting one (first thing in
// main) is a copy of the program (fork without exec), which has the worker's code loaded
// already and serves at once.
//
// A worker is started ahead when the program asks for one and in place of every worker a
// run ends, and when a run finds none idle; it serves one run after the other and keeps
// the parsed XML document its requests ask it to keep. A few idle workers are kept: a run
// takes the one that keeps its document, else one that keeps none, else the one idle
// longest; idle ones beyond those few are ended. A run that is stopped by its token, passes
// its time or sends a page larger than its memory bound ends its worker, and so does a
// worker that ends while it runs (a crash, or the system's kill for lack of memory), which
// is the run's failure, never run again.

// The worker program's path.
QString xsltWorkerProgram();

// Runs the request in a worker and waits for the outcome; runs from several threads work
// side by side, each in a worker of its own.
XsltOutcome runInWorker(const XsltRequest &request);

// Starts a worker that waits idle for the next run, so that the run need not wait for it to
// start; for the programs that will run a transform soon.
void startXsltWorkerAhead();

// For a program that runs a transform and ends (a tool): a worker whose run is over is let go
// at once instead of kept idle, so that it leaves while the program writes what it made.
void letXsltWorkersGoAfterTheirRun();

// Ends the idle workers and waits until they, and those let go after their run, have left, so
// that what they used is counted as the program's (for tools timed from outside).
void endIdleXsltWorkers();
