#pragma once

// What the model asks of a slot's XML document window. The menu commands have empty
// defaults: a window without such a member ignores the call.
class XmlTreeView {
public:
    virtual ~XmlTreeView() = default;
    // Loads the slot's XML document into the tree.
    virtual void loadXMLFile() = 0;
    // Asks for an XML file (or takes the preset one) and loads it.
    virtual void cmdBrowse_Click() {}
    // Maps the selected element to a new column.
    virtual void makeit_Click() {}
};
