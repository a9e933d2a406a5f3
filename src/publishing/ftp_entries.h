#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

// One entry of an FTP directory listing: a name and its attribute bits, which have the
// values of the Windows file attributes.
class clsItem {
public:
    static constexpr quint32 readOnly = 0x1;
    static constexpr quint32 hidden = 0x2;
    static constexpr quint32 system = 0x4;
    static constexpr quint32 directory = 0x10;
    static constexpr quint32 archive = 0x20;
    static constexpr quint32 normal = 0x80;
    static constexpr quint32 temporary = 0x100;
    static constexpr quint32 compressed = 0x800;
    static constexpr quint32 offline = 0x1000;

    const QString &Name() const { return name; }
    void Name(const QString &value) { name = value; }
    quint32 Attributes() const { return attributes; }
    void Attributes(quint32 value) { attributes = value; }

    bool IsReadOnly() const { return has(readOnly); }
    bool IsHidden() const { return has(hidden); }
    bool IsSystem() const { return has(system); }
    bool IsDirectory() const { return has(directory); }
    bool IsArchive() const { return has(archive); }
    bool IsNormal() const { return has(normal); }
    bool IsTemporary() const { return has(temporary); }
    bool IsCompressed() const { return has(compressed); }
    bool IsOffline() const { return has(offline); }

private:
    bool has(quint32 bit) const { return (attributes & bit) != 0; }

    QString name;
    quint32 attributes = 0;
};

// The entries of a listing in the order they were added, positions counted from 1. Names
// that differ only in letter case are separate entries (a server on a case-sensitive file
// system lists both).
class colItem {
public:
    clsItem &Add(const QString &name, quint32 attributes);
    void Clear() { items.clear(); }
    int Count() const { return int(items.size()); }
    // 0 when removed; -1 for a position outside 1..Count, which changes nothing.
    int Remove(int position);
    // The entry at a position from 1 to Count.
    const clsItem &Item(int position) const { return items.at(size_t(position - 1)); }

private:
    std::vector<clsItem> items;
};
