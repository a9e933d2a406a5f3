#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// A table's structure: the root "Table", its columns in display order, and each
// column's attributes. Every node has a key unique in the tree, a text and an image key.
class StructureTree {
public:
    struct Node {
        Node() = default;
        // Frees the subtree below without recursion, however deep it is.
        ~Node();
        Node(const Node &) = delete;
        Node &operator=(const Node &) = delete;

        QString key;
        QString text;
        QString image;
        Node *parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;
    };

    static inline const QString tableKey = QStringLiteral("Table");

    StructureTree() = default;
    StructureTree(const StructureTree &other);
    StructureTree &operator=(const StructureTree &other);

    // Removes every node.
    void clear();
    // Removes every node and adds the root "Table".
    void reset();

    // Adds a node under parentKey ("" for a top-level node) at position (-1: last).
    // Returns nullptr when the key is taken or the parent is missing.
    Node *add(const QString &parentKey, const QString &key, const QString &text,
              int position = -1);
    Node *find(const QString &key) const;
    // Removes a node with everything below it.
    bool remove(const QString &key);
    // Moves a node (with its subtree) under another parent at a position.
    bool move(const QString &key, const QString &newParentKey, int position = -1);
    // Gives a node a new key; false when the new key is taken.
    bool rekey(const QString &oldKey, const QString &newKey);

    const std::vector<std::unique_ptr<Node>> &topLevel() const { return roots; }
    Node *root() const { return find(tableKey); }
    // Every node, parents before children, siblings in order.
    void forEach(const std::function<void(const Node &)> &visit) const;
    int nodeCount() const { return int(index.size()); }

private:
    // The node and everything below it, parents before children; without recursion.
    static void forEachBelow(const Node &top, const std::function<void(const Node &)> &visit);
    std::vector<std::unique_ptr<Node>> &siblingsOf(Node *parent);
    void unindexSubtree(Node *node);
    void copyFrom(const StructureTree &other);

    std::vector<std::unique_ptr<Node>> roots;
    QHash<QString, Node *> index;
};
