#pragma once

// The row last selected on each node's sheet, kept in the store under "Currently selected
// property-" and the node's text, never marking the table changed.

// Records the sheet's selected row for the selected node; nothing without both.
void rememberProperty();
// Selects the remembered row of the selected node, or the default row of its kind when
// none is remembered or the sheet lacks it: "Xpath" on the table, "Type" on a column,
// "XSL Code" on an attribute calculated by XSL code, else "Xpath". The window is not told.
void restoreRememberedRow();
