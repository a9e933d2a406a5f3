#include "documents/add_string.h"

AddString::AddString() { lngAllocSize = 1000; }

void AddString::Add(const QString &text)
{
    const qsizetype n = text.size();
    if (n == 0)
        return;
    if (lngUsed + n > lngAllocated) {
        const qsizetype grow = lngAllocSize * ((lngUsed + n - lngAllocated) / lngAllocSize + 1);
        lngAllocated += grow;
    }
    buffer.append(text);
    lngUsed += n;
}

QString AddString::GetStr() const { return buffer; }

void AddString::SetStr(const QString &text)
{
    buffer.clear();
    lngAllocated = 0;
    lngUsed = 0;
    lngAllocSize = 1000;
    Add(text);
}
