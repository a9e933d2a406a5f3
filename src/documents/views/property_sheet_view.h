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
    // Gives the row what is typed in its open editor and not yet committed, committing it
    // as leaving the editor does.
    virtual void flushEditor() {}
    // Runs the "..." button of the selected row; a window without one ignores the call.
    virtual void props_InplaceButtonDown() {}

    // The editors the sheet's buttons open; a window without them answers "" (cancelled).
    // The border picker, preset from the row's value: the border value chosen.
    virtual QString pickBorder(const QString &) { return {}; }
    // The size picker with this caption, preset from the row's value: the size chosen.
    virtual QString pickSize(const QString &, const QString &) { return {}; }
    // Shows the code editor of this pool entry with its code as the model holds it and
    // this caption, in front of the other windows with the focus in its code.
    virtual void showCodeEditor(int, const QString &) {}
    // The input parameter dialog, loaded from the sheet's parameter holder, shown modal.
    virtual void showInputParams() {}
};
