#include "documents/interface_text.h"

#include "documents/string_helpers.h"

namespace {

const QString nameEnd(QChar(14));
const QString xpathEnd(QChar(15));
const QString bodyEnd(QChar(16));

} // namespace

InterfaceRecords readInterfaceText(const QString &text)
{
    InterfaceRecords records;
    QString rest = text;
    for (;;) {
        QString record = rest;
        bool missing = false;
        InterfaceItem item;
        item.name = takeTokenFound(record, nameEnd, missing);
        if (!missing)
            item.description = takeTokenFound(record, nameEnd, missing);
        if (!missing)
            item.xpath = takeTokenFound(record, xpathEnd, missing);
        if (missing)
            break;
        records.items.append(item);
        rest = record;
    }
    const qsizetype end = rest.indexOf(bodyEnd);
    records.hasBody = end >= 0;
    if (records.hasBody)
        records.body = rest.left(end);
    return records;
}

QString packInterfaceText(const QList<InterfaceItem> &items, const QString &body)
{
    if (items.isEmpty())
        return {};
    QString text;
    for (const InterfaceItem &item : items)
        text += item.name + nameEnd + item.description + nameEnd + item.xpath + xpathEnd;
    return text + body + bodyEnd;
}
