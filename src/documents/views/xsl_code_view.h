#pragma once

#include "documents/views/window_frame_view.h"

// What the model asks of a slot's stylesheet view.
class XslCodeView : public WindowFrameView {
public:
    virtual ~XslCodeView() = default;
    // Generates the stylesheet for output and writes it to the table's XSL output file.
    virtual void savePage() = 0;
};
