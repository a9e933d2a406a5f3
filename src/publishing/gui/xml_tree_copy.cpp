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
    if (!items.tree())
        return;
    expand(items.indexOf(XmlTree::documentNode));
    if (const int element = items.tree()->documentElement(); element >= 0)
        expand(items.indexOf(element));
}

QString XmlTreeCopy::selectedXpath() const { return items.xpathOf(currentIndex()); }
