#include "publishing/ftp_entries.h"

clsItem &colItem::Add(const QString &name, quint32 attributes)
{
    clsItem &item = items.emplace_back();
    item.Name(name);
    item.Attributes(attributes);
    return item;
}

int colItem::Remove(int position)
{
    if (position < 1 || position > Count())
        return -1;
    items.erase(items.begin() + (position - 1));
    return 0;
}
