#pragma once

#include "platform/xslt/xslt_run_limits.h"

#include <QByteArray>
#include <QStringList>

// Runs an outside program without a shell and collects what it writes.

struct ProcessOutcome {
    bool started = false;     // false when the program could not be started
    bool timedOut = false;    // true when it was killed at the time limit
    bool outputCut = false;   // true when it was killed for writing more than allowed
    bool stopped = false;     // true when it was killed because stop was requested
    bool crashed = false;     // true when it ended on a signal of its own
    int exitCode = 0;         // its exit status when it ended by itself
    QByteArray output;        // standard output and standard error, in the order they came
    QByteArray errorOutput;   // standard error alone
};

// Starts program with the arguments, gives it an empty standard input and waits for it to
// end, reading its output as it arrives. When it is still running after timeoutMs, or has
// written more than maxOutputBytes, it is killed with every process it started, wherever
// they moved to (process_tree.h); what it wrote until then is kept. So it is when stop is
// requested on the token.
ProcessOutcome runProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                          qint64 maxOutputBytes, const XsltStopToken *stop = nullptr);
