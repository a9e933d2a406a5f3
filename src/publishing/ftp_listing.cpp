#include "publishing/ftp_listing.h"

#include <QRegularExpression>

namespace {

// Type and permissions, links, owner and group (the group may be missing), size, then
// the date as month, day and time or year, then one blank and the name.
const QRegularExpression unixLine(QStringLiteral(
    "^([-dlbcps])([-rwxsStTl]{9})\\S*\\s+.*?\\s(\\w{3})\\s+(\\d{1,2})\\s+"
    "(\\d{1,2}:\\d{2}|\\d{4}) (.+)$"));
// Date, time, "<DIR>" or a size, then the name.
const QRegularExpression dosLine(QStringLiteral(
    "^\\d{2}-\\d{2}-\\d{2,4}\\s+\\d{1,2}:\\d{2}\\s*(?:[AaPp][Mm])?\\s+(<DIR>|\\d+)\\s+(.+)$"));

quint32 unixAttributes(QChar type, const QString &permissions)
{
    quint32 bits = type == QChar('d') ? clsItem::directory : 0;
    if (permissions[1] != QChar('w'))
        bits |= clsItem::readOnly;
    return bits ? bits : clsItem::normal;
}

void addEntry(colItem &entries, const QString &name, quint32 attributes)
{
    if (name != QLatin1String(".") && name != QLatin1String(".."))
        entries.Add(name, attributes);
}

void parseLine(const QString &line, colItem &entries)
{
    QRegularExpressionMatch match = unixLine.match(line);
    if (match.hasMatch()) {
        const QChar type = match.captured(1)[0];
        QString name = match.captured(6);
        if (type == QChar('l'))
            name = name.section(QStringLiteral(" -> "), 0, 0);
        addEntry(entries, name, unixAttributes(type, match.captured(2)));
        return;
    }
    match = dosLine.match(line);
    if (match.hasMatch())
        addEntry(entries, match.captured(2),
                 match.captured(1) == QLatin1String("<DIR>") ? clsItem::directory
                                                             : clsItem::normal);
}

} // namespace

void parseListing(const QString &listing, colItem &entries)
{
    for (QString line : listing.split(QChar('\n'), Qt::SkipEmptyParts)) {
        if (line.endsWith(QChar('\r')))
            line.chop(1);
        parseLine(line, entries);
    }
}
