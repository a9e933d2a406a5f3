#pragma once

#include <QString>

// Growable text buffer for long texts (table files, stylesheets, replacements). The
// reserved size is counted in whole steps of lngAllocSize characters; the storage
// underneath grows geometrically so that building a text stays linear.
class AddString {
public:
    AddString();

    void Add(const QString &text);
    QString GetStr() const;
    void SetStr(const QString &text);

    qsizetype lngAllocated = 0;
    qsizetype lngUsed = 0;
    qsizetype lngAllocSize = 1000;

private:
    QString buffer;
};
