#pragma once

#include <QString>

// What the model asks of a slot's property sheet.
class PropertySheetView {
public:
    virtual ~PropertySheetView() = default;
    // True while a table file is read into the slot: focus loss commits nothing.
    virtual void setLoading(bool loading) = 0;
    // Selects the row with this caption; no such row selects nothing.
    virtual void selectRow(const QString &caption) = 0;
    // Rebuilds the sheet for the selected node of the structure tree (the sheet model's
    // fillProps), which then shows it.
    virtual void fillProps() {}
    // The slot's sheet model was rebuilt and filled: shows it whole (verbs, rows, values,
    // selection, caption).
    virtual void showSheet() {}
    // Runs the "..." button of the selected row; a window without one ignores the call.
    virtual void props_InplaceButtonDown() {}
};
