#pragma once

#include <QStringList>

// The entries of the recent tables menu, from the settings file "set-lastfile": its lines
// up to the last CR LF that are not empty and name an existing file, at most 20, in file
// order; "No Recent Tables" alone when none is left.
QStringList recentTablesMenu();

inline const QString noRecentTables = QStringLiteral("No Recent Tables");
