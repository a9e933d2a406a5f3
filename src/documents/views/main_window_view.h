#pragma once

#include "documents/table_document.h"

#include <QString>

// What the model asks of the main window: its caption and menu items, the tab strip, the
// window sets of the table slots and the progress bar. Slot windows that do not exist are
// skipped by the implementation.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    virtual void setCaption(const QString &caption) = 0;
    // A menu item or menu by its control name ("xmlmenu", "dosave", ...).
    virtual void setMenuEnabled(const QString &name, bool enabled) = 0;
    // The check mark of a checkable menu item.
    virtual void setMenuChecked(const QString &name, bool checked) = 0;
    // The caption of a menu item.
    virtual void setMenuCaption(const QString &, const QString &) {}
    // Pops up one of the hidden popup menus ("mainX", "mainR") at the pointer.
    virtual void popUpMenu(const QString &) {}

    virtual bool hasWindowSet(int slot) const = 0;
    // Creates the slot's five windows, hidden.
    virtual void createWindowSet(int slot) = 0;
    virtual bool isWindowVisible(int slot, SlotWindow window) const = 0;
    virtual void setWindowVisible(int slot, SlotWindow window, bool visible) = 0;
    // The windows of the slot drop what they show (for the next table in the slot).
    virtual void clearWindowSet(int slot) = 0;
    // The default arrangement of the current slot's windows.
    virtual void defaultPos() = 0;

    // The tab strip; keys are "k" and the slot number.
    virtual void insertTab(int index, const QString &key, const QString &caption) = 0;
    virtual void selectTab(const QString &key) = 0;
    virtual QString selectedTabKey() const = 0;
    virtual void removeSelectedTab() = 0;
    virtual void setTabCaption(const QString &key, const QString &caption) = 0;

    // 0 to 100; 100 hides the bar.
    virtual void setProgress(int percent) = 0;
    // Lets pending events run; user input waits, so nothing can switch or close a table.
    virtual void processPendingEvents() = 0;

    // The XSL menu's commands, as the property sheet's links run them.
    virtual void shgenXSL_Click() {}
    virtual void saveX_Click(int) {}
};
