#include "designer/table_editing.h"

#include "designer/attribute_editing.h"
#include "designer/map_xml_box.h"
#include "designer/new_column_dialog.h"
#include "designer/tree_sync.h"
#include "documents/code_editor_pool.h"
#include "documents/once_only_tips.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/table_slots.h"
#include "documents/views/main_window_view.h"
#include "documents/views/preview_view.h"
#include "documents/views/property_sheet_view.h"
#include "documents/views/table_tree_view.h"
#include "documents/views/xml_tree_view.h"
#include "documents/workspace.h"
#include "generator/preview_highlight.h"
#include "platform/ui/ui_services.h"
#include "properties/fill_props.h"
#include "properties/property_sheets.h"

#include <QStringList>

namespace {

using Node = StructureTree::Node;

TableDocument &doc() { return workspace().current(); }


int rowOf(const Node &node)
{
    const auto &siblings = node.parent->children;
    for (size_t row = 0; row < siblings.size(); ++row)
        if (siblings[row].get() == &node)
            return int(row);
    return -1;
}

// A sibling column at an offset of the current one, null past either end.
Node *siblingAt(const Node &column, int offset)
{
    const int row = rowOf(column) + offset;
    const auto &siblings = column.parent->children;
    return row >= 0 && size_t(row) < siblings.size() ? siblings[size_t(row)].get() : nullptr;
}

// True when a column or an attribute is selected; else the user is asked to select one
// for the command (verb), with the request please.
bool columnChosen(const QString &verb, const QString &please)
{
    const Node *node = selectedNode();
    if (!node) {
        ui().message(please);
        return false;
    }
    if (node->key == StructureTree::tableKey) {
        ui().message(QStringLiteral("Can't ") + verb + QStringLiteral(" 'Table'. ") + please);
        return false;
    }
    return true;
}

void moveBy(int offset)
{
    if (!columnChosen(QStringLiteral("move"),
                      QStringLiteral("Please select column in Table window to move it.")))
        return;
    Node *column = currentColumn();
    Node *neighbour = siblingAt(*column, offset);
    if (!neighbour)
        return;
    const QString key = column->key;
    if (offset > 0)
        swapNodes(neighbour->key, key);
    else
        swapNodes(key, neighbour->key);
    doc().selectedNodeKey = key;
    refreshTableWindow();
    scrollTreesLeft();
    refillPropertySheet();
    runIfAutoRun();
}

QString ownerOf(const QString &key)
{
    const qsizetype dash = key.indexOf(QChar('-'));
    return dash < 0 ? QString() : key.mid(dash + 1);
}

bool ownedByColumn(const QString &key, const QString &column)
{
    const QString owner = ownerOf(key);
    return owner == column || owner.startsWith(column + QChar('@')) ||
           key.startsWith(QStringLiteral("Xpath Changed Flag-") + column + QChar('-')) ||
           key.startsWith(QStringLiteral("Call Xpath-") + column + QStringLiteral("@table-"));
}

// The key a column's entry gets when the column is renamed; the key itself when the
// entry is not the column's.
QString rekeyed(const QString &key, const QString &oldName, const QString &newName)
{
    const qsizetype dash = key.indexOf(QChar('-'));
    if (dash < 0)
        return key;
    const QString property = key.left(dash);
    if (key.mid(dash + 1) == oldName)
        return property + QChar('-') + newName;
    const QString flag = QStringLiteral("Xpath Changed Flag-") + oldName + QChar('-');
    if (key.startsWith(flag))
        return QStringLiteral("Xpath Changed Flag-") + newName + QChar('-') + key.mid(flag.size());
    const QString inner = QChar('-') + oldName + QChar('@');
    const qsizetype at = key.indexOf(inner);
    if (at < 0)
        return key;
    return key.left(at) + QChar('-') + newName + QChar('@') + key.mid(at + inner.size());
}

bool isColumnName(const QString &name)
{
    const Node *table = doc().tree.root();
    for (const auto &column : table->children)
        if (column->text == name)
            return true;
    return false;
}

bool acceptableColumnName(const QString &name)
{
    if (!isValidName(name, false))
        return false;
    if (name == StructureTree::tableKey) {
        ui().message(QStringLiteral("Column can't have name 'Table'. Please choose another name."));
        return false;
    }
    if (isColumnName(name)) {
        ui().message(QStringLiteral("This column already exists. Please choose another name."));
        return false;
    }
    return true;
}

void rekeyStore(const QString &oldName, const QString &newName)
{
    PropertyStore &store = doc().store;
    QStringList keys;
    for (const PropertyStore::Entry &entry : store.entries())
        keys.append(entry.key);
    for (const QString &key : keys) {
        const QString newKey = rekeyed(key, oldName, newName);
        if (newKey == key)
            continue;
        store.remove(newKey); // a leftover of an earlier column of that name
        store.rename(key, newKey);
    }
}

// A renamed node keeps its selection, the sheet showing it and its open code editors.
void followRekeyedNode(const QString &oldKey, const QString &newKey)
{
    if (doc().selectedNodeKey == oldKey)
        doc().selectedNodeKey = newKey;
    PropertySheet &sheet = currentSheet();
    if (sheet.currentElement == oldKey)
        sheet.currentElement = newKey;
    rekeyNodeEditors(workspace().curTable, oldKey, newKey);
}

void rekeyNodes(const QString &oldName, const QString &newName)
{
    StructureTree &tree = doc().tree;
    Node *column = tree.find(oldName);
    column->text = newName;
    tree.rekey(oldName, newName);
    followRekeyedNode(oldName, newName);
    for (const auto &attribute : column->children) {
        const QString oldKey = attribute->key;
        tree.rekey(oldKey, newName + QChar('-') + attribute->text);
        followRekeyedNode(oldKey, attribute->key);
    }
}

// The keys of a column's node and of its attribute nodes.
QStringList nodeKeysOf(const Node &column)
{
    QStringList keys{column.key};
    for (const auto &attribute : column.children)
        keys.append(attribute->key);
    return keys;
}

// An attribute calculated by XSL code whose code is blank gets its tip once.
void offerEmptyCodeTip(const Node &node)
{
    const QString owner = currentColumn()->text + QChar('@') + node.text;
    if (getKey(QStringLiteral("XSL Calculated-") + owner) != QLatin1String("True") ||
        !trimWhiteVar(getKey(QStringLiteral("XSL Code-") + owner)).isEmpty())
        return;
    const TipText tip{QStringLiteral("XSL Calculated but no Code") + owner,
                      QStringLiteral("XSL Code empty"),
                      QStringLiteral("Attribute is XSL Calculated, but it's XSL Code is empty.")};
    showTipAtNode(tipControl(SlotWindow::Rep, QStringLiteral("template")), tip);
}

} // namespace

void nodeClick(const QString &key)
{
    if (!doc().tree.find(key))
        return;
    doc().selectedNodeKey = key;
    const SlotViews &views = workspace().currentViews();
    if (views.allProp)
        views.allProp->fillProps();
    highlightInPreview();
    offerEmptyCodeTip(*doc().tree.find(key));
}

void followTreeCurrent(const QString &key)
{
    if (key != doc().selectedNodeKey)
        nodeClick(key);
}

void addit_Click()
{
    const TableDocument &d = doc();
    const SlotViews &views = workspace().currentViews();
    const bool xmlSelected = !d.xmlNodeXpath.isEmpty();
    if (xmlSelected && views.parser) {
        views.parser->selectNodeIndex(d.xmlNodeIndex);
        views.parser->scrollLeft();
    }
    mapXmlBox() = {false, xmlSelected};
    addSingleColumn();
}

void mup_Click() { moveBy(-1); }

void mdown_Click() { moveBy(1); }

void swapNodes(const QString &keyA, const QString &keyB)
{
    StructureTree &tree = doc().tree;
    const Node *a = tree.find(keyA);
    const Node *b = tree.find(keyB);
    if (!a || !b || a->parent != b->parent)
        return;
    const int rowA = rowOf(*a);
    int rowB = rowOf(*b);
    if (rowA < rowB)
        --rowB;
    tree.move(keyA, a->parent->key, rowB);
    doc().selectedNodeKey = keyA;
    doc().tableChanged = true; // the order of the columns is the order of the table
}

void removeit_Click()
{
    if (!columnChosen(QStringLiteral("delete"),
                      QStringLiteral("Please select column in Table window to delete it.")))
        return;
    if (ui().askYesNo(QStringLiteral("Are you sure you want to delete this column?")) !=
        UiServices::Answer::Yes)
        return;
    const QString column = currentColumn()->key;
    releaseNodeEditors(workspace().curTable, nodeKeysOf(*currentColumn()));
    currentSheet().currentElement.clear();
    doc().selectedNodeKey = column; // the attribute nodes go first
    deleteAttKeys();
    deleteColKeys();
    doc().tree.remove(column);
    doc().tableChanged = true;
    showTreeAfterDelete(QString());
    runIfAutoRun();
}

void deleteAllKeysForAttribute(const QString &column, const QString &attribute)
{
    const QString owner = QChar('-') + column + QChar('@') + attribute;
    for (const char *property : {"Table", "Xpath", "XSL Code", "XSL Calculated"})
        removeKey(QLatin1String(property) + owner);
}

void deleteAttKeys()
{
    Node *column = currentColumn();
    if (!column || nodeKind(*column) == NodeKind::Table)
        return;
    for (const auto &attribute : column->children)
        deleteAllKeysForAttribute(column->text, attribute->text);
    QStringList attributeKeys;
    for (const auto &attribute : column->children)
        attributeKeys.append(attribute->key);
    for (const QString &key : attributeKeys)
        doc().tree.remove(key);
}

void deleteColKeys()
{
    const Node *column = currentColumn();
    if (!column)
        return;
    QStringList owned;
    for (const PropertyStore::Entry &entry : doc().store.entries())
        if (ownedByColumn(entry.key, column->text))
            owned.append(entry.key);
    for (const QString &key : owned)
        removeKey(key);
}

void ren_Click()
{
    if (!columnChosen(QStringLiteral("rename"),
                      QStringLiteral("Please select column in Table window and then try again.")))
        return;
    const QString oldName = currentColumn()->text;
    bool ok = false;
    const QString answer = ui().inputBox(QStringLiteral("New column name:"),
                                         QStringLiteral("Change column name"), oldName, &ok);
    if (ok)
        rekeyColumn(oldName, answer);
    runIfAutoRun();
}

void labelEdited(const QString &oldName, const QString &newName)
{
    rekeyColumn(oldName, newName);
    runIfAutoRun();
}

bool rekeyColumn(const QString &oldName, const QString &newName)
{
    // A blank name or the same name keeps the column as it is, without a word.
    if (newName.trimmed().isEmpty() || newName == oldName || !doc().tree.find(oldName) ||
        !acceptableColumnName(newName)) {
        refreshTableWindow();
        return false;
    }
    const bool sheetShowsIt = currentSheet().currentElement == oldName;
    rekeyStore(oldName, newName);
    rekeyNodes(oldName, newName);
    doc().tableChanged = true;
    refreshTableWindow();
    if (sheetShowsIt) // its caption names the column
        fillProps();
    return true;
}

bool mayEditLabel(const QString &key)
{
    const Node *node = doc().tree.find(key);
    if (!node)
        return false;
    if (nodeKind(*node) == NodeKind::Table) {
        ui().message(QStringLiteral("Can't rename Table element"));
        return false;
    }
    return nodeKind(*node) == NodeKind::Column;
}

void deleteKeyPressed()
{
    const Node *node = selectedNode();
    if (!node)
        return;
    if (nodeKind(*node) == NodeKind::Attribute) {
        bdel_Click();
        return;
    }
    if (node->text != StructureTree::tableKey)
        removeit_Click();
}

std::vector<MenuItemState> mainRStates(NodeKind kind)
{
    const bool table = kind == NodeKind::Table;
    const bool column = kind == NodeKind::Column;
    const bool attribute = kind == NodeKind::Attribute;
    return {{QStringLiteral("addCol"), table},          {QStringLiteral("addAttribute"), column},
            {QStringLiteral("editAttribute"), !table},  {QStringLiteral("renameColumn"), column},
            {QStringLiteral("moveUp"), column},         {QStringLiteral("moveDown"), column},
            {QStringLiteral("deleteColumn"), column},   {QStringLiteral("deleteAttribute"), attribute}};
}

QString editAttributeCaption(NodeKind kind)
{
    switch (kind) {
    case NodeKind::Column:
        return QStringLiteral("Edit required attribute");
    case NodeKind::Attribute:
        return QStringLiteral("Edit attribute");
    case NodeKind::Table:
        break;
    }
    return {};
}

void popUpMainR()
{
    MainWindowView *view = workspace().mainWindow;
    if (!view)
        return;
    if (const Node *node = selectedNode()) {
        const NodeKind kind = nodeKind(*node);
        for (const MenuItemState &item : mainRStates(kind))
            view->setMenuEnabled(item.name, item.enabled);
        const QString caption = editAttributeCaption(kind);
        if (!caption.isEmpty())
            view->setMenuCaption(QStringLiteral("editAttribute"), caption);
    }
    view->popUpMenu(QStringLiteral("mainR"));
}
