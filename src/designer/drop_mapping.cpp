#include "designer/drop_mapping.h"

#include "designer/table_editing.h"
#include "designer/tree_sync.h"
#include "documents/column_types.h"
#include "documents/store_access.h"
#include "documents/table_slots.h"
#include "documents/tree_selection.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"

const TipText xslCodeDisabledTip{
    QStringLiteral("XSL Code will be disabled"), QStringLiteral("XSL Calculated column"),
    QStringLiteral("This attribute is currently XSL Calculated. \r\n'XSL Calculated' property "
                   "will be set to 'False' and attribute will be mapped to XML (Xpath). \r\nIf "
                   "you only wanted to change Xpath axis for your code, simply change 'XSL "
                   "Calculated' property to 'True'. Your XSL Code has been saved.")};

namespace {

using Node = StructureTree::Node;

constexpr double topScrollBand = 100;    // twips
constexpr double bottomScrollBand = 200; // twips

const QString tableXpathKey = QStringLiteral("Xpath-Table");

bool isXpathText(const QString &text)
{
    return text.startsWith(QChar('/')) && !text.contains(QChar('\n')) && !text.contains(QChar('\r'));
}

// Puts the dragged column just before the column it is dropped on. A drop on itself, on
// the Table node or on an attribute, and a key that names no column, do nothing.
void moveColumn(const QString &moved, const Node &target)
{
    const Node *column = workspace().current().tree.find(moved);
    if (!column || nodeKind(*column) != NodeKind::Column || nodeKind(target) != NodeKind::Column ||
        target.key == moved)
        return;
    swapNodes(moved, target.key);
    showTreeSelecting(moved);
    scrollTreesLeft();
    refillPropertySheet();
    runIfAutoRun();
}

// The key that records that the Xpath of the Table node or of an attribute was edited by
// hand.
QString changedFlagKey(const Node &node)
{
    if (nodeKind(node) == NodeKind::Table)
        return QStringLiteral("Xpath Changed Flag-Table");
    return QStringLiteral("Xpath Changed Flag-") + node.parent->text + QChar('-') + node.text;
}

// False when the user keeps an Xpath edited by hand.
bool mayOverwrite(const Node &node)
{
    const QString flag = changedFlagKey(node);
    if (getKey(flag) != QLatin1String("True"))
        return true;
    if (ui().askYesNo(QStringLiteral("This element's Xpath was edited (changed) manually before. "
                                     "Do you want to overwrite it with new Xpath?")) !=
        UiServices::Answer::Yes)
        return false;
    removeKey(flag);
    return true;
}

void mapTableRows(const QString &xpath)
{
    setKey(tableXpathKey, xpath, true);
    refillPropertySheet();
    scrollTreesLeft();
    runIfAutoRun();
}

bool isCalledTableAttribute(const Node &node)
{
    return nodeNameIs(node.text, QStringLiteral("table")) &&
           getKey(QStringLiteral("Type-") + node.parent->text) == QLatin1String("Call Table");
}

} // namespace

QString dragText()
{
    const Node *column = currentColumn();
    return column ? QChar('|') + column->key : QString();
}

int dragScrollDirection(double yTwips, double heightTwips)
{
    if (yTwips > 0 && yTwips < topScrollBand)
        return -1;
    if (yTwips > heightTwips - bottomScrollBand && yTwips < heightTwips)
        return 1;
    return 0;
}

void dropOnTree(const QString &text, const QString &key)
{
    const Node *node = workspace().current().tree.find(key);
    if (!node)
        return;
    if (text.startsWith(QChar('|'))) {
        moveColumn(text.mid(1), *node);
        return;
    }
    if (!isXpathText(text))
        return;
    selectTreeNode(key);
    const NodeKind kind = nodeKind(*node);
    if (kind != NodeKind::Column && !mayOverwrite(*node))
        return;
    if (kind == NodeKind::Table)
        mapTableRows(text);
    else if (kind == NodeKind::Column)
        ui().message(QStringLiteral("To map attributes, please drag XML to column's attribute"));
    else if (isCalledTableAttribute(*node))
        ui().message(QStringLiteral("Can't map XML to table attribute of Call Table field."));
    else
        mapXmlToAttribute(text, key);
}

void mapXmlToAttribute(const QString &xpath, const QString &key)
{
    const Node *node = workspace().current().tree.find(key);
    if (!node || nodeKind(*node) != NodeKind::Attribute)
        return;
    selectTreeNode(key);
    const QString column = node->parent->text;
    const QString owner = column + QChar('@') + node->text;
    setKey(QStringLiteral("Xpath-") + owner, xpath, true);
    const QString calculated = QStringLiteral("XSL Calculated-") + owner;
    if (getKey(calculated) == QLatin1String("True")) {
        const QString firstTime = QStringLiteral("First Time Column-") + column;
        if (getKey(firstTime) == QLatin1String("True"))
            removeKey(firstTime);
        else
            showTipAtNode(tipControl(SlotWindow::Rep, QStringLiteral("template")), xslCodeDisabledTip);
    }
    setKey(calculated, QStringLiteral("False"), true);
    if (getKey(tableXpathKey).isEmpty())
        setKey(tableXpathKey, xpath, true);
    refillPropertySheet();
    runIfAutoRun();
}
