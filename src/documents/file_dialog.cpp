#include "documents/file_dialog.h"

#include "documents/path_helpers.h"
#include "documents/settings_files.h"
#include "documents/store_access.h"
#include "documents/workspace.h"
#include "platform/ui_services.h"

QString dialogFolderKey(const QString &pattern, bool isSave)
{
    QString kind = pattern;
    kind.remove(QChar('*'));
    kind.remove(QChar('.'));
    return QStringLiteral("set-open-dialog-") + kind + QChar('-') +
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

    const QString chosen = ui().fileDialog(request);
    if (!chosen.isEmpty())
        writeSetting(key, getDir(chosen));
    return chosen;
}
