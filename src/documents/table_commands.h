#pragma once

#include <QString>

// The procedures behind the table commands; each works on the current slot, and those
// that visit other slots set the current slot back before they return.

// A save dialog for a table file, shown again until the table name (the file name before
// its first ".") passes the name check; "" when cancelled.
QString askTableFileToSave(const QString &title, const QString &fileName);
// "Table with this name is currently open. Please close it first."
QString tableIsOpenMessage();

// Whether the current table's name (its file name before the first ".") can name the
// stylesheet's templates; the message that asks to save it under a valid name.
bool hasValidTableName();
QString invalidTableNameMessage();

// True when an open slot holds exactly this table file (letter case counts).
bool isProjectOpen(const QString &path);
// Creates a table in a new slot and writes it at once; its folder becomes trusted. An empty
// name asks for the file with a dialog. False when no table was created.
bool createNewProject(const QString &name);
// Opens the table file in a new slot; tells the user why not when it cannot. True when a
// slot was taken for it (even if the file then could not be read). The start guidance
// follows unless left out.
bool openTable(const QString &path, bool withStartTip = true);
// Reads the table file into the current slot, which has just been emptied.
void readProject(const QString &path);
// Writes the current slot's table file and its XSL output. True when the table file was
// written; a slot without a table file writes nothing.
bool saveit();
// Asks about unsaved changes: of the current table, or of every open table. False when
// the user cancelled or a table could not be saved.
bool checkDirty(bool allTables);
