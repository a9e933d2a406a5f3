#pragma once

#include "documents/views/xsl_code_view.h"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The read-only view `xslCode` of a slot's generated stylesheet, with a find row. It
// registers itself as the slot's stylesheet view; its place on screen belongs to the slot
// window it sits in. When that window is activated, and after a search finds its text,
// the find box has the keyboard with its text selected.
class XslCodeWindow final : public QWidget, public XslCodeView {
    Q_OBJECT
public:
    explicit XslCodeWindow(int slot);
    ~XslCodeWindow() override;

    void showGenerated() override;
    void clearCode() override;
    void findText(const QString &text, bool showNotFound) override;
    QPoint caretPoint() const override;

    QPlainTextEdit *xsl = nullptr;
    QLineEdit *fnd = nullptr;
    QPushButton *srch = nullptr;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void focusFindBox();
    void activated();
    void followFrameActivation();

    int tableSlot;
    QMetaObject::Connection frameActivation;
    bool leftWithTheProgram = false; // the window was active when the program lost the keyboard
};
