#pragma once

#include "documents/views/xsl_code_view.h"

#include <QWidget>

class QPlainTextEdit;

// The read-only view of a slot's generated stylesheet. It registers itself as the slot's
// stylesheet view; its place on screen belongs to the slot window it sits in.
class XslCodeWindow final : public QWidget, public XslCodeView {
    Q_OBJECT
public:
    explicit XslCodeWindow(int slot);
    ~XslCodeWindow() override;

    void showGenerated() override;

    QPlainTextEdit *xsl = nullptr;

private:
    int tableSlot;
};
