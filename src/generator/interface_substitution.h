#pragma once

#include <QString>

// The interface substitution of a "Call Table" column: the called table's translation
// body (from its interface side file) with the calling table's mapped Xpaths put in place
// of the item placeholders. The mapped Xpath of an item is the calling table's
// "Call Xpath-" + columnKey + "-" + item name, "" when unmapped. A top-level item's path
// is made relative to the calling column's context, a nested item's to its parent item's
// mapped path; an item's text placeholder becomes "." for an attribute path, else
// "./text()". Placeholders match whole item names only ("c" never rewrites "c2"); an item
// named twice takes the placeholders in order. The time taken grows linearly with the
// interface.
//
// interfaceText is the called table's interface side file; columnKey is the column's name
// followed by "@table". When the text holds no body, code keeps the text it came in with
// (its placeholders are still replaced).
void makeSubstCode(const QString &interfaceText, const QString &columnKey, const QString &contextXpath,
                   QString &code);
