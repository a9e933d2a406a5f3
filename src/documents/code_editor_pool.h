#pragma once

#include <QString>
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
