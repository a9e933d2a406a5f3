#pragma once

#include "documents/structure_tree.h"

// The selected node of the current slot's structure tree (its selectedNodeKey).

// nullptr when no node is selected.
StructureTree::Node *selectedNode();
// The column the selection belongs to: the Table node, a column, or an attribute's
// column; null with nothing selected.
StructureTree::Node *currentColumn();
// Selects a node in the model and in the table window.
void selectTreeNode(const QString &key);
