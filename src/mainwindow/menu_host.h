#pragma once

#include "mainwindow/menu_table.h"

// The active child window of the main window, as the View menu tells them apart.
enum class ActiveChild { none, propertySheet, xmlWindow, tableWindow, other };

// The main window as its menus and toolbar reach it.
class MenuHost {
public:
    virtual ~MenuHost() = default;
    // The active child window; none when the platform reports none.
    virtual ActiveChild activeChild() const = 0;
    // Expands or collapses the whole tree of the XML or the table window.
    virtual void expandTree(ActiveChild window, bool expand) = 0;
    // The look of the menus; the flag is what the settings file stores.
    virtual bool menuStyle() const = 0;
    virtual void setMenuStyle(bool style) = 0;
    // Runs one of the main window's own procedures with the item's argument.
    virtual void runProcedure(Procedure procedure, int argument) = 0;
};
