#pragma once

#include <QString>

#include "documents/views/window_frame_view.h"

// What the model asks of a slot's table window.
class TableTreeView : public WindowFrameView {
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
};
