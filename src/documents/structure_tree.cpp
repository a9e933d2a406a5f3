#include "documents/structure_tree.h"

#include <algorithm>

StructureTree::Node::~Node()
{
    std::vector<std::unique_ptr<Node>> pending = std::move(children);
    while (!pending.empty()) {
        std::unique_ptr<Node> node = std::move(pending.back());
        pending.pop_back();
        for (auto &child : node->children)
            pending.push_back(std::move(child));
        node->children.clear();
    }
}

StructureTree::StructureTree(const StructureTree &other) { copyFrom(other); }

StructureTree &StructureTree::operator=(const StructureTree &other)
{
    if (this != &other)
        copyFrom(other);
    return *this;
}

void StructureTree::copyFrom(const StructureTree &other)
{
    clear();
    other.forEach([this](const Node &node) {
        Node *added = add(node.parent ? node.parent->key : QString(), node.key, node.text);
        added->image = node.image;
    });
}

void StructureTree::clear()
{
    roots.clear();
    index.clear();
}

void StructureTree::reset()
{
    clear();
    add(QString(), tableKey, tableKey);
}

std::vector<std::unique_ptr<StructureTree::Node>> &StructureTree::siblingsOf(Node *parent)
{
    return parent ? parent->children : roots;
}

StructureTree::Node *StructureTree::add(const QString &parentKey, const QString &key,
                                        const QString &text, int position)
{
    if (index.contains(key))
        return nullptr;
    Node *parent = nullptr;
    if (!parentKey.isEmpty()) {
        parent = find(parentKey);
        if (!parent)
            return nullptr;
    }
    auto node = std::make_unique<Node>();
    node->key = key;
    node->text = text;
    node->parent = parent;
    Node *raw = node.get();
    auto &siblings = siblingsOf(parent);
    const auto at = position < 0 || size_t(position) > siblings.size()
                        ? siblings.end()
                        : siblings.begin() + position;
    siblings.insert(at, std::move(node));
    index.insert(key, raw);
    return raw;
}

StructureTree::Node *StructureTree::find(const QString &key) const
{
    return index.value(key, nullptr);
}

void StructureTree::unindexSubtree(Node *node)
{
    forEachBelow(*node, [this](const Node &each) { index.remove(each.key); });
}

bool StructureTree::remove(const QString &key)
{
    Node *node = find(key);
    if (!node)
        return false;
    unindexSubtree(node);
    auto &siblings = siblingsOf(node->parent);
    siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                                [node](const auto &s) { return s.get() == node; }));
    return true;
}

bool StructureTree::move(const QString &key, const QString &newParentKey, int position)
{
    Node *node = find(key);
    Node *newParent = newParentKey.isEmpty() ? nullptr : find(newParentKey);
    if (!node || (!newParentKey.isEmpty() && !newParent))
        return false;
    for (Node *up = newParent; up; up = up->parent) {
        if (up == node)
            return false; // a node cannot move below itself
    }
    auto &from = siblingsOf(node->parent);
    auto it = std::find_if(from.begin(), from.end(),
                           [node](const auto &s) { return s.get() == node; });
    std::unique_ptr<Node> owned = std::move(*it);
    from.erase(it);
    node->parent = newParent;
    auto &to = siblingsOf(newParent);
    const auto at = position < 0 || size_t(position) > to.size() ? to.end() : to.begin() + position;
    to.insert(at, std::move(owned));
    return true;
}

bool StructureTree::rekey(const QString &oldKey, const QString &newKey)
{
    Node *node = find(oldKey);
    if (!node || (oldKey != newKey && index.contains(newKey)))
        return false;
    index.remove(oldKey);
    node->key = newKey;
    index.insert(newKey, node);
    return true;
}

void StructureTree::forEachBelow(const Node &top, const std::function<void(const Node &)> &visit)
{
    std::vector<const Node *> pending{&top};
    while (!pending.empty()) {
        const Node *node = pending.back();
        pending.pop_back();
        visit(*node);
        for (auto child = node->children.rbegin(); child != node->children.rend(); ++child)
            pending.push_back(child->get());
    }
}

void StructureTree::forEach(const std::function<void(const Node &)> &visit) const
{
    for (const auto &top : roots)
        forEachBelow(*top, visit);
}
