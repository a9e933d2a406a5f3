#pragma once

#include <QPoint>
#include <QString>

// What the model asks of a slot's stylesheet view.
class XslCodeView {
public:
    virtual ~XslCodeView() = default;
    // Shows the slot's last generated stylesheet; an empty default ignores the call.
    virtual void showGenerated() {}
    // Shows nothing (the slot gets another table).
    virtual void clearCode() {}
    // Selects the next occurrence of the text after the selection, letter case ignored;
    // when there is none, puts the caret at the start and, when asked, says so.
    virtual void findText(const QString &, bool /*showNotFound*/) {}
    // Where the caret stands in the code box's client area.
    virtual QPoint caretPoint() const { return {}; }
};
