#pragma once

#include <QString>
#include <QtGlobal>
#include <string>
#include <vector>

// The XML tree of a parsed document, compact and read-only: one node for the document,
// then one for every element, attribute and other document node, text folded into its
// element's caption. Node 0 is the document node; a node's children are reached by row.
class XmlTree {
public:
    static constexpr int documentNode = 0;

    int nodeCount() const { return int(nodes.size()); }
    QString caption(int node) const;
    // The caption cut after maxChars characters, "…" marking the cut; only that much of a
    // long caption is decoded.
    QString shortCaption(int node, qsizetype maxChars) const;
    // The document's element among the document node's children, past the declaration,
    // comments, processing instructions and the DOCTYPE; -1 with none.
    int documentElement() const;
    // -1 for the document node.
    int parent(int node) const { return nodes[size_t(node)].parent; }
    int row(int node) const { return nodes[size_t(node)].row; }
    int childCount(int node) const { return nodes[size_t(node)].childCount; }
    int child(int node, int row) const
    {
        return children[size_t(nodes[size_t(node)].childStart + row)];
    }

private:
    friend class XmlTreeBuilder;

    struct Node {
        qint32 parent = -1;
        qint32 row = 0;
        qint32 childCount = 0;
        qint32 childStart = 0;
        qint64 captionStart = 0; // UTF-8 bytes in captions
        qint32 captionLength = 0;
    };

    QString documentCaption;
    std::vector<Node> nodes;
    std::vector<qint32> children; // each node's children, contiguous, in order
    std::string captions;
};

// Builds an XmlTree node by node, parents before children.
class XmlTreeBuilder {
public:
    // Starts the tree with the document node and its caption.
    explicit XmlTreeBuilder(const QString &documentCaption);
    // Adds a node as the last child of parent; its caption follows later when pending.
    int add(int parent);
    void setCaption(int node, const std::string &utf8);
    // Lays out the children lists; the builder is spent afterwards.
    XmlTree finish();

private:
    XmlTree tree;
};
