#pragma once

#include <QString>

// The property store of the current slot, by key. None of these reports anything.

// Writes the value, appending a missing key; marks the table changed when asked (first,
// whatever follows).
void setKey(const QString &key, const QString &value, bool markChanged);
// Marks the table changed, always; removes the entry when present.
void removeKey(const QString &key);
// The value, "" when missing.
QString getKey(const QString &key);
// The value with every line break and Tab removed.
QString getKeyFlat(const QString &key);
// Writes the value ("" when missing) into the caller's variable.
void getKeyTo(const QString &key, QString &target);

// The base name and folder (ending in "/") of a slot's table file; "" without one.
QString getTableName(int slot);
QString getTableDir(int slot);

// Regenerates and reloads the current slot's preview when its auto-reload box is ticked.
void runIfAutoRun();
