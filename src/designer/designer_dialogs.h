#pragma once

// Shows the designer's two modal dialogs over their models (new_column_dialog.h,
// new_att_dialog.h) and returns once OK or Cancel has hidden the dialog. The windows
// install one; tvktool and tests install queued answers. Without one, a dialog counts as
// closed through its title bar: its answer reads "", cancelled.
class DesignerDialogs {
public:
    virtual ~DesignerDialogs() = default;
    virtual void showNewColumn() = 0;
    virtual void showNewAtt() = 0;
};

// The dialogs in force, null for none.
DesignerDialogs *&designerDialogs();
