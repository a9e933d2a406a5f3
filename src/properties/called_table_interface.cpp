#include "properties/called_table_interface.h"

#include "documents/path_helpers.h"
#include "documents/side_file_restore.h"
#include "documents/string_helpers.h"

#include <QDir>

QString calledInterfacePath(const QString &reference, const QString &tableDir)
{
    const QString called = slashPath(reference);
    const qsizetype dot = called.lastIndexOf(QChar('.'));
    if (dot < 0)
        return {};
    const QString sideFile = called.left(dot + 1) + QStringLiteral("tic");
    return tableDir.isEmpty() ? sideFile : QDir(tableDir).filePath(sideFile);
}

bool calledTableHasInterface(const QString &reference, const QString &tableDir)
{
    const QString path = calledInterfacePath(reference, tableDir);
    return !path.isEmpty() && !trimWhiteVar(readSideFile(path)).isEmpty();
}
