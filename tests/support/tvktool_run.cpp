#include "support/tvktool_run.h"

#include <QProcess>

ToolRun tvktool(const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
    process.start(QStringLiteral(TVKTOOL_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}
