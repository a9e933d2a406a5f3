#pragma once

#include <QString>

// Keeps the current slot's table window in line with its model.

// The table window shows the model's tree and selection again.
void refreshTableWindow();
// After a change of the tree: selects the node and shows the tree again.
void showTreeSelecting(const QString &key);
// After a delete: selects the node (none for "") and shows the tree and the sheet of the
// selection again, so no deleted node is left on the sheet.
void showTreeAfterDelete(const QString &key);
// The property sheet is rebuilt for the selected node (through the table window).
void refillPropertySheet();
