#include "platform/process/process_runner.h"

#include "platform/process/process_tree.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <algorithm>

namespace {

constexpr qint64 stopPollMs = 100;

} // namespace

ProcessOutcome runProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                          qint64 maxOutputBytes, const XsltStopToken *stop)
{
    ProcessOutcome outcome;
    QProcess process;
    // Each stream is taken as it arrives, so the output keeps the order in which they came.
    // Past the bound it is still read, so that the child never blocks, but no longer kept.
    const auto keep = [&](const QByteArray &bytes, bool error) {
        if (outcome.output.size() > maxOutputBytes)
            return;
        outcome.output += bytes;
        if (error)
            outcome.errorOutput += bytes;
    };
    QObject::connect(&process, &QProcess::readyReadStandardOutput,
                     [&] { keep(process.readAllStandardOutput(), false); });
    QObject::connect(&process, &QProcess::readyReadStandardError,
                     [&] { keep(process.readAllStandardError(), true); });
    process.setChildProcessModifier(startAsTreeRoot);
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
        const int waitMs = int(std::clamp<qint64>(deadline.remainingTime(), 0, stopPollMs));
        // Standard output closed or silent: the wait for the end still takes standard error.
        if (!process.waitForReadyRead(waitMs))
            process.waitForFinished(waitMs);
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
    // A child that has ended meanwhile has no process number left to signal.
    if ((outcome.timedOut || outcome.outputCut || outcome.stopped) &&
        process.state() != QProcess::NotRunning)
        killProcessTree(process.processId());
    process.waitForFinished();
    outcome.crashed = process.exitStatus() == QProcess::CrashExit;
    outcome.exitCode = process.exitCode();
    if (outcome.output.size() > maxOutputBytes) {
        outcome.outputCut = true;
        outcome.output.truncate(maxOutputBytes);
        outcome.errorOutput.truncate(maxOutputBytes);
    }
    return outcome;
}
