#pragma once

#include <QString>

// Committing the selected row of the current slot's sheet to the store.

// What an editor does before the commit: selects the row with this caption and puts the
// value into it, or into its holder for the rows that have one. False when the sheet has
// no such row, and for a list row restricted to its choices when the value is none of them.
bool putIntoRow(const QString &caption, const QString &value);
// Stores the selected row's value (its holder's text for a row with one) under its key
// for the node the sheet shows, whatever node is selected now: trimmed, without the record
// separators a table file or a packed list uses, and only when it differs from the stored
// value; then marks the table changed and lets the preview follow. A row still showing the
// stored value without its line breaks and Tabs, as filled, stores nothing. Rows
// that hold no property, read-only rows and groups are never stored, nor anything when the
// sheet shows no node or one that no longer exists.
void updateProps();
// The sheet losing the focus: commits as updateProps does, but nothing while a table file
// is read or without an XML document.
void commitOnFocusLoss();
// The text a row's value is stored as: the table file's separators Chr(2) to Chr(5)
// removed, and unless the row holds a packed list, the list separators Chr(14) to Chr(16).
QString storableText(const QString &caption, const QString &value);
// The text without the list separators Chr(14) to Chr(16).
QString withoutListSeparators(QString text);
