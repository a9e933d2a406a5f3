#include "platform/process_runner.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <algorithm>
#include <csignal>
#include <unistd.h>

namespace {

constexpr qint64 stopPollMs = 100;

void killGroup(QProcess &process)
{
    if (::kill(-pid_t(process.processId()), SIGKILL) != 0)
        process.kill(); // no group of its own after all: the program at least
    process.waitForFinished();
}

} // namespace

ProcessOutcome runProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                          qint64 maxOutputBytes, const XsltStopToken *stop)
{
    ProcessOutcome outcome;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start(program, arguments);
    if (!process.waitForStarted())
        return outcome;
    outcome.started = true;
    process.closeWriteChannel();
    const QDeadlineTimer deadline(timeoutMs);
    // Reading as the output arrives keeps a child that writes more than a pipe holds from
    // blocking, and lets the output be bounded; the waits are short so that a stop request
    // is seen soon.
    while (process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(int(std::clamp<qint64>(deadline.remainingTime(), 0, stopPollMs)));
        outcome.output += process.readAll();
        if (outcome.output.size() > maxOutputBytes) {
            outcome.outputCut = true;
            break;
        }
        if (process.state() == QProcess::NotRunning)
            break;
        if (stop && stop->stopRequested()) {
            outcome.stopped = true;
            break;
        }
        if (deadline.hasExpired()) {
            outcome.timedOut = true;
            break;
        }
    }
    if (outcome.timedOut || outcome.outputCut || outcome.stopped)
        killGroup(process);
    outcome.output += process.readAll();
    if (outcome.output.size() > maxOutputBytes) {
        outcome.outputCut = true;
        outcome.output.truncate(maxOutputBytes);
    }
    return outcome;
}
