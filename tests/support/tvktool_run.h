#pragma once

#include <QByteArray>
#include <QStringList>

// One run of tvktool as a separate program.
struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs tvktool with the arguments, the input on its standard input.
ToolRun tvktool(const QStringList &arguments, const QByteArray &input = {});
// The same under bash's limit on the size of the files it writes (ulimit -f, in KB).
ToolRun tvktoolWithFileSizeLimit(int kilobytes, const QStringList &arguments);
