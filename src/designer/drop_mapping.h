#pragma once

#include "documents/once_only_tips.h"

#include <QString>

// Dragging on the structure tree and dropping onto it: "|" and a column's key moves that
// column; an absolute Xpath maps XML onto the table's rows or onto an attribute.

extern const TipText xslCodeDisabledTip;

// What a drag started on the structure tree carries: "|" and the key of the selected
// node's column; "" with nothing selected.
QString dragText();

// While a drag hovers at height y over a tree of height h (both in twips): -1 scrolls up
// (in the 100 twips at the top), 1 scrolls down (in the 200 twips at the bottom), 0 not.
int dragScrollDirection(double yTwips, double heightTwips);

// A drop of text on the node with this key ("" for no node under the pointer). Text that
// is neither "|" and a column's key nor an Xpath ("/..." on one line) does nothing.
void dropOnTree(const QString &text, const QString &key);
// Maps an Xpath onto the attribute with this key; the first mapping of a table without
// rows also becomes the table's Xpath.
void mapXmlToAttribute(const QString &xpath, const QString &key);
