#pragma once

// What the model asks of a slot's XML document window.
class XmlTreeView {
public:
    virtual ~XmlTreeView() = default;
    // Loads the slot's XML document into the tree.
    virtual void loadXMLFile() = 0;
};
