#pragma once

#include "documents/table_document.h"

// What the model asks of a code editor's window. The model holds the geometry and shown
// flag: the window records its own moves, resizes and showing there, and applies what the
// model holds through these calls when the main window follows the current table.
class WindowFrameView {
public:
    virtual ~WindowFrameView() = default;
    // Moves and sizes the window; the geometry is in twips.
    virtual void applyGeometry(const WindowGeometry &geometry) = 0;
    // Shows or hides the window.
    virtual void setShown(bool shown) = 0;
};
