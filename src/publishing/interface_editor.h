#pragma once

#include "documents/interface_text.h"

#include <QList>
#include <QObject>
#include <QString>

// The model of the Table Interface editor ("newcomponent"): the item rows of the current
// table's interface, in order, and the translation stylesheet they give. Every change to
// the rows rebuilds the translation (workspace().interfaceTranslation and tlogic), except
// clearAll. Row numbers count from 0; a row out of range changes nothing.
class InterfaceEditor {
public:
    QList<InterfaceItem> rows;
    QString tlogic; // the translation stylesheet shown, re-indented

    // No rows.
    void initComps() { rows.clear(); }
    // Loads an interface text: its complete records become the rows.
    void addComp(const QString &text);
    // The interface text of the rows, with the translation rebuilt; "" without rows.
    QString getComps();
    void updateTranslation();

    // A new item at level 0 after the last row.
    void appendItem(const InterfaceItem &item);
    // The row takes the edited item (its name without level prefixes); the row's levels
    // are kept.
    void replaceItem(int row, const InterfaceItem &edited);
    // The only row goes whichever row is current.
    void deleteItem(int row);
    // Asks first when there are rows; true when the rows were removed.
    bool clearAll();
    // The row swapped with its neighbour; returns the row's new number.
    int moveUp(int row);
    int moveDown(int row);
    // One level deeper or one level up.
    void goRight(int row);
    void goLeft(int row);
    // Loads the default interface (asks first when there are rows). Shows the tip of
    // dropped repeated Xpaths at tipAnchor; true when the hierarchy tip is due.
    bool suggest(QObject *tipAnchor);

    // The message naming the first row whose Xpath is not a simple path; "" when all are.
    QString invalidXpathMessage() const;
    // Saving: validates (message, false), then commits the text as "Table Interface-Table"
    // through the sheet's "Table Interface" row, whose value becomes "Interface" or "".
    bool save();
    // Closing: asks when the rows differ from the sheet's stored interface; true to close.
    bool mayClose();
};

// The shared editor every table uses.
InterfaceEditor &interfaceEditor();

// The OK of the Xpath Item dialog: trims the three fields, then reports the first of an
// empty name, an invalid name, an empty description and an empty Xpath; true when none.
bool checkXpathItem(InterfaceItem &item);

// Saving the given interface text as the editor would after loading it.
bool saveInterfaceText(const QString &text);
