#pragma once

#include <QString>

// What the model asks of a slot's table window.
class TableTreeView {
public:
    virtual ~TableTreeView() = default;
    // Rebuilds the property sheet for the selected node.
    virtual void fillProps() = 0;
    // Acts as a click on the selected node.
    virtual void doTClick() = 0;
    // Rebuilds the tree from the slot's structure tree, every node made visible.
    virtual void showTree() = 0;
    // Selects the node with this key (the slot's selectedNodeKey) and shows it.
    virtual void selectNode(const QString &key) = 0;
    // Scrolls the tree fully left.
    virtual void scrollLeft() = 0;

    // Menu commands; a window without one ignores the call.
    virtual void addit_Click() {}    // new column
    virtual void removeit_Click() {} // delete column
    virtual void ren_Click() {}      // rename column
    virtual void badd_Click() {}     // new attribute
    virtual void bdel_Click() {}     // delete attribute
    virtual void edX_Click() {}      // edit attribute
    virtual void mup_Click() {}      // move column up
    virtual void mdown_Click() {}    // move column down
};
