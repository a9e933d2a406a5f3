#pragma once

#include "designer/xml_tree_model.h"

#include <QTreeView>

// A dialog's own copy of the current table's XML tree: the node under the pointer is
// selected, a drag carries its absolute Xpath as plain text (move only), nothing can be
// dropped on it.
class XmlTreeCopy : public QTreeView {
    Q_OBJECT
public:
    explicit XmlTreeCopy(QWidget *parent = nullptr);

    // Shows the tree of the current slot's XML document window (none without one), with
    // the document node and its element expanded.
    void copyCurrentTable();
    // The absolute Xpath of the selected node; "" with none.
    QString selectedXpath() const;
    XmlTreeModel &treeModel() { return items; }

private:
    XmlTreeModel items;
};

// The absolute Xpath of the node selected in the current table's XML document window; ""
// without one.
QString currentTableXpath();
