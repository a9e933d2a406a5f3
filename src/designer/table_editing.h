#pragma once

#include "documents/column_types.h"
#include "documents/structure_tree.h"
#include "documents/tree_selection.h"

#include <QString>
#include <vector>

// The table window's operations on the current slot's structure tree and property store.
// The selection is the slot's selectedNodeKey; the table window, when it exists, is
// brought in line after every change.

// Selects a node and acts on the click: the property sheet is filled for it and the column
// outlined in the preview, as far as those windows exist.
void nodeClick(const QString &key);
// The structure tree's current node was moved by the user (keys, the end of a drag's
// hovering): a node other than the selected one is handled as a node click.
void followTreeCurrent(const QString &key);

// New column: the add-column dialog may map the selected XML node when there is one.
void addit_Click();

void mup_Click();
void mdown_Click();
// Moves column keyA to the place just before column keyB, attributes and keys unchanged.
void swapNodes(const QString &keyA, const QString &keyB);

void removeit_Click();
// The four keys of one attribute of a column.
void deleteAllKeysForAttribute(const QString &column, const QString &attribute);
// Removes the keys of every attribute of the current column, then the attribute nodes.
void deleteAttKeys();
// Removes every key the current column owns (its own, its attributes', its Xpath flags
// and its call mapping).
void deleteColKeys();

void ren_Click();
// Renames a column and every key it owns; a name that is invalid, "Table" or another
// column's is refused with its message; a blank or unchanged name is ignored. True when
// renamed.
bool rekeyColumn(const QString &oldName, const QString &newName);
// A finished in-place edit of a column's label: renames the column as "Rename column"
// does, and the preview follows.
void labelEdited(const QString &oldName, const QString &newName);
// The start of an in-place edit of a node's label: only a column's label may be edited.
bool mayEditLabel(const QString &key);

// The Delete key on the structure tree.
void deleteKeyPressed();

// The items of the popup menu `mainR` as the selected node's kind sets them.
struct MenuItemState {
    QString name;
    bool enabled;
};
std::vector<MenuItemState> mainRStates(NodeKind kind);
// "Edit required attribute" on a column, "Edit attribute" on an attribute, "" (unchanged)
// on the Table node.
QString editAttributeCaption(NodeKind kind);
// Sets up `mainR` for the selected node and pops it up.
void popUpMainR();
