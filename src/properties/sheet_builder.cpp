#include "properties/sheet_builder.h"

#include "documents/path_helpers.h"
#include "documents/table_document.h"
#include "properties/called_table_interface.h"
#include "properties/property_catalogue.h"
#include "properties/property_keys.h"

namespace {

const QString callTable = QStringLiteral("Call Table");
const QString xslCodeType = QStringLiteral("XSL Code");
const QString trueText = QStringLiteral("True");

bool isCalledTable(const SheetContext &context)
{
    return context.columnType == callTable && context.attributeName == QLatin1String("table");
}

bool isShown(Shown shown, const SheetContext &context)
{
    switch (shown) {
    case Shown::Always:
        return true;
    case Shown::ColumnOfTypeText:
        return context.columnType == QLatin1String("Text");
    case Shown::ColumnOfTypeXslCode:
        return context.columnType == xslCodeType;
    case Shown::XslCalculated:
        return context.xslCalculated == trueText;
    case Shown::CalledTable:
        return isCalledTable(context);
    case Shown::CallInterface:
        return isCalledTable(context) && context.calledTableHasInterface;
    case Shown::MappedAttribute:
        return !isCalledTable(context);
    case Shown::XslRows:
        return !isCalledTable(context) &&
               !(context.columnType == QLatin1String("Text (HTML segment)") &&
                 context.attributeName == QLatin1String("value"));
    case Shown::XslCalculatedChoice:
        return context.columnType != xslCodeType;
    case Shown::XslCalculatedFixed:
        return context.columnType == xslCodeType;
    case Shown::InputXml:
        return context.columnType == callTable &&
               context.attributeName == QLatin1String("inputXML");
    }
    return false;
}

SheetItem itemOf(const CatalogueItem &entry, const SheetContext &context)
{
    const ItemTraits &traits = entry.traits;
    SheetItem item;
    item.kind = entry.kind;
    item.caption = QLatin1String(entry.caption);
    item.value = QLatin1String(traits.initial);
    item.help = QLatin1String(entry.help);
    item.style = entry.style;
    item.restrictToList = entry.style == EditStyle::List && !traits.freeList;
    if (*entry.choices)
        item.choices = QString::fromLatin1(entry.choices).split(QChar('|'));
    item.readOnly = traits.readOnly || entry.kind == SheetItem::Kind::Group;
    item.holdsProperty = entry.kind == SheetItem::Kind::Row && !traits.noProperty;
    if (traits.computed == Computed::TypeDescriptionHelp)
        item.help = typeDescription(context.columnType);
    else if (traits.computed == Computed::MappingValue)
        item.value = context.mapping;
    return item;
}

// Adds the entries from pos on that stand at this depth, each with the entries below it,
// to parent; an entry not shown takes the entries below it along.
void addLevel(std::span<const CatalogueItem> entries, size_t &pos, int depth, SheetItem &parent,
              const SheetContext &context)
{
    while (pos < entries.size() && entries[pos].depth == depth) {
        const CatalogueItem &entry = entries[pos++];
        if (!isShown(entry.traits.shown, context)) {
            while (pos < entries.size() && entries[pos].depth > depth)
                ++pos;
            continue;
        }
        SheetItem &item = parent.children.emplace_back(itemOf(entry, context));
        addLevel(entries, pos, depth + 1, item, context);
    }
}

// Where a column's required attribute takes its value from.
QString mappingOf(const PropertyStore &store, const QString &column, const QString &type)
{
    const QString owner = column + QChar('@') + mainAttributeOf(type);
    if (store.value(QStringLiteral("XSL Calculated-") + owner) == trueText)
        return QStringLiteral("XSL Calculated");
    if (type == callTable)
        return QStringLiteral("Table");
    return store.value(QStringLiteral("Xpath-") + owner);
}

} // namespace

SheetContext sheetContextOf(const TableDocument &doc, const StructureTree::Node &node)
{
    SheetContext context;
    context.kind = nodeKind(node);
    const QString column = columnOf(node).text;
    context.columnType = doc.store.value(QStringLiteral("Type-") + column);
    if (context.kind == NodeKind::Column)
        context.mapping = mappingOf(doc.store, column, context.columnType);
    if (context.kind != NodeKind::Attribute)
        return context;
    context.attributeName = node.text;
    context.xslCalculated = doc.store.value(propertyKey(QStringLiteral("XSL Calculated"), node));
    if (isCalledTable(context)) {
        const QString reference = doc.store.value(propertyKey(QStringLiteral("Table"), node));
        context.calledTableHasInterface =
            calledTableHasInterface(reference, getDir(doc.tablePath));
    }
    return context;
}

SheetLayout buildSheet(const SheetContext &context)
{
    const Catalogue &catalogue = catalogueOf(context.kind);
    SheetLayout layout;
    for (const CatalogueVerb &verb : catalogue.verbs) {
        if (isShown(verb.shown, context))
            layout.verbs.push_back({verb.id, QLatin1String(verb.caption)});
    }
    size_t pos = 0;
    addLevel(catalogue.items, pos, 0, layout.category, context);
    return layout;
}
