#pragma once

#include <QString>
#include <QStringList>

// The recent tables list: the settings file "set-lastfile", table paths each followed by
// CR LF, newest first. Empty lines occur in it and mean nothing.

inline constexpr int maxRecentTablesShown = 20;
inline constexpr qsizetype recentTablesKeptChars = 1000;

QString noRecentTablesCaption();

// Puts the path first, removing an earlier entry of exactly that path. The text kept from
// before is cut to its first 1000 characters; a failed write is reported.
void addToRecents(const QString &path);

// The captions of the Recent tables menu: the listed tables that still exist, in list
// order, at most 20; the single caption "No Recent Tables" when none.
QStringList recentTablesMenu();
