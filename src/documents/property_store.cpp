#include "documents/property_store.h"

PropertyStore::PropertyStore() { clear(); }

PropertyStore::PropertyStore(const PropertyStore &other) : list(other.list) { reindex(); }

PropertyStore &PropertyStore::operator=(const PropertyStore &other)
{
    if (this != &other) {
        list = other.list;
        reindex();
    }
    return *this;
}

void PropertyStore::reindex()
{
    index.clear();
    for (auto it = list.begin(); it != list.end(); ++it)
        index.insert(it->key, it);
}

void PropertyStore::clear()
{
    list.clear();
    index.clear();
    list.push_back({rootKey, rootKey});
    index.insert(rootKey, list.begin());
}

void PropertyStore::set(const QString &key, const QString &value)
{
    const auto found = index.constFind(key);
    if (found != index.constEnd()) {
        found.value()->text = value;
        return;
    }
    list.push_back({key, value});
    index.insert(key, std::prev(list.end()));
}

QString PropertyStore::value(const QString &key) const
{
    const auto found = index.constFind(key);
    return found == index.constEnd() ? QString() : found.value()->text;
}

bool PropertyStore::contains(const QString &key) const { return index.contains(key); }

void PropertyStore::remove(const QString &key)
{
    if (key == rootKey)
        return;
    const auto found = index.find(key);
    if (found == index.end())
        return;
    list.erase(found.value());
    index.erase(found);
}

bool PropertyStore::rename(const QString &oldKey, const QString &newKey)
{
    if (oldKey == rootKey || newKey == rootKey || index.contains(newKey))
        return false;
    const auto found = index.find(oldKey);
    if (found == index.end())
        return false;
    const Entries::iterator entry = found.value();
    index.erase(found);
    entry->key = newKey;
    index.insert(newKey, entry);
    return true;
}
