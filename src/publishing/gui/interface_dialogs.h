#pragma once

#include "documents/views/interface_dialogs_view.h"

#include <QPointer>

class QWidget;
class InterfaceEditorDialog;
class CallMappingDialog;

// The table interface dialogs as the property sheet opens them: each created on first use
// over the main window, hidden afterwards and reused. It registers itself as the
// workspace's interface dialogs for its lifetime.
class InterfaceDialogs final : public InterfaceDialogsView {
public:
    explicit InterfaceDialogs(QWidget *mainWindow);
    ~InterfaceDialogs() override;
    InterfaceDialogs(const InterfaceDialogs &) = delete;
    InterfaceDialogs &operator=(const InterfaceDialogs &) = delete;

    void doInterface() override;
    void mapInterface() override;

    InterfaceEditorDialog &editor();
    CallMappingDialog &mapping();

private:
    QWidget *parent;
    QPointer<InterfaceEditorDialog> newcomponent;
    QPointer<CallMappingDialog> mapCall1;
};
