#include "tvktool_commands.h"

#include "documents/table_file_reader.h"
#include "documents/workspace.h"

#include <QTextStream>

bool loadTableFile(const QString &path)
{
    Workspace &ws = workspace();
    ws.slotUsed[size_t(ws.curTable)] = true;
    ws.current().reset();
    if (readTable(path) == TableReadOutcome::Invalid) {
        QTextStream(stderr) << invalidTableFileMessage(path) << '\n';
        return false;
    }
    return true;
}
