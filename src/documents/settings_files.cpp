#include "documents/settings_files.h"

#include "documents/path_helpers.h"
#include "documents/text_files.h"

#include <QDir>
#include <QFileInfo>

QString dataFolder()
{
    const QString home = qEnvironmentVariable("TARVIK_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(home);
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/tarvik"));
}

QString tablesFolder() { return dataFolder() + QStringLiteral("/tables"); }

bool ensureDataFolder() { return QDir().mkpath(dataFolder()); }

QString settingsPath(const QString &key) { return dataFolder() + QChar('/') + slashPath(key); }

bool settingExists(const QString &key) { return QFileInfo::exists(settingsPath(key)); }

QString readSetting(const QString &key) { return readFile(settingsPath(key)); }

bool writeSetting(const QString &key, const QString &value, bool silent)
{
    return writeFile(settingsPath(key), value, silent);
}

void deleteSetting(const QString &key) { deleteFile(settingsPath(key)); }
