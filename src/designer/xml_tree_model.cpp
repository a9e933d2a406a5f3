#include "designer/xml_tree_model.h"

#include "designer/xpath_of_node.h"

#include <QMimeData>

namespace {

// A long text is shown and tipped only this far: a whole text of megabytes would stall
// every repaint.
constexpr qsizetype shownCaptionChars = 1000;

} // namespace

void XmlTreeModel::setTree(std::shared_ptr<const XmlTree> tree)
{
    beginResetModel();
    shown = std::move(tree);
    endResetModel();
}

int XmlTreeModel::nodeOf(const QModelIndex &index) const
{
    return shown && index.isValid() ? int(index.internalId()) : -1;
}

QModelIndex XmlTreeModel::indexOf(int node) const
{
    if (!shown || node < 0 || node >= shown->nodeCount())
        return {};
    return createIndex(node == XmlTree::documentNode ? 0 : shown->row(node), 0, quintptr(node));
}

QString XmlTreeModel::xpathOf(const QModelIndex &index) const
{
    const int node = nodeOf(index);
    return node < 0 ? QString() : xpathOfNode(*shown, node);
}

QModelIndex XmlTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    if (!parent.isValid())
        return indexOf(XmlTree::documentNode);
    return createIndex(row, column, quintptr(shown->child(nodeOf(parent), row)));
}

QModelIndex XmlTreeModel::parent(const QModelIndex &child) const
{
    const int node = nodeOf(child);
    return node < 0 ? QModelIndex() : indexOf(shown->parent(node));
}

int XmlTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!shown)
        return 0;
    return parent.isValid() ? shown->childCount(nodeOf(parent)) : 1;
}

int XmlTreeModel::columnCount(const QModelIndex &) const { return 1; }

QVariant XmlTreeModel::data(const QModelIndex &index, int role) const
{
    const int node = nodeOf(index);
    if (node < 0 || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return shown->shortCaption(node, shownCaptionChars);
}

Qt::ItemFlags XmlTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList XmlTreeModel::mimeTypes() const { return {QStringLiteral("text/plain")}; }

QMimeData *XmlTreeModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty() || nodeOf(indexes.first()) < 0)
        return nullptr;
    auto *data = new QMimeData;
    data->setText(xpathOf(indexes.first()));
    return data;
}

Qt::DropActions XmlTreeModel::supportedDragActions() const { return Qt::MoveAction; }

void copyTree(const XmlTreeModel &source, XmlTreeModel &destination)
{
    destination.setTree(source.tree());
}
