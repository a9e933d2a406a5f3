// tvktool summary T.tvk: the properties summary page of the table, as the program writes it.
#include "tvktool_commands.h"

#include "mainwindow/summary_page.h"

#include <QTextStream>

int summaryCommand(const QStringList &arguments)
{
    if (!loadTableFile(arguments.first()))
        return 1;
    QTextStream(stdout) << summaryPage() << '\n';
    return 0;
}
