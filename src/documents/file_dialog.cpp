#include "documents/file_dialog.h"

#include "documents/path_helpers.h"
#include "documents/settings_files.h"
#include "documents/store_access.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The pattern without "*" and ".": "tvk" for "*.tvk".
QString patternSuffix(const QString &pattern)
{
    QString suffix = pattern;
    suffix.remove(QChar('*'));
    suffix.remove(QChar('.'));
    return suffix;
}

// Where a dialog starts that has no folder of its own: the example tables, else home.
QString fallbackDialogFolder()
{
    const QString tables = tablesFolder();
    return QFileInfo(tables).isDir() ? tables : QDir::homePath();
}

// A save path whose file name has no "." gets the dialog's suffix.
QString withSuffix(const QString &path, const QString &suffix)
{
    if (suffix.isEmpty() || getFileName(path).contains(QChar('.')))
        return path;
    return path + QChar('.') + suffix;
}

} // namespace

QString dialogFolderKey(const QString &pattern, bool isSave)
{
    return QStringLiteral("set-open-dialog-") + patternSuffix(pattern) + QChar('-') +
           (isSave ? QStringLiteral("True") : QStringLiteral("False"));
}

QString showFileDialog(bool mustExist, const QString &title, const QString &filter,
                       const QString &pattern, bool isSave, const QString &fileName,
                       const QString &initDir)
{
    const QString key = dialogFolderKey(pattern, isSave);
    UiServices::FileDialogRequest request;
    request.isSave = isSave;
    request.mustExist = mustExist;
    request.title = title;
    request.filter = filter;
    request.fileName = fileName;
    if (settingExists(key))
        request.initDir = readSetting(key);
    else if (!initDir.isEmpty())
        request.initDir = initDir;
    else
        request.initDir = getTableDir(workspace().curTable);
    if (request.initDir.isEmpty())
        request.initDir = fallbackDialogFolder();

    QString chosen = ui().fileDialog(request);
    if (isSave && !chosen.isEmpty())
        chosen = withSuffix(chosen, patternSuffix(pattern));
    // Remembering the folder is a convenience: a data folder that cannot be written says
    // nothing about the file the user chose.
    if (!chosen.isEmpty())
        writeSetting(key, getDir(chosen), true);
    return chosen;
}
