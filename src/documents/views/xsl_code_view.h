#pragma once

// What the model asks of a slot's stylesheet view.
class XslCodeView {
public:
    virtual ~XslCodeView() = default;
    // Shows the slot's last generated stylesheet; an empty default ignores the call.
    virtual void showGenerated() {}
};
