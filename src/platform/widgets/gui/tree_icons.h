#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

// The image list `ImageList1`: the 14 icons of the structure tree and of the column
// types, by key ("attribute", "requiredAttribute", the eleven column types, "Table").

// Empties the list and loads the icons in their fixed order.
void loadTreeIcons();
// The icon of a key; a null icon for an unknown key or before loading.
QIcon treeIcon(const QString &key);
// The keys in the order the icons were added.
QStringList treeIconKeys();
