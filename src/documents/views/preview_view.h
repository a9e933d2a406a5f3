#pragma once

// What the model asks of a slot's preview window.
class PreviewView {
public:
    virtual ~PreviewView() = default;
    // Generates the stylesheet, renders it and shows the page.
    virtual void runit_Click() = 0;
};
