#include "tvktool_commands.h"

#include "documents/table_file_reader.h"
#include "documents/workspace.h"

bool loadTableFile(const QString &path)
{
    Workspace &ws = workspace();
    ws.slotUsed[size_t(ws.curTable)] = true;
    ws.current().reset();
    return readTable(path) == TableReadOutcome::Complete;
}
