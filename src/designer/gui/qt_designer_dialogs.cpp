#include "designer/gui/qt_designer_dialogs.h"

#include "designer/gui/new_att_window.h"
#include "designer/gui/new_column_window.h"

QtDesignerDialogs::QtDesignerDialogs(std::function<QWidget *()> parent) : parent(std::move(parent))
{
    designerDialogs() = this;
}

QtDesignerDialogs::~QtDesignerDialogs()
{
    if (designerDialogs() == this)
        designerDialogs() = nullptr;
    delete newColumn;
    delete newAtt;
}

void QtDesignerDialogs::showNewColumn()
{
    if (!newColumn)
        newColumn = new NewColumnWindow(parent());
    newColumn->run();
}

void QtDesignerDialogs::showNewAtt()
{
    if (!newAtt)
        newAtt = new NewAttWindow(parent());
    newAtt->run();
}
