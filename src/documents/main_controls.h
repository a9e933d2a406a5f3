#pragma once

#include <QString>

// The main window put into the state of the current table: caption, menu items and which
// of the slot's windows are visible.

// "Tarvik: ", the prefix of every main window caption.
QString getTitle();
// The state of no table: the slot's windows hidden, every table menu disabled.
void hideControls();
// Whether goControls enables the menu or menu item of that control name for the current
// slot; the menus it does not manage are always enabled.
bool menuEnabled(const QString &name);
// Caption, menus and windows of the current slot, from its table file and XML document.
void goControls();
// The current slot's windows drop what they showed of an earlier table, and the main
// window follows the slot's model (emptied by newTableSlot or by closing the table).
void resetEverything();
