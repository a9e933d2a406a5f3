#pragma once

#include "designer/xml_tree.h"

#include <QAbstractItemModel>
#include <memory>

// The XML tree as an item model: the document node is the single top-level item, and
// items exist only as far as a view asks for them. A drag carries the Xpath of the
// dragged node as plain text and may only move.
class XmlTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    using QAbstractItemModel::QAbstractItemModel;

    // Shows another tree; null shows none.
    void setTree(std::shared_ptr<const XmlTree> tree);
    const std::shared_ptr<const XmlTree> &tree() const { return shown; }

    // The tree node of an item, -1 for none; the item of a tree node.
    int nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(int node) const;
    // The absolute Xpath of the node at an index; "" for no node.
    QString xpathOf(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

private:
    std::shared_ptr<const XmlTree> shown;
};

// Makes the destination show the same tree as the source: the same captions, shape and
// Xpaths.
void copyTree(const XmlTreeModel &source, XmlTreeModel &destination);
