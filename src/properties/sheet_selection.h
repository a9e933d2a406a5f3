#pragma once

#include "documents/structure_tree.h"

#include <QString>

// The selected node of the current slot's structure tree and the selected row of its
// property sheet (the document's selectedPropertyCaption).

// nullptr when no node is selected.
const StructureTree::Node *selectedNode();

// Selects the row (or group) with this caption anywhere on the current sheet; false, and
// the selection unchanged, when the sheet has none. The window is not told.
bool selectSheetRow(const QString &caption);
// Has the sheet window show the selected row.
void showSelectedRow();
// selectSheetRow, then the window shows the row.
bool selectProperty(const QString &caption);
