#include "designer/designer_dialogs.h"

DesignerDialogs *&designerDialogs()
{
    static DesignerDialogs *dialogs = nullptr;
    return dialogs;
}
