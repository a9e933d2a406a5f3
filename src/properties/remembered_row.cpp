#include "properties/remembered_row.h"

#include "documents/column_types.h"
#include "documents/workspace.h"
#include "properties/property_keys.h"
#include "properties/sheet_selection.h"

namespace {

QString rememberedKey(const StructureTree::Node &node)
{
    return QStringLiteral("Currently selected property-") + node.text;
}

QString defaultRow(const StructureTree::Node &node, const PropertyStore &store)
{
    switch (nodeKind(node)) {
    case NodeKind::Column:
        return QStringLiteral("Type");
    case NodeKind::Attribute:
        if (store.value(propertyKey(QStringLiteral("XSL Calculated"), node)) ==
            QLatin1String("True"))
            return QStringLiteral("XSL Code");
        break;
    case NodeKind::Table:
        break;
    }
    return QStringLiteral("Xpath");
}

} // namespace

void rememberProperty()
{
    TableDocument &doc = workspace().current();
    const StructureTree::Node *node = selectedNode();
    if (node && !doc.selectedPropertyCaption.isEmpty())
        doc.store.set(rememberedKey(*node), doc.selectedPropertyCaption);
}

void restoreRememberedRow()
{
    const StructureTree::Node *node = selectedNode();
    if (!node)
        return;
    const PropertyStore &store = workspace().current().store;
    const QString remembered = store.value(rememberedKey(*node));
    if (!remembered.isEmpty() && selectSheetRow(remembered))
        return;
    selectSheetRow(defaultRow(*node, store));
}
