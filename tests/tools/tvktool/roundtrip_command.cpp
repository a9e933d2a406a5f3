// tvktool roundtrip IN.tvk OUT.tvk: reads a table file and writes it again.
#include "tvktool_commands.h"

int runRoundtrip(const QStringList &arguments)
{
    return loadTableFile(arguments[0]) && writeLoadedTable(arguments[0], arguments[1]) ? 0 : 1;
}
