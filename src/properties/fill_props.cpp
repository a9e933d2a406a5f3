#include "properties/fill_props.h"

#include "documents/string_helpers.h"
#include "documents/views/property_sheet_view.h"
#include "documents/workspace.h"
#include "properties/property_keys.h"
#include "properties/property_sheets.h"
#include "properties/remembered_row.h"
#include "properties/sheet_builder.h"
#include "properties/sheet_selection.h"

#include <span>

namespace {

using Node = StructureTree::Node;

// Which key a step reads: caption, "-" and the node's text; caption, "-", column, "@" and
// the node's text; caption, "-", column and "@table".
enum class KeyOf { Node, ColumnAndNode, CalledTable };
// When a step runs at all.
enum class Guard { Always, NotAttribute, CallTableColumn };

// How a step reads: as stored, or without line breaks and Tabs; and whether an empty
// choice row gets its first choice, which is then stored.
enum Reading : unsigned { asStored = 0, flat = 1, choiceDefault = 2 };

struct FillStep {
    const char *caption;
    unsigned reading = asStored;
    KeyOf key = KeyOf::Node;
    Guard guard = Guard::Always;
};

// Every node kind, in this order.
const FillStep everyNode[] = {
    {"Page Title", flat},
    {"Import XSLT Files", flat},
    {"CSS Style"},
    {"Order Case", choiceDefault},
    {"Hidden"},
    {"Order Method", choiceDefault},
    {"Order Data Type", choiceDefault},
    {"Type", asStored, KeyOf::Node, Guard::NotAttribute},
    {"Horizontal Alignment", choiceDefault},
    {"Vertical Alignment", choiceDefault},
    {"Cell Spacing"},
    {"Cell Padding"},
    {"Headers Font"},
    {"Headers Border"},
    {"Headers Color"},
    {"Headers Background Color"},
    {"Headers Visible", choiceDefault},
    {"Headers Padding"},
    {"Header Title"},
    {"Color"},
    {"Background Color"},
    {"Break After", choiceDefault},
    {"Row Span", choiceDefault},
    {"Column Span", choiceDefault},
    {"Width"},
    {"Height"},
    {"Font"},
    {"Border"},
    {"Padding"},
    {"XSL Code", asStored, KeyOf::ColumnAndNode},
    {"XSL Calculated", choiceDefault, KeyOf::ColumnAndNode},
    {"Interface Used", choiceDefault, KeyOf::CalledTable, Guard::CallTableColumn},
    {"XML Fragment", choiceDefault, KeyOf::ColumnAndNode},
    {"Table", asStored, KeyOf::ColumnAndNode},
};

// The table root only.
const FillStep tableOnly[] = {
    {"Exclude Row If", flat},
    {"Xpath"},
    {"Table Type", choiceDefault},
    {"Enable getElementById", choiceDefault},
    {"Row (Debug)", flat},
    {"Enable Debug", flat | choiceDefault},
    {"XSLT Command Line", flat},
    {"Use Plug In XSLT", flat | choiceDefault},
    {"Table Scripts"},
    {"node-set Call", choiceDefault},
};

// Columns and attributes.
const FillStep columnsAndAttributes[] = {
    {"Exclude Column If", flat},
    {"Xpath", asStored, KeyOf::ColumnAndNode},
    {"Column (Debug)", flat},
    {"Enable Debug", flat | choiceDefault},
    {"Show Empty Cells", flat | choiceDefault},
    {"Hide Header", choiceDefault},
    {"Left Border"},
    {"Right Border"},
    {"Top Border"},
    {"Bottom Border"},
    {"Max Characters"},
};

// The holders get the stored text whole.
struct HolderStep {
    Holder holder;
    const char *caption;
    KeyOf key = KeyOf::Node;
};

const HolderStep everyNodeHolders[] = {{Holder::tcss, "CSS Style"}};
const HolderStep tableHolders[] = {{Holder::debugTable_newColumn, "Row (Debug)"},
                                   {Holder::txsl, "Table Scripts"}};
const HolderStep columnAndAttributeHolders[] = {
    {Holder::txsl, "XSL Code", KeyOf::ColumnAndNode},
    {Holder::debugTable_newAttribute, "Column (Debug)"}};

QString keyOf(const char *caption, KeyOf form, const Node &node)
{
    const QString column = columnOf(node).text;
    switch (form) {
    case KeyOf::ColumnAndNode:
        return QLatin1String(caption) + QChar('-') + column + QChar('@') + node.text;
    case KeyOf::CalledTable:
        return QLatin1String(caption) + QChar('-') + column + QStringLiteral("@table");
    case KeyOf::Node:
        break;
    }
    return QLatin1String(caption) + QChar('-') + node.text;
}

bool guardHolds(Guard guard, const Node &node, const PropertyStore &store)
{
    switch (guard) {
    case Guard::NotAttribute:
        return nodeKind(node) != NodeKind::Attribute;
    case Guard::CallTableColumn:
        return store.value(QStringLiteral("Type-") + columnOf(node).text) ==
               QLatin1String("Call Table");
    case Guard::Always:
        break;
    }
    return true;
}

void fillRows(std::span<const FillStep> steps, const Node &node, PropertySheet &sheet,
              PropertyStore &store)
{
    for (const FillStep &step : steps) {
        SheetItem *row = sheet.layout.findItem(QLatin1String(step.caption));
        if (!row || !guardHolds(step.guard, node, store))
            continue;
        const QString key = keyOf(step.caption, step.key, node);
        row->value = store.value(key);
        if (step.reading & flat) {
            stripBreaks(row->value);
            row->shownFlat = true;
        }
        if ((step.reading & choiceDefault) && row->value.isEmpty() && !row->choices.isEmpty()) {
            row->value = row->choices.constFirst();
            store.set(key, row->value);
        }
    }
}

void fillHolders(std::span<const HolderStep> steps, const Node &node, PropertySheet &sheet,
                 const PropertyStore &store)
{
    for (const HolderStep &step : steps)
        sheet.holder(step.holder) = store.value(keyOf(step.caption, step.key, node));
}

// The holder keeps the whole list; its row shows only whether there is one.
void fillPackedList(PropertySheet &sheet, Holder holder, const char *caption,
                    const char *shownText, const PropertyStore &store)
{
    const QString row = QLatin1String(caption);
    sheet.holder(holder) = store.value(row + QStringLiteral("-Table"));
    if (SheetItem *item = sheet.layout.findItem(row))
        item->value = sheet.holder(holder).isEmpty() ? QString() : QLatin1String(shownText);
}

// The sheet of no node: what a deleted node left in it goes with it.
void showNoNode(PropertySheet &sheet)
{
    sheet.layout = {};
    sheet.currentElement.clear();
    sheet.caption = PropertySheet{}.caption;
}

// The sheet of the node: its rows, holders and caption, the row last used for it selected.
void fillSheetFor(const Node &node, TableDocument &doc, PropertySheet &sheet)
{
    sheet.layout = buildSheet(sheetContextOf(doc, node));
    sheet.currentElement = node.key;
    doc.selectedPropertyCaption.clear();

    const bool isTable = nodeKind(node) == NodeKind::Table;
    fillRows(everyNode, node, sheet, doc.store);
    fillRows(isTable ? std::span<const FillStep>(tableOnly) : columnsAndAttributes, node, sheet,
             doc.store);
    fillHolders(everyNodeHolders, node, sheet, doc.store);
    fillHolders(isTable ? std::span<const HolderStep>(tableHolders) : columnAndAttributeHolders,
                node, sheet, doc.store);
    selectSheetRow(QStringLiteral("Xpath"));
    if (isTable) {
        fillPackedList(sheet, Holder::txinp, "XSLT Input Parameters", "Parameters", doc.store);
        fillPackedList(sheet, Holder::tcomp, "Table Interface", "Interface", doc.store);
    }
    if (SheetItem *mapInterface = sheet.layout.findItem(QStringLiteral("Map Interface")))
        mapInterface->value = QStringLiteral("Interface");
    sheet.caption = QStringLiteral("Properties [") + node.text + QChar(']');
    restoreRememberedRow();
}

} // namespace

void fillProps()
{
    Workspace &ws = workspace();
    // An edit still open belongs to the node shown until now.
    if (PropertySheetView *view = ws.currentViews().allProp)
        view->flushEditor();
    if (const Node *node = selectedNode())
        fillSheetFor(*node, ws.current(), currentSheet());
    else
        showNoNode(currentSheet());
    if (PropertySheetView *view = ws.currentViews().allProp)
        view->showSheet();
}
