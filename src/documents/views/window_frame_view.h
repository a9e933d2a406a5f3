#pragma once

#include "documents/table_document.h"

// What the model asks of any window with a place on screen: a slot's windows and the
// code editors. The model holds the geometry and shown flags: a window records its own
// moves, resizes and showing there, and applies what the model sets through these calls.
class WindowFrameView {
public:
    virtual ~WindowFrameView() = default;
    // Moves and sizes the window; the geometry is in twips.
    virtual void applyGeometry(const WindowGeometry &geometry) = 0;
    // Shows or hides the window.
    virtual void setShown(bool shown) = 0;
};
