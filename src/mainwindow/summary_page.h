#pragma once

#include <QString>

// The properties summary: an HTML page listing every property of the current table, of
// its columns and of their attributes, in the structure tree's order. Internal properties
// are left out; names, values and the table path are escaped.

// Appends one line per stored property of the owner ("Table", a column name, or column
// name "@" attribute name).
void addAllProps(QString &page, const QString &owner);
// The whole page for the current slot.
QString summaryPage();
// "temp-summary-table-" + the table's name + ".htm" in the data folder.
QString summaryPagePath();
// "Properties summary": writes the page and shows it in the browser window (also when the
// write failed, which has been reported).
void propsum_Click();
