#pragma once

#include <QString>

// Commands on the tables of the slots.

// Reads the table file into the current slot (taken and reset by the caller), refreshes
// the main window and records the table as recent.
void readProject(const QString &path);
// Puts the path at the top of the recent tables list ("set-lastfile").
void addToRecents(const QString &path);
// Writes the current slot's table file and its XSL output.
void saveit();
// Asks about every changed table (or only the current one), lowest slot first, saving on
// Yes; false when the user cancelled.
bool checkDirty(bool allTables);
