#include "platform/process_runner.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <csignal>
#include <unistd.h>

namespace {

void killGroup(QProcess &process)
{
    if (::kill(-pid_t(process.processId()), SIGKILL) != 0)
        process.kill(); // no group of its own after all: the program at least
    process.waitForFinished();
}

} // namespace

ProcessOutcome runProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                          qint64 maxOutputBytes)
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
    // blocking, and lets the output be bounded.
    while (process.state() != QProcess::NotRunning) {
        if (!process.waitForReadyRead(int(deadline.remainingTime())) && deadline.hasExpired() &&
            process.state() != QProcess::NotRunning) {
            outcome.timedOut = true;
            break;
        }
        outcome.output += process.readAll();
        if (outcome.output.size() > maxOutputBytes) {
            outcome.outputCut = true;
            break;
        }
    }
    if (outcome.timedOut || outcome.outputCut)
        killGroup(process);
    outcome.output += process.readAll();
    if (outcome.output.size() > maxOutputBytes) {
        outcome.outputCut = true;
        outcome.output.truncate(maxOutputBytes);
    }
    return outcome;
}
