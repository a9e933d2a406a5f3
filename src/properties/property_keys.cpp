#include "properties/property_keys.h"

#include "documents/column_types.h"

const StructureTree::Node &columnOf(const StructureTree::Node &node)
{
    return nodeKind(node) == NodeKind::Attribute && node.parent ? *node.parent : node;
}

QString propertyOwner(const StructureTree::Node &node)
{
    if (nodeKind(node) != NodeKind::Attribute)
        return node.text;
    return columnOf(node).text + QChar('@') + node.text;
}

QString propertyKey(const QString &caption, const StructureTree::Node &node)
{
    return caption + QChar('-') + propertyOwner(node);
}
