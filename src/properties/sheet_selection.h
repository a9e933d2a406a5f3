#pragma once

#include "documents/tree_selection.h"

#include <QString>

// The selected node of the current slot's structure tree and the selected row of its
// property sheet (the document's selectedPropertyCaption).

// Selects the row (or group) with this caption anywhere on the current sheet; false, and
// the selection unchanged, when the sheet has none. The window is not told.
bool selectSheetRow(const QString &caption);
// Has the sheet window show the selected row.
void showSelectedRow();
// selectSheetRow, then the window shows the row.
bool selectProperty(const QString &caption);
