#pragma once

#include <QString>

// The default Table Interface the editor suggests: the item "Table" at the table's row
// Xpath, then one item per distinct column attribute Xpath (level 1), an attribute's
// element added before it when not seen yet.
struct DefaultInterface {
    QString text;              // records and Chr(16), no translation body
    bool dropped = false;      // repeated Xpaths were left out
    bool columnsAdded = false; // a column item was added
};

// Builds it from the current table; an unset "Xpath-Table" becomes "/" (table changed).
DefaultInterface simulateGetComps();

// The path without its last "/" and attribute step when it holds "@"; else unchanged.
QString pathWithoutAttribute(const QString &path);
// The path without its predicates: "[" to the next "]" removed, quoted brackets first.
QString pureXpath(const QString &path);
