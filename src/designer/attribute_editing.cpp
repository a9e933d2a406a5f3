#include "designer/attribute_editing.h"

#include "designer/designer_dialogs.h"
#include "designer/new_att_dialog.h"
#include "designer/table_editing.h"
#include "designer/tree_sync.h"
#include "documents/code_editor_pool.h"
#include "documents/column_types.h"
#include "documents/store_access.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"
#include "properties/mapping_entry.h"

namespace {

using Node = StructureTree::Node;

const QString selectColumnMessage =
    QStringLiteral("Please select one of the columns in Table window, and then click this button.");

QString ownerKey(const QString &column, const QString &attribute)
{
    return column + QChar('@') + attribute;
}

QString requiredAttributeOf(const QString &column)
{
    return mainAttributeOf(getKey(QStringLiteral("Type-") + column));
}

// The selected node when a column or an attribute is; else the user is told.
const Node *selectedColumnOrAttribute()
{
    const TableDocument &doc = workspace().current();
    const Node *node = doc.tree.find(doc.selectedNodeKey);
    if (!node) {
        ui().message(selectColumnMessage);
        return nullptr;
    }
    if (node->text == StructureTree::tableKey) {
        ui().message(QStringLiteral("Table is currently selected. ") + selectColumnMessage);
        return nullptr;
    }
    return node;
}

bool mayAddAttribute(const QString &column)
{
    const QString type = getKey(QStringLiteral("Type-") + column);
    if (getKey(QStringLiteral("Xpath-") + ownerKey(column, mainAttributeOf(type))).isEmpty()) {
        ui().message(QStringLiteral(
            "You must first map required attribute, before creating additional attributes."));
        return false;
    }
    if (type == QLatin1String("XSL Code")) {
        ui().message(QStringLiteral("This is column calculated by XSL Code. Doubleclick xslCode "
                                    "attribute to edit XSL."));
        return false;
    }
    return true;
}

} // namespace

bool addAttributeNode(const QString &column, const QString &name)
{
    TableDocument &doc = workspace().current();
    Node *node = doc.tree.add(column, column + QChar('-') + name, name);
    if (!node)
        return false;
    setNodeIcon(*node, doc.store);
    return true;
}

bool addAtt(const QString &name, const QString &value, AttributeKind kind)
{
    const Node *current = currentColumn();
    if (!current || nodeKind(*current) != NodeKind::Column)
        return false;
    const QString column = current->text;
    if (!addAttributeNode(column, name)) {
        ui().message(QStringLiteral("This attribute already exists. Please choose another name."));
        return false;
    }
    const QString owner = ownerKey(column, name);
    switch (kind) {
    case AttributeKind::Table:
        setKey(QStringLiteral("Table-") + owner, value, true);
        break;
    case AttributeKind::Xpath:
        setKey(QStringLiteral("Xpath-") + owner, value, true);
        break;
    case AttributeKind::XslCode:
        setKey(QStringLiteral("Xpath-") + owner,
               getKey(QStringLiteral("Xpath-") + ownerKey(column, requiredAttributeOf(column))), true);
        setKey(QStringLiteral("XSL Calculated-") + owner, QStringLiteral("True"), true);
        setKey(QStringLiteral("XSL Code-") + owner, value, true);
        break;
    }
    showTreeSelecting(column + QChar('-') + name);
    refillPropertySheet();
    return true;
}

void badd_Click()
{
    if (!selectedColumnOrAttribute())
        return;
    if (!mayAddAttribute(currentColumn()->text))
        return;
    NewAttDialog &dialog = newAttDialog();
    initWin(dialog);
    dialog.result.clear();
    if (DesignerDialogs *dialogs = designerDialogs())
        dialogs->showNewAtt();
    if (dialog.result.isEmpty())
        return;
    const bool xsl = dialog.usexsl;
    if (!addAtt(dialog.result, QString(), xsl ? AttributeKind::XslCode : AttributeKind::Xpath))
        return;
    if (xsl)
        editMapping();
    runIfAutoRun();
}

void bdel_Click()
{
    const Node *node = selectedColumnOrAttribute();
    if (!node)
        return;
    if (nodeKind(*node) != NodeKind::Attribute) {
        ui().message(QStringLiteral("Please select an attribute and then try again."));
        return;
    }
    const QString column = node->parent->text;
    if (nodeNameIs(node->text, requiredAttributeOf(column))) {
        ui().message(QStringLiteral("Required attributed can't be deleted."));
        return;
    }
    if (ui().askYesNo(QStringLiteral("Are you sure you want to delete this attribute?")) !=
        UiServices::Answer::Yes)
        return;
    const QString key = node->key;
    releaseNodeEditors(workspace().curTable, {key});
    deleteAllKeysForAttribute(column, node->text);
    workspace().current().tree.remove(key);
    showTreeAfterDelete(column);
    runIfAutoRun();
}
