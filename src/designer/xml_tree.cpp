#include "designer/xml_tree.h"

#include <algorithm>

QString XmlTree::caption(int node) const
{
    if (node == documentNode)
        return documentCaption;
    const Node &n = nodes[size_t(node)];
    return QString::fromUtf8(captions.data() + n.captionStart, n.captionLength);
}

QString XmlTree::shortCaption(int node, qsizetype maxChars) const
{
    if (node == documentNode)
        return documentCaption;
    const Node &n = nodes[size_t(node)];
    constexpr qsizetype maxUtf8Bytes = 4; // per character
    const qsizetype decoded = std::min<qsizetype>(n.captionLength, (maxChars + 1) * maxUtf8Bytes);
    const QString text = QString::fromUtf8(captions.data() + n.captionStart, decoded);
    if (text.size() <= maxChars)
        return text;
    return text.left(maxChars) + QChar(0x2026);
}

int XmlTree::documentElement() const
{
    const QString doctype = QStringLiteral("DOCTYPE ");
    for (int row = 0; row < childCount(documentNode); ++row) {
        const int node = child(documentNode, row);
        const QString start = shortCaption(node, doctype.size());
        if (!start.startsWith(QChar('<')) && !start.startsWith(doctype))
            return node;
    }
    return -1;
}

XmlTreeBuilder::XmlTreeBuilder(const QString &documentCaption)
{
    tree.documentCaption = documentCaption;
    tree.nodes.emplace_back();
}

int XmlTreeBuilder::add(int parent)
{
    XmlTree::Node node;
    node.parent = parent;
    node.row = tree.nodes[size_t(parent)].childCount++;
    tree.nodes.push_back(node);
    return int(tree.nodes.size()) - 1;
}

void XmlTreeBuilder::setCaption(int node, const std::string &utf8)
{
    XmlTree::Node &n = tree.nodes[size_t(node)];
    n.captionStart = qint64(tree.captions.size());
    n.captionLength = qint32(utf8.size());
    tree.captions += utf8;
}

XmlTree XmlTreeBuilder::finish()
{
    qint32 next = 0;
    for (XmlTree::Node &node : tree.nodes) {
        node.childStart = next;
        next += node.childCount;
    }
    tree.children.assign(size_t(next), 0);
    for (size_t id = 1; id < tree.nodes.size(); ++id) {
        const XmlTree::Node &node = tree.nodes[id];
        tree.children[size_t(tree.nodes[size_t(node.parent)].childStart + node.row)] = qint32(id);
    }
    tree.captions.shrink_to_fit();
    return std::move(tree);
}
