#include "documents/side_file_restore.h"

#include "documents/path_helpers.h"
#include "documents/store_access.h"
#include "documents/table_file_format.h"
#include "documents/text_files.h"
#include "documents/workspace.h"

#include <QFileInfo>

bool sideFileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink() && !info.isHidden();
}

namespace {

bool allSideFilesExist(const QString &stem)
{
    for (const QString &extension : sideFileExtensions()) {
        if (!sideFileExists(stem + extension))
            return false;
    }
    return true;
}

} // namespace

QString readSideFile(const QString &path) { return sideFileExists(path) ? readFile(path) : QString(); }

void restoreSideFiles(QString reference)
{
    const qsizetype tvk = reference.indexOf(QStringLiteral(".tvk"), 0, Qt::CaseInsensitive);
    if (tvk < 0)
        return;
    const QString stem = resolvedPath(reference.left(tvk), getTableDir(workspace().curTable));
    if (allSideFilesExist(stem))
        return;
    const QStringList pieces = embeddedSidePieces(readFile(stem + QStringLiteral(".tvk")));
    for (qsizetype i = 0; i < pieces.size(); ++i)
        writeFile(stem + sideFileExtensions()[i], pieces[i], false);
}
