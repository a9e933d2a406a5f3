// tvktool roundtrip IN.tvk OUT.tvk: reads a table file and writes it again.
#include "tvktool_commands.h"

#include "documents/table_file_format.h"
#include "documents/table_file_writer.h"
#include "documents/text_files.h"
#include "documents/workspace.h"

int runRoundtrip(const QStringList &arguments)
{
    const QString in = arguments[0];
    if (!loadTableFile(in))
        return 1;
    // With no XML document window, the text kept in the file stands for the loaded one.
    TableDocument &doc = workspace().current();
    doc.xmlText = doc.cachedXmlText;
    // The side files travel with the table file, not from the disk beside it.
    return writeTableFile(arguments[1], embeddedSidePieces(readFile(in))) ? 0 : 1;
}
