#include "support/tvktool_run.h"

#include <QProcess>

namespace {

ToolRun run(const QString &program, const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

ToolRun tvktool(const QStringList &arguments, const QByteArray &input)
{
    return run(QStringLiteral(TVKTOOL_PATH), arguments, input);
}

ToolRun tvktoolWithFileSizeLimit(int kilobytes, const QStringList &arguments)
{
    const QString script = QString("ulimit -f %1 && exec \"$0\" \"$@\"").arg(kilobytes);
    return run("/bin/bash", QStringList{"-c", script, TVKTOOL_PATH} + arguments, {});
}
