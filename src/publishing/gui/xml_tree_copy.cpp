#include "publishing/gui/xml_tree_copy.h"

#include "designer/gui/xml_document_window.h"
#include "documents/views/xml_tree_view.h"
#include "documents/workspace.h"

namespace {

XmlDocumentWindow *currentXmlWindow()
{
    return dynamic_cast<XmlDocumentWindow *>(workspace().currentViews().parser);
}

} // namespace

QString currentTableXpath()
{
    const XmlTreeView *parser = workspace().currentViews().parser;
    return parser ? parser->selectedXpath() : QString();
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

QString XmlTreeCopy::selectedXpath() const { return items.xpathOf(currentIndex()); }
