#pragma once

#include <QByteArray>
#include <QStringList>

// Runs an outside program without a shell and collects what it writes.

struct ProcessOutcome {
    bool started = false;  // false when the program could not be started
    bool timedOut = false; // true when it was killed at the time limit
    QByteArray output;     // standard output and standard error, interleaved as written
};

// Starts program with the arguments, gives it an empty standard input and waits for it to
// end, reading its output as it arrives. A program still running after timeoutMs is
// killed; what it wrote until then is kept.
ProcessOutcome runProcess(const QString &program, const QStringList &arguments, int timeoutMs);
