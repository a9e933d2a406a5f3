#include "properties/sheet_listing.h"

#include "documents/string_helpers.h"

namespace {

QString styleName(EditStyle style)
{
    switch (style) {
    case EditStyle::Typed:
        return QStringLiteral("typed");
    case EditStyle::Button:
        return QStringLiteral("button");
    case EditStyle::TypedButton:
        return QStringLiteral("typed+button");
    case EditStyle::List:
        return QStringLiteral("list");
    case EditStyle::None:
        break;
    }
    return QStringLiteral("none");
}

} // namespace

QStringList sheetListing(const SheetLayout &layout)
{
    QStringList lines;
    for (const SheetVerb &verb : layout.verbs)
        lines.append(QStringLiteral("verb\t%1\t%2").arg(verb.id).arg(verb.caption));
    layout.forEachItem([&lines](const SheetItem &item, int depth) {
        lines.append(QString(depth * 2, QChar(' ')) +
                     QStringList{item.caption, escapedControls(item.value), styleName(item.style),
                                 item.readOnly ? QStringLiteral("ro") : QStringLiteral("-"),
                                 item.choices.join(QChar('|'))}
                         .join(QChar('\t')));
    });
    return lines;
}
