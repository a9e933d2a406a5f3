#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The pool of code editors shared by all slots (Workspace::xslEditForms).

// The pool index of the editor for this element and kind of code in the current slot:
// the first entry that matches, else the lowest free entry, taken for them and sized to
// 385 by 225 pixels (not shown). -1 when nothing matches and every entry is taken.
int getXslEditor(const QString &element, const QString &kind);

// The pool indexes of the editors owned by a slot, in pool order.
std::vector<int> slotEditors(int slot);

// Frees the editors owned by a slot whose table is closing: their windows are hidden and
// the entries become free for any slot.
void releaseSlotEditors(int slot);

// The editors of a slot's node follow it when it is renamed.
void rekeyNodeEditors(int slot, const QString &oldKey, const QString &newKey);

// Frees the editors of a slot's nodes that are deleted, so that none saves into a later
// node of the same name.
void releaseNodeEditors(int slot, const QStringList &keys);
