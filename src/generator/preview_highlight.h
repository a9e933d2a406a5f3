#pragma once

#include "documents/tree_selection.h"

#include <QString>
#include <QStringList>

// The preview and the table's structure tree follow each other: selecting a column
// outlines its first non-empty cell in the page, a click in the page selects the column
// of the clicked cell. Cell ids are "r_1_" + row + "_" + table name + "_" + column.

// The column a cell id names for the table, or "" when the id is not a cell of the
// table's own rows.
QString columnOfCellId(const QString &id, const QString &tableName);

// Asks the current slot's preview to outline the selected column's first non-empty cell
// (the column of a selected attribute); nothing when no column is selected.
void highlightInPreview();
// The preview outlined the element with that id as the column's cell.
void recordHighlight(const QString &column, const QString &id);

// A click in the current slot's preview: ids holds the clicked element's id and those of
// its offset parents, innermost first ("" for an element without one). The first cell id
// of a column of the table selects that column in the table tree, refills the property
// sheet and outlines the column. An element without an id after the first that has one
// ends the search; so does the end of the chain. When the search met only cells of the
// table that name no column, the sheet is refilled and the outline of the current
// selection redrawn. Returns the selected column, or "".
QString selectClickedColumn(const QStringList &ids);
