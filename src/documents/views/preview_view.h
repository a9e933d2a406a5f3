#pragma once

#include "documents/trusted_folders.h"

#include <QString>

// What a finished render leaves for the preview window.
struct RenderOutcome {
    bool rendered = false; // false: nothing was transformed; status says why
    QString pagePath;      // the page file the window shows
    QString pageUrl;       // its address in the window (page_url.h)
    QString caption;       // the preview window's caption after the render
    QString status;        // for the status line when nothing was rendered
    HeldBack heldBack;     // what a restricted run held back of what it asked for
};

// An element of the preview page outlined as the selected column's cell.
struct PreviewHighlight {
    QString tableName;    // T of the ids "r_1_" + row + "_" + T + "_" + column
    QString column;
    QString previousId;   // the element outlined before, "" for none
    QString previousBorders[5]; // its column's left, right, top, bottom and whole border
};

// What the model asks of a slot's preview window.
class PreviewView {
public:
    virtual ~PreviewView() = default;
    // Generates the stylesheet, renders it and shows the page.
    virtual void runit_Click() = 0;
    // Shows the row-limit list at this index; the caller holds uiReady at False.
    virtual void setRowLimitIndex(int index) = 0;
    // Ticks (1) or clears (0) the auto-reload box without running its handler.
    virtual void setAutoReload(int value) = 0;
    // Shows a finished render: its page and caption, or its status when nothing rendered.
    virtual void showRendered(const RenderOutcome &) {}
    // Shows an empty page; renders still on their way for the old table are dropped.
    virtual void clearPage() {}
    // Outlines the column's first non-empty cell and scrolls it into view; the window
    // reports the outlined id back through recordHighlight (preview_highlight.h).
    virtual void highlightCell(const PreviewHighlight &) {}
    // Menu commands; a window without one ignores the call.
    // Shows the rendered page in a separate browser window.
    virtual void rbrowser_Click() {}
    virtual void goback_Click() {}
    virtual void goforward_Click() {}
    virtual void stopit_Click() {}
};
