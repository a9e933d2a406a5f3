#include "documents/trusted_folders.h"

#include "documents/settings_files.h"
#include "documents/workspace.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString settingKey = QStringLiteral("trusted-folders");

QString cleanFolder(const QString &folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

QStringList listedFolders()
{
    QStringList folders;
    for (const QString &line : readSetting(settingKey).split(u'\n', Qt::SkipEmptyParts)) {
        const QString folder = line.trimmed();
        if (QDir::isAbsolutePath(folder))
            folders.append(QDir::cleanPath(folder));
    }
    return folders;
}

} // namespace

QStringList trustedFolders() { return listedFolders() << cleanFolder(tablesFolder()); }

bool folderTrusted(const QString &folder)
{
    return !folder.isEmpty() && trustedFolders().contains(cleanFolder(folder));
}

bool trustFolder(const QString &folder)
{
    const QString clean = cleanFolder(folder);
    QStringList folders = listedFolders();
    if (folders.contains(clean))
        return true;
    folders.append(clean);
    return ensureDataFolder() && writeSetting(settingKey, folders.join(u'\n') + u'\n');
}

QString currentTableFolder()
{
    const QString &table = workspace().current().tablePath;
    return table.isEmpty() ? QString() : cleanFolder(QFileInfo(table).absolutePath());
}

bool currentTableTrusted()
{
    const QString folder = currentTableFolder();
    return folder.isEmpty() || folderTrusted(folder);
}

bool trustCurrentTableFolder()
{
    const QString folder = currentTableFolder();
    return folder.isEmpty() || trustFolder(folder);
}

QStringList currentReadableFolders()
{
    return QStringList{currentTableFolder()} + workspace().current().calledFolders;
}

QString heldBackNotice(const QString &pluginCommand)
{
    QString notice = QStringLiteral("The folder %1 is not trusted, so this table's page loads "
                                    "nothing from the web and its stylesheet reads no file "
                                    "outside its folder and the folders of the tables it calls.")
                         .arg(currentTableFolder());
    if (!pluginCommand.isEmpty())
        notice += QStringLiteral(" Its plug-in XSLT processor %1 was not run.").arg(pluginCommand);
    return notice;
}
