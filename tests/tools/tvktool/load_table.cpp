#include "tvktool_commands.h"

#include "documents/table_file_format.h"
#include "documents/table_file_reader.h"
#include "documents/table_file_writer.h"
#include "documents/text_files.h"
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

bool writeLoadedTable(const QString &in, const QString &out)
{
    // With no XML document window, the text kept in the file stands for the loaded one.
    TableDocument &doc = workspace().current();
    doc.xmlText = doc.cachedXmlText;
    // The side files travel with the table file, not from the disk beside it.
    return writeTableFile(out, embeddedSidePieces(readFile(in)));
}
