#include "properties/commit_props.h"

#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"
#include "properties/property_keys.h"
#include "properties/property_sheets.h"
#include "properties/sheet_selection.h"

namespace {

// The stored value as a row shows it without its line breaks and Tabs.
QString flatText(QString stored)
{
    stripBreaks(stored);
    return trimWhiteVar(stored);
}

bool isPackedList(const QString &caption)
{
    return caption == QLatin1String("XSLT Input Parameters") ||
           caption == QLatin1String("Table Interface");
}

void commitRow(const StructureTree::Node &node)
{
    const PropertySheet &sheet = currentSheet();
    const QString caption = workspace().current().selectedPropertyCaption;
    const SheetItem *row = sheet.layout.findItem(caption);
    if (!row || row->kind != SheetItem::Kind::Row || !row->holdsProperty || row->readOnly)
        return;
    const std::optional<Holder> holder = holderOfRow(caption);
    const QString value = trimWhiteVar(storableText(caption, holder ? sheet.holder(*holder)
                                                                     : row->value));
    const QString key = propertyKey(caption, node);
    const QString stored = getKey(key);
    // A row still showing the stored value flat has not been edited.
    if (value == trimWhiteVar(stored) || (!holder && row->shownFlat && value == flatText(stored)))
        return;
    setKey(key, value, true);
    runIfAutoRun();
}

} // namespace

QString withoutListSeparators(QString text)
{
    text.removeIf([](QChar c) { return c.unicode() >= 14 && c.unicode() <= 16; });
    return text;
}

QString storableText(const QString &caption, const QString &value)
{
    QString text = value;
    text.removeIf([](QChar c) { return c.unicode() >= 2 && c.unicode() <= 5; });
    return isPackedList(caption) ? text : withoutListSeparators(text);
}

bool putIntoRow(const QString &caption, const QString &value)
{
    PropertySheet &sheet = currentSheet();
    SheetItem *item = sheet.layout.findItem(caption);
    if (item && item->restrictToList && !item->choices.contains(value))
        return false;
    if (!selectSheetRow(caption))
        return false;
    if (const std::optional<Holder> holder = holderOfRow(caption))
        sheet.holder(*holder) = value;
    else {
        item->value = value;
        item->shownFlat = false;
    }
    return true;
}

void updateProps()
{
    const PropertySheet &sheet = currentSheet();
    if (sheet.currentElement.isEmpty())
        return;
    if (const StructureTree::Node *shown = workspace().current().tree.find(sheet.currentElement))
        commitRow(*shown);
}

void commitOnFocusLoss()
{
    const TableDocument &doc = workspace().current();
    if (!currentSheet().isLoading && !doc.xmlPath.isEmpty())
        updateProps();
}
