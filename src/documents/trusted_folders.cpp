#include "documents/trusted_folders.h"

#include "documents/settings_files.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"

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
    // A line is taken as it stands: a blank at either end is part of a folder's name.
    for (const QString &line : readSetting(settingKey).split(u'\n', Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(line))
            folders.append(QDir::cleanPath(line));
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
    // Listed, such a name would be read back as folders of whoever chose it.
    if (clean.contains(u'\n') || clean.contains(u'\r')) {
        ui().message(QStringLiteral("The folder \"%1\" is not trusted: its name holds a line break, "
                                    "and Tarvik trusts no folder whose name does.")
                         .arg(clean));
        return false;
    }
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

QString heldBackSummary(const HeldBack &heldBack)
{
    QStringList parts;
    if (heldBack.webLoads)
        parts << QStringLiteral("web content");
    if (heldBack.fileReads)
        parts << QStringLiteral("files outside its folders");
    if (!heldBack.pluginCommand.isEmpty())
        parts << QStringLiteral("its plug-in processor");
    return QStringLiteral("Held back, as the folder is not trusted: ") + parts.join(QStringLiteral(", "));
}

QString heldBackNotice(const HeldBack &heldBack)
{
    QStringList parts;
    if (heldBack.webLoads)
        parts << QStringLiteral("its page loaded nothing from the web");
    if (heldBack.fileReads)
        parts << QStringLiteral("it read no file outside its own folders and those of the "
                                "tables it calls");
    if (!heldBack.pluginCommand.isEmpty())
        parts << QStringLiteral("its plug-in XSLT processor %1 was not run").arg(heldBack.pluginCommand);
    // A plug-in held back leaves no page to show.
    const QString shown = heldBack.pluginCommand.isEmpty() ? QStringLiteral("shown, not obeyed")
                                                           : QStringLiteral("not shown");
    return QStringLiteral("The folder %1 is not trusted, so this table is %2: ")
               .arg(currentTableFolder(), shown)
           + parts.join(QStringLiteral("; ")) + u'.';
}
