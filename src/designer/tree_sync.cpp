#include "designer/tree_sync.h"

#include "documents/views/table_tree_view.h"
#include "documents/workspace.h"
#include "properties/fill_props.h"

void refreshTableWindow()
{
    if (TableTreeView *rep = workspace().currentViews().rep) {
        rep->showTree();
        rep->selectNode(workspace().current().selectedNodeKey);
    }
}

void showTreeSelecting(const QString &key)
{
    workspace().current().selectedNodeKey = key;
    refreshTableWindow();
}

void showTreeAfterDelete(const QString &key)
{
    showTreeSelecting(key);
    fillProps();
}

void refillPropertySheet()
{
    if (TableTreeView *rep = workspace().currentViews().rep)
        rep->fillProps();
}
