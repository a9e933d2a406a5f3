#include "documents/interface_text.h"

namespace {

const QString nameEnd(QChar(14));
const QString xpathEnd(QChar(15));
const QString bodyEnd(QChar(16));

} // namespace

InterfaceRecords readInterfaceText(const QString &text)
{
    InterfaceRecords records;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype nameAt = text.indexOf(nameEnd, pos);
        const qsizetype descriptionAt = nameAt < 0 ? -1 : text.indexOf(nameEnd, nameAt + 1);
        const qsizetype xpathAt = descriptionAt < 0 ? -1 : text.indexOf(xpathEnd, descriptionAt + 1);
        if (xpathAt < 0)
            break;
        records.items.append({text.mid(pos, nameAt - pos), text.mid(nameAt + 1, descriptionAt - nameAt - 1),
                              text.mid(descriptionAt + 1, xpathAt - descriptionAt - 1)});
        pos = xpathAt + 1;
    }
    const qsizetype end = text.indexOf(bodyEnd, pos);
    records.hasBody = end >= 0;
    if (records.hasBody)
        records.body = text.mid(pos, end - pos);
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
