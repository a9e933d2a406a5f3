#pragma once

#include "documents/structure_tree.h"

#include <QString>
#include <QStringList>

class PropertyStore;

// The eleven column types in the order the program lists them.
const QStringList &columnTypeNames();
// The attribute a column type requires; "" for a name that is no column type.
QString mainAttributeOf(const QString &type);
// The one-line description of a column type; "" for any other name.
QString typeDescription(const QString &type);
// The image keys of the structure tree: "Table", the eleven types, "requiredAttribute"
// and "attribute".
const QStringList &treeImageKeys();

enum class NodeKind { Table, Column, Attribute };
// Decided by texts: the node whose text is "Table" is the table, a node whose parent's
// text is "Table" is a column, any other node is an attribute.
NodeKind nodeKind(const StructureTree::Node &node);
QString nodeKindName(NodeKind kind);

// Sets the node's image from its kind and the stored column type.
void setNodeIcon(StructureTree::Node &node, const PropertyStore &store);

// True when the node text, trimmed and cut before its first "=", equals the trimmed name.
bool nodeNameIs(const QString &nodeText, const QString &name);

// Letters, digits and underscore, not starting with a digit. Unless silent, the reason
// for refusing is shown to the user.
bool isValidName(const QString &name, bool silent);

// The first of column1, column2, ... that no column bears.
QString nextColumnName(const StructureTree &tree);
