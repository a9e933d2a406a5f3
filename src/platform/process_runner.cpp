#include "platform/process_runner.h"

#include <QProcess>

ProcessOutcome runProcess(const QString &program, const QStringList &arguments, int timeoutMs)
{
    ProcessOutcome outcome;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return outcome;
    outcome.started = true;
    process.closeWriteChannel();
    // waitForFinished drains the pipe into the process's buffer while it waits, so a
    // child writing more than a pipe holds never blocks.
    if (!process.waitForFinished(timeoutMs) && process.state() != QProcess::NotRunning) {
        outcome.timedOut = true;
        process.kill();
        process.waitForFinished();
    }
    outcome.output = process.readAll();
    return outcome;
}
