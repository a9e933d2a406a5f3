#pragma once

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
    // Menu commands; a window without one ignores the call.
    // Shows the rendered page in a separate browser window.
    virtual void rbrowser_Click() {}
    virtual void goback_Click() {}
    virtual void goforward_Click() {}
    virtual void stopit_Click() {}
    // Outlines the current column in the page.
    virtual void highlightInPreview() {}
};
