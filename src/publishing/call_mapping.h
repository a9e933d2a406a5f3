#pragma once

#include <QList>
#include <QString>

// The Call Interface mapping of the current "Call Table" column (the column of the table
// tree's selection): each Xpath Item of the called table's interface mapped to an Xpath of
// the calling table's XML, stored as "Call Xpath-" + column + "@table-" + item name.

struct CallMappingRow {
    QString name;  // the item's Name with its "...." level prefixes
    QString xpath; // its mapped Xpath, "" for unmapped
};

// The called table's items with their current mappings, read from its interface side file
// (found from the calling table's folder); each item's description is kept as
// "Temporary Interface-" + its number from 1 (table not marked changed).
QList<CallMappingRow> callInterfaceRows();
// The description kept for item number i (from 1).
QString callItemDescription(int i);

// "Delete all Xpath Item mappings": asks; true on Yes. The rows are then emptied by the
// caller and "Interface Used" goes to "False" only when the mapping is saved.
bool askClearMappings();

// Saving the dialog: every row's Xpath stored (table changed), "" included, and "Interface
// Used" set to "False" when allCleared; the tip about enabling the interface when a row is
// mapped while the interface is unused; the preview follows. False, with nothing stored,
// when there are no rows.
bool saveCallMapping(const QList<CallMappingRow> &rows, bool allCleared);

// Maps one item (by name, without level prefixes) of the current column and saves the
// whole mapping as the dialog would; false when the interface has no such item.
bool mapCallItem(const QString &item, const QString &xpath);
