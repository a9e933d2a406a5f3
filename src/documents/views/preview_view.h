#pragma once

// What the model asks of a slot's preview window. The browser commands have empty
// defaults: a window without such a member ignores the call.
class PreviewView {
public:
    virtual ~PreviewView() = default;
    // Generates the stylesheet, renders it and shows the page.
    virtual void runit_Click() = 0;
    // Shows the rendered page in a separate browser window.
    virtual void rbrowser_Click() {}
    virtual void goback_Click() {}
    virtual void goforward_Click() {}
    virtual void stopit_Click() {}
};
