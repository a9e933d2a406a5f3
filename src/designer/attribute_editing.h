#pragma once

#include <QString>

// Adding and deleting the attributes of the current column of the structure tree.

// How addAtt stores the new attribute's value: as the called table ("Table"), as its Xpath
// ("Xpath"), or as its XSL code ("XSL Code"; the attribute then starts with the column's
// own Xpath).
enum class AttributeKind { Table, Xpath, XslCode };

// Adds an attribute under the current column, writes its keys, selects it and refills the
// property sheet. A name the column already has is refused with a message and nothing
// changes; false then.
bool addAtt(const QString &name, const QString &value, AttributeKind kind);
// Adds the attribute node only, with its icon; nothing is stored. False when the column
// already has an attribute of that name.
bool addAttributeNode(const QString &column, const QString &name);

// New attribute: asks for the name in the attribute dialog and adds it.
void badd_Click();
// Delete attribute: the selected attribute, after asking.
void bdel_Click();
