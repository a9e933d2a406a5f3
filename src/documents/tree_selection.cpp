#include "documents/tree_selection.h"

#include "documents/views/table_tree_view.h"
#include "documents/workspace.h"

StructureTree::Node *selectedNode()
{
    TableDocument &doc = workspace().current();
    return doc.selectedNodeKey.isEmpty() ? nullptr : doc.tree.find(doc.selectedNodeKey);
}

StructureTree::Node *currentColumn()
{
    StructureTree::Node *node = selectedNode();
    while (node && node->parent && node->parent->parent)
        node = node->parent;
    return node;
}

void selectTreeNode(const QString &key)
{
    workspace().current().selectedNodeKey = key;
    if (TableTreeView *rep = workspace().currentViews().rep)
        rep->selectNode(key);
}
