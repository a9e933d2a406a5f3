#pragma once

#include "documents/views/xsl_code_view.h"

#include <QWidget>

class QPlainTextEdit;

// The read-only view of a slot's generated stylesheet. It registers itself as the slot's
// stylesheet view; its place on screen belongs to the frame it sits in.
class XslCodeWindow final : public QWidget, public XslCodeView {
    Q_OBJECT
public:
    XslCodeWindow(int slot, WindowFrameView &frame);
    ~XslCodeWindow() override;

    void showGenerated() override;
    void applyGeometry(const WindowGeometry &geometry) override;
    void setShown(bool shown) override;

    QPlainTextEdit *xsl = nullptr;

private:
    int tableSlot;
    WindowFrameView &frame;
};
