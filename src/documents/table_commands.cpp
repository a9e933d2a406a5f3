#include "documents/table_commands.h"

#include "documents/path_helpers.h"
#include "documents/store_access.h"
#include "documents/table_file_writer.h"
#include "documents/text_files.h"
#include "documents/views/xsl_code_view.h"
#include "documents/workspace.h"
#include "platform/ui_services.h"

bool isProjectOpen(const QString &path)
{
    const Workspace &ws = workspace();
    for (int slot = 0; slot < maxTables; ++slot)
        if (ws.slotUsed[size_t(slot)] && ws.tables[size_t(slot)].tablePath == path)
            return true;
    return false;
}

bool saveit()
{
    Workspace &ws = workspace();
    TableDocument &doc = ws.current();
    if (doc.tablePath.isEmpty())
        return false;
    const bool written = writeFile(doc.tablePath, serializeTable(), false);
    if (written)
        doc.tableChanged = false;
    if (doc.xslFileName.isEmpty())
        doc.xslFileName = getTableName(ws.curTable) + QStringLiteral(".xsl");
    if (doc.xslFileDir.isEmpty())
        doc.xslFileDir = getDir(doc.tablePath);
    if (XslCodeView *xslCode = ws.currentViews().xslCode)
        xslCode->savePage();
    return written;
}

bool checkDirty(bool allTables)
{
    const Workspace &ws = workspace();
    const int remembered = ws.curTable;
    for (int slot = 0; slot < maxTables; ++slot) {
        const TableDocument &doc = ws.tables[size_t(slot)];
        if ((!allTables && slot != remembered) || !ws.slotUsed[size_t(slot)] ||
            !doc.tableChanged)
            continue;
        const UiServices::Answer answer = ui().askYesNoCancel(
            QStringLiteral("Table ") + doc.tablePath +
            QStringLiteral(" has not been saved. Do you want to save it?"));
        if (answer == UiServices::Answer::Cancel)
            return false;
        if (answer == UiServices::Answer::Yes) {
            const CurTableGuard guard(slot);
            if (!saveit())
                return false; // the user has seen why; going on would lose the changes
        }
    }
    return true;
}
