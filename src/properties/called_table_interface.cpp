#include "properties/called_table_interface.h"

#include "documents/path_helpers.h"
#include "documents/string_helpers.h"
#include "documents/text_files.h"

#include <QDir>

bool calledTableHasInterface(const QString &reference, const QString &tableDir)
{
    const QString called = slashPath(reference);
    const qsizetype dot = called.lastIndexOf(QChar('.'));
    if (dot < 0)
        return false;
    const QString sideFile = called.left(dot + 1) + QStringLiteral("tic");
    const QString path = tableDir.isEmpty() ? sideFile : QDir(tableDir).filePath(sideFile);
    return !trimWhiteVar(readFile(path)).isEmpty();
}
