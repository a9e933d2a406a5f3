#include "publishing/gui/interface_dialogs.h"

#include "documents/workspace.h"
#include "properties/property_sheets.h"
#include "publishing/gui/call_mapping_dialog.h"
#include "publishing/gui/interface_editor_dialog.h"

InterfaceDialogs::InterfaceDialogs(QWidget *mainWindow) : parent(mainWindow)
{
    workspace().interfaceDialogs = this;
}

InterfaceDialogs::~InterfaceDialogs()
{
    if (workspace().interfaceDialogs == this)
        workspace().interfaceDialogs = nullptr;
    delete newcomponent;
    delete mapCall1;
}

InterfaceEditorDialog &InterfaceDialogs::editor()
{
    if (!newcomponent)
        newcomponent = new InterfaceEditorDialog(parent);
    return *newcomponent;
}

CallMappingDialog &InterfaceDialogs::mapping()
{
    if (!mapCall1)
        mapCall1 = new CallMappingDialog(parent);
    return *mapCall1;
}

void InterfaceDialogs::doInterface()
{
    InterfaceEditorDialog &dialog = editor();
    dialog.load(currentSheet().holder(Holder::tcomp));
    dialog.exec();
}

void InterfaceDialogs::mapInterface()
{
    CallMappingDialog &dialog = mapping();
    dialog.prepare();
    dialog.exec();
}
