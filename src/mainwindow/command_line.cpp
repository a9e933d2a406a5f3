#include "mainwindow/command_line.h"

#include "documents/string_helpers.h"

CommandLine parseCommandLine(const QStringList &arguments)
{
    const QStringList pieces = arguments.size() == 1
                                   ? splitAll(arguments.first(), QStringLiteral(","))
                                   : arguments;
    const auto piece = [&pieces](qsizetype i) { return i < pieces.size() ? pieces[i] : QString(); };
    CommandLine line;
    line.file = piece(0);
    line.xslOutput = piece(1);
    line.name = piece(2);
    line.tableStart = line.file.toUpper().endsWith(QStringLiteral(".TVK"));
    return line;
}
