#include "documents/start_guidance.h"

#include "documents/column_types.h"
#include "documents/tree_selection.h"
#include "documents/workspace.h"

const TipText getStartedTip{
    QStringLiteral("First time open or create"), QStringLiteral("Get Started"),
    QStringLiteral("Click here to create new table, \r\nor click Open button to open example "
                   "tables (click Help->Examples to read more about them)")};
const TipText loadXmlTip{QStringLiteral("Load XML"), QStringLiteral("Load XML file"),
                         QStringLiteral("Click here to load XML file")};
const TipText addColumnsTip{QStringLiteral("Add columns"), QStringLiteral("Add columns"),
                            QStringLiteral("Click here to add columns to table")};
const TipText unmappedColumnTip{
    QStringLiteral("Drag XML to Column Xpath"), QStringLiteral("Unmapped Column"),
    QStringLiteral("Drag XML element from XML tree to this node \r\nor set it's XSL Calculated "
                   "property to True and click on XSL Code property to write XSL code.")};
const TipText propertySheetTip{
    QStringLiteral("Use property sheet"), QStringLiteral("Property sheet"),
    QStringLiteral("Use property sheet to change visual,\r\n layout and XSL/Xpath properties "
                   "for each column")};

namespace {

// A column whose type reads its value from the XML and whose required attribute has no
// Xpath yet.
bool isUnmapped(const TableDocument &doc, const QString &column)
{
    const QString type = doc.store.value(QStringLiteral("Type-") + column);
    if (type == QLatin1String("XSL Code") || type == QLatin1String("Call Table"))
        return false;
    return doc.store.value(QStringLiteral("Xpath-") + column + QChar('@') + mainAttributeOf(type))
        .isEmpty();
}

// The columns the tip step visits, taken before any balloon lets events run.
QStringList unmappedColumns(const TableDocument &doc)
{
    QStringList firstAttributes;
    if (const StructureTree::Node *root = doc.tree.root())
        for (const auto &column : root->children)
            if (isUnmapped(doc, column->text))
                firstAttributes << (column->children.empty() ? QString()
                                                              : column->children.front()->key);
    return firstAttributes;
}

} // namespace

void showStartTip()
{
    Workspace &ws = workspace();
    const TableDocument &doc = ws.current();
    if (ws.startupLoading || doc.tablePath.isEmpty())
        return;
    if (doc.xmlPath.isEmpty())
        showTipAtControl(tipControl(SlotWindow::Parser, QStringLiteral("cmdBrowse")), loadXmlTip);
    else if (doc.tree.nodeCount() < 3)
        showTipAtControl(tipControl(SlotWindow::Rep, QStringLiteral("addit")), addColumnsTip);
    else
        showColumnTip();
}

void showColumnTip()
{
    TableDocument &doc = workspace().current();
    const QStringList unmapped = unmappedColumns(doc);
    for (const QString &firstAttribute : unmapped) {
        if (!firstAttribute.isEmpty())
            selectTreeNode(firstAttribute);
        showTipAtNode(tipControl(SlotWindow::Rep, QStringLiteral("template")), unmappedColumnTip);
    }
    if (unmapped.isEmpty())
        showTipAtControl(tipControl(SlotWindow::Prop, QStringLiteral("props")), propertySheetTip);
}
