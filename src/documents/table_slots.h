#pragma once

#include <QString>

// The 121 table slots, their window sets and their tabs. The tab of slot s has the key
// "k" & s and stands at index s among the tabs, which follow the slots in ascending order.

// The lowest free slot, -1 when all are in use.
int findFreeSlot();
// The lowest slot in use, -1 when none is.
int findUsedSlot();

QString tabKey(int slot);
// The number after the key's first character; -1 when there is none.
int slotOfTabKey(const QString &key);
// The table file's name before its first ".".
QString tabCaption(const QString &path);

// Hides the slot's five windows and the code editors it owns.
void hideSlotWindows(int slot);
// Takes the lowest free slot, empties it and makes it current, creating its windows on
// first use and giving them the default arrangement; false (after telling the user) when
// all 121 slots are in use.
bool newTableSlot();
// Adds and selects the current slot's tab for the table file.
void addTableTab(const QString &path);
// Frees the slot of the selected tab and its code editors, and removes the tab.
void closeTableTab();
// Makes the selected tab's table current.
void switchTable();
// Commits what is typed in the current slot's property sheet and not yet committed, as
// leaving the sheet does; before the table is saved, left for another or the program ends.
void commitPendingSheetEdit();
// Scrolls the current slot's XML tree and structure tree fully left.
void scrollTreesLeft();
// Selects the tab of the slot stored in the table file (when asked) and refills the
// property sheet.
void selectSavedTab(bool doSelect);
