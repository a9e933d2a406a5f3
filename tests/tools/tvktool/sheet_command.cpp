// tvktool sheet T.tvk NODEKEY: the property sheet of a node of the table's structure tree.
#include "tvktool_commands.h"

#include "documents/workspace.h"
#include "properties/fill_props.h"
#include "properties/property_sheets.h"
#include "properties/sheet_listing.h"

#include <QTextStream>

int sheetCommand(const QStringList &arguments)
{
    if (!loadTableFile(arguments[0]))
        return 1;
    TableDocument &doc = workspace().current();
    if (!doc.tree.find(arguments[1])) {
        QTextStream(stderr) << "no node with the key " << arguments[1] << '\n';
        return 1;
    }
    doc.selectedNodeKey = arguments[1];
    fillProps();
    QTextStream out(stdout);
    for (const QString &line : sheetListing(currentSheet().layout))
        out << line << '\n';
    return 0;
}
