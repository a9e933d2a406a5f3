#include "tvktool_commands.h"

#include "documents/table_file_reader.h"
#include "documents/workspace.h"

#include <QFileInfo>

bool loadTableFile(const QString &path)
{
    Workspace &ws = workspace();
    ws.slotUsed[size_t(ws.curTable)] = true;
    ws.current().reset();
    // Imports and side files are found from the table's folder, so a path given relative
    // to the working folder is made absolute first.
    return readTable(QFileInfo(path).absoluteFilePath()) == TableReadOutcome::Complete;
}
