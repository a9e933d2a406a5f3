#pragma once

#include <QString>

// What the model asks of a slot's XML document window.
class XmlTreeView {
public:
    virtual ~XmlTreeView() = default;
    // Loads the slot's XML document into the tree.
    virtual void loadXMLFile() = 0;
    // Selects the tree node with this index and scrolls it into view; a missing node
    // selects nothing.
    virtual void selectNodeIndex(int index) = 0;
    // Scrolls the tree fully left.
    virtual void scrollLeft() = 0;
    // A load has ended: shows the document, its path and caption as they are now.
    virtual void showLoaded() {}
    // Shows the button that maps the selected element to a new column.
    virtual void showMakeit(bool) {}
    // The absolute Xpath of the selected element; "" for none.
    virtual QString selectedXpath() const { return {}; }
    // Menu commands; a window without one ignores the call.
    // Asks for an XML file (or takes the preset one) and loads it.
    virtual void cmdBrowse_Click() {}
    // Maps the selected element to a new column.
    virtual void makeit_Click() {}
};
