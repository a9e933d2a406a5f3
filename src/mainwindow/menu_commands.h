#pragma once

#include "mainwindow/menu_host.h"

// What a menu item, popup item or toolbar button does. A procedure of a slot window is
// called on the current slot's window; a window that does not exist yet is skipped
// silently, except that the XSL output is saved without the stylesheet view. The main
// window's own procedures go to the host.
void runMenuCommand(Procedure procedure, int argument, std::optional<SlotWindow> showFirst,
                    MenuHost &host);
// An item or button runs only while it is enabled.
void runMenuItem(const MenuItem &item, MenuHost &host);
void runToolbarButton(const ToolbarButton &button, MenuHost &host);

// Whether the item and every menu that holds it are enabled for the current slot.
bool menuItemEnabled(const MenuItem &item);
// Whether the button is enabled for the current slot: as the menu item it follows.
bool toolbarButtonEnabled(const ToolbarButton &button);

// Calls a slot-window procedure on the current slot's window, when that window exists
// (saving the XSL output needs none).
void forwardToSlotWindow(Procedure procedure);
// Makes the current slot's window visible when it exists and is hidden.
void showIfHidden(SlotWindow window);

// The XSL menu's "Save XSL" (index 0) and "Save XSL as" (index 10), also used by the
// property sheet; any other index does nothing.
void saveX_Click(int index);

// The View menu's item with that index.
void viewm_Click(int index, MenuHost &host);

// "Load default XML file": the XML window loads the default XML document without a dialog.
void loadDefaultXml();
