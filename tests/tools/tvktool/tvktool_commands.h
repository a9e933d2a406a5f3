#pragma once

#include <QStringList>

// One tvktool command: its name, what follows it on the command line, how many
// arguments it takes at least, and the function that runs it on those arguments.
// A command returns the exit status: 0 on success.
struct TvkCommand {
    const char *name;
    const char *arguments;
    int minArguments;
    int (*run)(const QStringList &arguments);
};

int runDump(const QStringList &arguments);
int runRoundtrip(const QStringList &arguments);
int generateCommand(const QStringList &arguments);
int transformCommand(const QStringList &arguments);
int saveCommand(const QStringList &arguments);
int publishCommand(const QStringList &arguments);
int summaryCommand(const QStringList &arguments);
int xmltreeCommand(const QStringList &arguments);
int editCommand(const QStringList &arguments);
int sheetCommand(const QStringList &arguments);

// Reads a table file into the current slot, which it takes and empties first; false when
// the file is invalid (the reader's message has gone to stderr).
bool loadTableFile(const QString &path);
// Writes the table read by loadTableFile from in to out, its side files as in carries them.
bool writeLoadedTable(const QString &in, const QString &out);
