#include "properties/sheet_commands.h"

#include "documents/column_types.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/table_to_call.h"
#include "documents/tree_selection.h"
#include "documents/views/interface_dialogs_view.h"
#include "documents/views/main_window_view.h"
#include "documents/views/preview_view.h"
#include "documents/views/property_sheet_view.h"
#include "documents/views/table_tree_view.h"
#include "documents/views/xml_tree_view.h"
#include "documents/workspace.h"
#include "generator/stylesheet_header.h"
#include "platform/ui/ui_services.h"
#include "properties/code_editors.h"
#include "properties/commit_props.h"
#include "properties/fill_props.h"
#include "properties/mapping_entry.h"
#include "properties/property_keys.h"
#include "properties/property_sheets.h"
#include "properties/sheet_selection.h"
#include "properties/value_encodings.h"

namespace {

using Node = StructureTree::Node;

PropertySheetView *sheetWindow() { return workspace().currentViews().allProp; }

// A row whose button opens a code editor: its kind of code, the editor's caption with %1
// for the node's key, and whether the row then shows its value without line breaks.
struct CodeRow {
    const char *caption;
    const char *kind;
    const char *title;
    bool flatten = false;
};

const CodeRow codeRows[] = {
    {"XSL Code", "xsl", "XSL Code [%1]"},
    {"Row (Debug)", "debugTable_newColumn",
     "Debug Print : Evaluate XSL code for each Table Row [XSL Code]"},
    {"Column (Debug)", "debugTable_newAttribute",
     "Debug Print : Evaluate XSL code for Attributes [XSL Code]"},
    {"Table Scripts", "scripts", "Web Scripts"},
    {"CSS Style", "css", "CSS Code [%1]"},
    {"Exclude Row If", "eliminate", "Exclude Instance of [%1] If", true},
    {"Exclude Column If", "eliminate", "Exclude Instance of [%1] If", true},
    {"Xpath", "xpath", "Xpath Code [%1]", true},
};

// A row whose button opens a picker; the value chosen goes into the row.
struct PickerRow {
    QStringList captions;
    QString (*pick)(const QString &caption, const QString &value);
};

QString pickSize(const QString &caption, const QString &value)
{
    QString title = QStringLiteral("Select padding value");
    if (caption == QLatin1String("Cell Spacing"))
        title = QStringLiteral("Select cell spacing");
    else if (caption == QLatin1String("Cell Padding"))
        title = QStringLiteral("Select cell padding");
    PropertySheetView *sheet = sheetWindow();
    return sheet ? sheet->pickSize(title, value) : QString();
}

const PickerRow pickerRows[] = {
    {{"Color", "Background Color", "Headers Color", "Headers Background Color"},
     [](const QString &, const QString &value) { return getColor(value); }},
    {{"Font", "Headers Font"}, [](const QString &, const QString &value) { return pickFont(value); }},
    {{"Border", "Headers Border", "Left Border", "Right Border", "Top Border", "Bottom Border"},
     [](const QString &, const QString &value) {
         PropertySheetView *sheet = sheetWindow();
         return sheet ? sheet->pickBorder(value) : QString();
     }},
    {{"Padding", "Headers Padding", "Cell Spacing", "Cell Padding"}, pickSize},
    {{"Table"}, [](const QString &, const QString &) { return selectTableToCall(); }},
};

void putAndCommit(const QString &caption, const QString &value)
{
    if (value.isEmpty() || !putIntoRow(caption, value))
        return;
    updateProps();
    if (PropertySheetView *sheet = sheetWindow())
        sheet->showSheet();
}

// The editor opens with the code as stored now, whole, whatever the row shows of it.
void openCodeRow(const CodeRow &row, SheetItem &item, const Node &node)
{
    const QString shownKey =
        row.kind == QLatin1String("eliminate") && nodeKind(node) == NodeKind::Table
            ? QStringLiteral("Row")
            : node.key;
    QString title = QString::fromLatin1(row.title);
    title.replace(QStringLiteral("%1"), shownKey);
    if (!openCodeEditor(QString::fromLatin1(row.kind), getKey(propertyKey(item.caption, node)), title))
        return;
    if (row.flatten) {
        stripBreaks(item.value);
        item.shownFlat = true;
        if (PropertySheetView *window = sheetWindow())
            window->showSheet();
    }
}

void doInterface()
{
    if (InterfaceDialogsView *dialogs = workspace().interfaceDialogs)
        dialogs->doInterface();
}

void doCallInterface()
{
    if (InterfaceDialogsView *dialogs = workspace().interfaceDialogs)
        dialogs->mapInterface();
}

void addColumnOfType(const QString &type)
{
    Workspace &ws = workspace();
    ws.newColumnType = type;
    if (TableTreeView *tree = ws.currentViews().rep)
        tree->addit_Click();
}

} // namespace

void inplaceButtonDown()
{
    const QString caption = workspace().current().selectedPropertyCaption;
    SheetItem *item = currentSheet().layout.findItem(caption);
    if (!item || item->kind != SheetItem::Kind::Row)
        return;
    const Node *node = selectedNode();
    for (const CodeRow &row : codeRows)
        if (node && caption == QLatin1String(row.caption))
            return openCodeRow(row, *item, *node);
    for (const PickerRow &row : pickerRows)
        if (row.captions.contains(caption))
            return putAndCommit(caption, row.pick(caption, item->value));
    if (caption == QLatin1String("XSLT Input Parameters"))
        doInputP();
    else if (caption == QLatin1String("Table Interface"))
        doInterface();
    else if (caption == QLatin1String("Map Interface"))
        doCallInterface();
}

void verbClick(int id)
{
    Workspace &ws = workspace();
    const SlotViews &views = ws.currentViews();
    TableTreeView *tree = views.rep;
    switch (id) {
    case 100: if (tree) tree->addit_Click(); break;
    case 101: if (tree) tree->badd_Click(); break;
    case 102: if (tree) tree->removeit_Click(); break;
    case 103: if (tree) tree->bdel_Click(); break;
    case 104: if (tree) tree->ren_Click(); break;
    case 105:
    case 107:
    case 112: editMapping(); break;
    case 109: addColumnOfType(QStringLiteral("Call Table")); break;
    case 110: if (views.result) views.result->rbrowser_Click(); break;
    case 111: if (views.parser) views.parser->cmdBrowse_Click(); break;
    case 113: if (ws.mainWindow) ws.mainWindow->shgenXSL_Click(); break;
    case 116: addColumnOfType(QStringLiteral("XSL Code")); break;
    case 117: if (ws.mainWindow) ws.mainWindow->saveX_Click(0); break;
    case 119: goCss(); break;
    case 120: doInputP(); break;
    case 121: doInterface(); break;
    default: break;
    }
}

QString getColor(const QString &current)
{
    const QString preset =
        current.startsWith(QChar('#')) ? ColorToHTML(Dec(current.mid(1))) : QString();
    return ui().chooseColor(preset);
}

void goCss()
{
    Workspace &ws = workspace();
    const Node *node = selectedNode();
    if (!node)
        return;
    if (nodeKind(*node) == NodeKind::Attribute) {
        ws.current().selectedNodeKey = node->parent->key;
        if (TableTreeView *tree = ws.currentViews().rep)
            tree->selectNode(node->parent->key);
        fillProps();
    }
    if (selectProperty(QStringLiteral("CSS Style")))
        inplaceButtonDown();
}

void doInputP()
{
    const QString declarations = makeParamDecls();
    if (PropertySheetView *sheet = sheetWindow())
        sheet->showInputParams();
    if (makeParamDecls() != declarations)
        runIfAutoRun();
}
