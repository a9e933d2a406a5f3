#pragma once

// The table interface dialogs, which the property sheet opens; they live above it.
class InterfaceDialogsView {
public:
    virtual ~InterfaceDialogsView() = default;
    // The "Table Interface" editor on the current table, loaded from the sheet's interface
    // holder, shown modal; its OK commits "Table Interface-Table".
    virtual void doInterface() = 0;
    // The Call Interface mapping dialog for the current column's called table, shown modal.
    virtual void mapInterface() = 0;
};
