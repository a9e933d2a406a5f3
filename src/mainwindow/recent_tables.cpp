#include "mainwindow/recent_tables.h"

#include "documents/settings_files.h"

#include <QFileInfo>

QStringList recentTablesMenu()
{
    constexpr qsizetype maxEntries = 20;
    const QString crlf = QStringLiteral("\r\n");
    QStringList lines = readSetting(QStringLiteral("set-lastfile")).split(crlf);
    lines.removeLast(); // the text after the last CR LF is not a line
    QStringList entries;
    for (const QString &line : lines) {
        if (entries.size() == maxEntries)
            break;
        if (!line.isEmpty() && QFileInfo(line).isFile())
            entries.append(line);
    }
    if (entries.isEmpty())
        entries.append(noRecentTables);
    return entries;
}
