#pragma once

#include <QString>

// Keeps the current slot's table window in line with its model.

// The table window shows the model's tree and selection again.
void refreshTableWindow();
// After a change of the tree: selects the node and shows the tree again.
void showTreeSelecting(const QString &key);
// The property sheet is rebuilt for the selected node (through the table window).
void refillPropertySheet();
