#pragma once

#include "platform/xslt_run_limits.h"

#include <QByteArray>
#include <QStringList>

// Runs an outside program without a shell and collects what it writes.

struct ProcessOutcome {
    bool started = false;     // false when the program could not be started
    bool timedOut = false;    // true when it was killed at the time limit
    bool outputCut = false;   // true when it was killed for writing more than allowed
    bool stopped = false;     // true when it was killed because stop was requested
    QByteArray output;        // standard output and standard error, interleaved as written
};

// Starts program with the arguments in a process group of its own, gives it an empty
// standard input and waits for it to end, reading its output as it arrives. When it is
// still running after timeoutMs, or has written more than maxOutputBytes, the whole group
// (the program and whatever it started) is killed; what it wrote until then is kept. So it
// is when stop is requested on the token.
ProcessOutcome runProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                          qint64 maxOutputBytes, const XsltStopToken *stop = nullptr);
