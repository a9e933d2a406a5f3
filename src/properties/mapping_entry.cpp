#include "properties/mapping_entry.h"

#include "documents/column_types.h"
#include "documents/store_access.h"
#include "documents/views/main_window_view.h"
#include "documents/views/property_sheet_view.h"
#include "documents/workspace.h"
#include "generator/column_attributes.h"
#include "platform/ui/ui_services.h"
#include "properties/fill_props.h"
#include "properties/property_keys.h"
#include "properties/property_sheets.h"
#include "properties/sheet_selection.h"

namespace {

using Node = StructureTree::Node;

const QString xpathRow = QStringLiteral("Xpath");
const QString xslCodeRow = QStringLiteral("XSL Code");

QString selectedRowValue()
{
    const SheetItem *row =
        currentSheet().layout.findItem(workspace().current().selectedPropertyCaption);
    return row ? row->value : QString();
}

bool selectAttributeRow(const Node &attribute)
{
    const QString column = columnOf(attribute).text;
    if (isXslCalculated(column, attribute.text)) {
        selectProperty(xslCodeRow);
        return true;
    }
    selectProperty(xpathRow);
    if (!selectedRowValue().isEmpty())
        return true;
    const QString question =
        QStringLiteral("This attribute is currently undefined\r\n\r\nTo write XSL code for it, "
                       "click OK.\r\n\r\nTo map XML to it, click Cancel and drag and drop XML "
                       "to it");
    if (ui().askOkCancel(question) != UiServices::Answer::Ok)
        return false;
    setKey(propertyKey(QStringLiteral("XSL Calculated"), attribute), QStringLiteral("True"),
           true);
    fillProps();
    selectProperty(xslCodeRow);
    return true;
}

// From a column to its required attribute, with that attribute's sheet.
void moveToRequiredAttribute(const Node &column)
{
    const QString attributeKey =
        column.text + QChar('-') + mainAttributeOf(getKey(QStringLiteral("Type-") + column.text));
    const Node *attribute = workspace().current().tree.find(attributeKey);
    if (!attribute)
        return;
    selectTreeNode(attributeKey);
    fillProps();
    selectProperty(isXslCalculated(column.text, attribute->text) ? xslCodeRow : xpathRow);
}

} // namespace

bool selectX(const QString &caption)
{
    if (!caption.isEmpty()) {
        selectProperty(caption);
        return true;
    }
    const Node *node = selectedNode();
    if (!node)
        return true;
    switch (nodeKind(*node)) {
    case NodeKind::Column:
        if (getKey(QStringLiteral("Type-") + node->text) == QLatin1String("XSL Code"))
            selectProperty(xslCodeRow);
        return true;
    case NodeKind::Table:
        if (workspace().current().selectedPropertyCaption == xpathRow)
            selectProperty(xpathRow);
        return true;
    case NodeKind::Attribute:
        break;
    }
    return selectAttributeRow(*node);
}

void editMapping()
{
    Workspace &ws = workspace();
    if (MainWindowView *main = ws.mainWindow)
        main->setWindowVisible(ws.curTable, SlotWindow::Prop, true);
    if (!selectX(QString()))
        return;
    const Node *node = selectedNode();
    if (node && nodeKind(*node) == NodeKind::Column)
        moveToRequiredAttribute(*node);
    if (PropertySheetView *sheet = ws.currentViews().allProp)
        sheet->props_InplaceButtonDown();
}
