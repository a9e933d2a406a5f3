#include "publishing/gui/xml_tree_copy.h"

#include "designer/gui/xml_document_window.h"
#include "designer/xpath_of_node.h"
#include "documents/workspace.h"

namespace {

XmlDocumentWindow *currentXmlWindow()
{
    return dynamic_cast<XmlDocumentWindow *>(workspace().currentViews().parser);
}

QString xpathOf(const XmlTreeModel &model, const QModelIndex &index)
{
    const int node = model.nodeOf(index);
    if (node < 0 || !model.tree())
        return {};
    return xpathOfNode(*model.tree(), node);
}

} // namespace

QString currentTableXpath()
{
    XmlDocumentWindow *window = currentXmlWindow();
    return window ? xpathOf(window->treeModel(), window->tree()->currentIndex()) : QString();
}

XmlTreeCopy::XmlTreeCopy(QWidget *parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::MoveAction);
    setAcceptDrops(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setModel(&items);
}

void XmlTreeCopy::copyCurrentTable()
{
    XmlDocumentWindow *window = currentXmlWindow();
    items.setTree(nullptr);
    if (window)
        copyTree(window->treeModel(), items);
    const QModelIndex root = items.index(0, 0);
    if (!root.isValid())
        return;
    expand(root);
    if (const QModelIndex first = items.index(0, 0, root); first.isValid())
        expand(first);
}

QString XmlTreeCopy::selectedXpath() const { return xpathOf(items, currentIndex()); }
