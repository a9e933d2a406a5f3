#pragma once

#include "documents/views/window_frame_view.h"

// What the model asks of a slot's XML document window.
class XmlTreeView : public WindowFrameView {
public:
    virtual ~XmlTreeView() = default;
    // Loads the slot's XML document into the tree.
    virtual void loadXMLFile() = 0;
    // Selects the tree node with this index and scrolls it into view; a missing node
    // selects nothing.
    virtual void selectNodeIndex(int index) = 0;
    // Scrolls the tree fully left.
    virtual void scrollLeft() = 0;
};
