#pragma once

#include <QString>
#include <QStringList>

// The table file of the current slot: XML path, property store, structure tree, window
// and code-editor records, selection, then the six side files beside the table file.
// Every field is written without Chr(2)..Chr(5), every side file without Chr(5).
// The result lacks the final CR LF that writeFile adds.
QString serializeTable();
// As serializeTable, with the given side-file pieces in place of the files on disk
// (missing pieces are written empty).
QString serializeTableWith(const QStringList &sidePieces);

// The six side files beside the current slot's table file, as readFile gives them; all
// empty while the slot has no table file.
QStringList readSideFiles();

// Writes the current slot's table file to path through the atomic writeFile (a failure is
// reported and leaves the old file whole). The changed flag is cleared only on success.
bool writeTableFile(const QString &path);
bool writeTableFile(const QString &path, const QStringList &sidePieces);
