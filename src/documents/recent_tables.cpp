#include "documents/recent_tables.h"

#include "documents/settings_files.h"
#include "documents/text_files.h"

namespace {

const QString recentTablesKey = QStringLiteral("set-lastfile");
const QString crlf = QStringLiteral("\r\n");

// Removes the first line of the list that is exactly the path.
void removeEntry(QString &list, const QString &path)
{
    const QString entry = path + crlf;
    for (qsizetype p = list.indexOf(entry); p >= 0; p = list.indexOf(entry, p + 1)) {
        if (p == 0 || list.at(p - 1) == QChar('\n')) {
            list.remove(p, entry.size());
            return;
        }
    }
}

} // namespace

QString noRecentTablesCaption() { return QStringLiteral("No Recent Tables"); }

void addToRecents(const QString &path)
{
    QString old = (readSetting(recentTablesKey) + crlf).left(recentTablesKeptChars);
    removeEntry(old, path);
    writeSetting(recentTablesKey, path + crlf + old + crlf, false);
}

QStringList recentTablesMenu()
{
    QStringList lines = readSetting(recentTablesKey).split(crlf);
    lines.removeLast(); // the text after the last CR LF ends no line
    QStringList shown;
    for (const QString &line : lines) {
        if (shown.size() == maxRecentTablesShown)
            break;
        if (!line.isEmpty() && normalFileExists(line))
            shown.append(line);
    }
    if (shown.isEmpty())
        shown.append(noRecentTablesCaption());
    return shown;
}
