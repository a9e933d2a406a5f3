#include "properties/sheet_selection.h"

#include "documents/views/property_sheet_view.h"
#include "documents/workspace.h"
#include "properties/property_sheets.h"

bool selectSheetRow(const QString &caption)
{
    const SheetItem *item = currentSheet().layout.findItem(caption);
    if (!item || item->kind == SheetItem::Kind::Category)
        return false;
    workspace().current().selectedPropertyCaption = caption;
    return true;
}

void showSelectedRow()
{
    Workspace &ws = workspace();
    if (PropertySheetView *sheet = ws.currentViews().allProp)
        sheet->selectRow(ws.current().selectedPropertyCaption);
}

bool selectProperty(const QString &caption)
{
    if (!selectSheetRow(caption))
        return false;
    showSelectedRow();
    return true;
}
