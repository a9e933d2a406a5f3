#pragma once

#include <QString>

// One small file per setting in the data folder, named after the setting's key and
// holding its value. The data folder is $TARVIK_HOME when set, else
// $XDG_DATA_HOME/tarvik (~/.local/share/tarvik).

QString dataFolder();
// The "tables" folder in the data folder, where the example tables are put.
QString tablesFolder();
// Creates the data folder when missing; false when it cannot be created.
bool ensureDataFolder();
// The path of the settings file for a key ("\" in keys names a subfolder too).
QString settingsPath(const QString &key);
bool settingExists(const QString &key);
// The stored value; "" when the file is missing.
QString readSetting(const QString &key);
// Returns lastWriteOk; a failure is reported unless silent.
bool writeSetting(const QString &key, const QString &value, bool silent = false);
void deleteSetting(const QString &key);
