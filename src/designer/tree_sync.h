#pragma once

#include <QString>

// Keeps the current slot's table window in line with its model.

// Selects a node in the model and in the table window, and shows it.
void selectTreeNode(const QString &key);
// The table window shows the model's tree and selection again.
void refreshTableWindow();
// After a change of the tree: selects the node and shows the tree again.
void showTreeSelecting(const QString &key);
// The property sheet is rebuilt for the selected node (through the table window).
void refillPropertySheet();
