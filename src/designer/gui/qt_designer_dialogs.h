#pragma once

#include "designer/designer_dialogs.h"

#include <QPointer>
#include <functional>

class NewAttWindow;
class NewColumnWindow;
class QWidget;

// The designer's dialogs as windows, created on first use over the main window (which
// centres them) and reused. Installs itself for its lifetime.
class QtDesignerDialogs final : public DesignerDialogs {
public:
    explicit QtDesignerDialogs(std::function<QWidget *()> parent);
    ~QtDesignerDialogs() override;
    QtDesignerDialogs(const QtDesignerDialogs &) = delete;
    QtDesignerDialogs &operator=(const QtDesignerDialogs &) = delete;

    void showNewColumn() override;
    void showNewAtt() override;

private:
    std::function<QWidget *()> parent;
    // Owned by their parent when they have one, else here.
    QPointer<NewColumnWindow> newColumn;
    QPointer<NewAttWindow> newAtt;
};
