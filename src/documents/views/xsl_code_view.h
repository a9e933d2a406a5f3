#pragma once

#include "documents/views/window_frame_view.h"

// What the model asks of a slot's stylesheet view.
class XslCodeView : public WindowFrameView {
public:
    virtual ~XslCodeView() = default;
    // Shows the slot's last generated stylesheet; an empty default ignores the call.
    virtual void showGenerated() {}
};
