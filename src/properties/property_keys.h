#pragma once

#include "documents/structure_tree.h"

#include <QString>

// Store keys of the property sheet's rows: the caption, "-" and the owner, which is the
// node's text for the table and a column, and column, "@" and attribute for an attribute.

// The column of a node: the column itself, an attribute's column, or the table root.
const StructureTree::Node &columnOf(const StructureTree::Node &node);
QString propertyOwner(const StructureTree::Node &node);
QString propertyKey(const QString &caption, const StructureTree::Node &node);
