#pragma once

#include <QHash>
#include <QString>
#include <list>

// A table's settings as an ordered list of key -> value entries under the root entry
// "Properties". Entries keep the order of their first addition; lookups go by key.
class PropertyStore {
public:
    struct Entry {
        QString key;
        QString text;
    };
    using Entries = std::list<Entry>;

    static inline const QString rootKey = QStringLiteral("Properties");

    PropertyStore();
    PropertyStore(const PropertyStore &other);
    PropertyStore &operator=(const PropertyStore &other);

    // Empties the store and gives it a fresh root.
    void clear();
    // Writes the value; a missing key is appended at the end.
    void set(const QString &key, const QString &value);
    // The value, "" when missing.
    QString value(const QString &key) const;
    bool contains(const QString &key) const;
    // Removes the entry; the root stays.
    void remove(const QString &key);
    // Gives an entry a new key in its place; false when the old key is missing, the new
    // one is taken, or either is the root.
    bool rename(const QString &oldKey, const QString &newKey);

    // Root first, then the other entries in order.
    const Entries &entries() const { return list; }
    qsizetype size() const { return qsizetype(list.size()); }

private:
    void reindex();

    Entries list;
    QHash<QString, Entries::iterator> index;
};
