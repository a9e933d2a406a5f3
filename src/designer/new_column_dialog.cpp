#include "designer/new_column_dialog.h"

#include "designer/attribute_editing.h"
#include "designer/designer_dialogs.h"
#include "designer/map_xml_box.h"
#include "designer/tree_sync.h"
#include "documents/column_types.h"
#include "documents/progress_bar.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/table_to_call.h"
#include "documents/workspace.h"
#include "generator/preview_highlight.h"
#include "platform/ui/ui_services.h"

#include <vector>

const TipText hiddenFieldTip{
    QStringLiteral("Hidden Field Visible"), QStringLiteral("Hidden Field"),
    QStringLiteral("Hidden Field is currently visible in web page, for development purposes.\r\n "
                   "To make it invisible, change property Visibility->Hidden to Invisible.")};
const TipText formTableTip{
    QStringLiteral("Table must be form"), QStringLiteral("Table Type"),
    QStringLiteral("When adding form elements to table, table must be of type Form. \r\nTable's "
                   "Type has been automatically changed to 'Form'. If you remove form elements, "
                   "you can change Table type under Type property in Table properties.")};
const TipText firstColumnTip{
    QStringLiteral("First time drag-and-drop and XSL"), QStringLiteral("Xpath and XSL"),
    QStringLiteral("You can drag and drop XML element from XML tree directly to attribute. "
                   "\r\n\r\nTo edit Xpath click Xpath property.\r\n\r\n To write XSL code for "
                   "attribute, set 'XSL Calculated' property of attribute to True \r\n and click "
                   "XSL Code property.")};

namespace {

// What the required attribute of a column holds when the dialog's box is not ticked.
enum class Unmapped { XslCode, Bare, Call };

struct FurtherAttribute {
    const char *name;
    const char *code;
};

struct ColumnDefaults {
    const char *type;
    Unmapped unmapped;
    const char *code; // the XSL code of an unmapped required attribute
    bool mappable;    // the box is consulted
    std::vector<FurtherAttribute> further;
};

const std::vector<ColumnDefaults> &columnDefaults()
{
    static const std::vector<ColumnDefaults> table{
        {"Text", Unmapped::XslCode, "Text Field", true, {}},
        {"Text (HTML segment)", Unmapped::XslCode, "Text Field &lt;b&gt;(HTML segment)&lt;/b&gt;",
         true, {}},
        {"Web Link", Unmapped::XslCode, "http://www.example.com/", true, {}},
        {"Image", Unmapped::Bare, "", true, {}},
        {"XSL Code", Unmapped::XslCode, "XSL Code Field", false, {}},
        {"Call Table", Unmapped::Call, "", false, {}},
        {"Input Field", Unmapped::XslCode, "", true, {{"size", "20"}}},
        {"Input Text Box (Textarea)", Unmapped::XslCode, "", true, {{"rows", "5"}, {"cols", "30"}}},
        {"Select", Unmapped::Bare, "", true, {}},
        {"Submit Button", Unmapped::XslCode, "", true, {{"value", "Button Text"}}},
        {"Hidden Field", Unmapped::XslCode, "Default Value", true, {}},
    };
    return table;
}

const ColumnDefaults *defaultsOf(const QString &type)
{
    for (const ColumnDefaults &defaults : columnDefaults())
        if (type == QLatin1String(defaults.type))
            return &defaults;
    return nullptr;
}

bool isFormType(const QString &type)
{
    return QStringList{"Hidden Field", "Input Field", "Input Text Box (Textarea)", "Select",
                       "Submit Button"}
        .contains(type);
}

void showTipAtColumn(const TipText &tip)
{
    showTipAtNode(tipControl(SlotWindow::Rep, QStringLiteral("template")), tip);
}

// Runs the dialog until it gives a name the column rules accept; "" when cancelled or
// refused.
QString askColumnName()
{
    NewColumnDialog &dialog = newColumnDialog();
    for (;;) {
        ctype2_Click(dialog, workspace().newColumnType);
        dialog.cname = nextColumnName(workspace().current().tree);
        dialog.result.clear();
        if (DesignerDialogs *dialogs = designerDialogs())
            dialogs->showNewColumn();
        const QString name = dialog.result;
        if (name.isEmpty())
            return {};
        if (name == StructureTree::tableKey) {
            ui().message(QStringLiteral("Column can't have name 'Table'. Please choose another name."));
            return {};
        }
        if (isValidName(name, false))
            return name;
    }
}

void addRequiredAttribute(const ColumnDefaults &defaults, const QString &column)
{
    const QString required = mainAttributeOf(QLatin1String(defaults.type));
    if (defaults.unmapped == Unmapped::Call)
        addAtt(required, newColumnDialog().tablePath, AttributeKind::Table);
    else if (defaults.mappable && mapXmlBox().ticked)
        addAtt(required, workspace().current().xmlNodeXpath, AttributeKind::Xpath);
    else if (defaults.unmapped == Unmapped::XslCode)
        addAtt(required, QLatin1String(defaults.code), AttributeKind::XslCode);
    else
        addAttributeNode(column, required);
}

void addDefaultAttributes(const QString &type, const QString &column)
{
    const ColumnDefaults *defaults = defaultsOf(type);
    if (!defaults)
        return;
    addRequiredAttribute(*defaults, column);
    // Each attribute added is selected, so the next one goes under the same column.
    for (const FurtherAttribute &attribute : defaults->further)
        addAtt(QLatin1String(attribute.name), QLatin1String(attribute.code), AttributeKind::XslCode);
}

// The column is shown, the sheet and the preview follow it.
void showNewColumn(const QString &column)
{
    showTreeSelecting(column);
    refillPropertySheet();
    runIfAutoRun();
    letPendingEventsRun();
    highlightInPreview();
    letPendingEventsRun();
}

void showColumnTips(const QString &type)
{
    if (type == QLatin1String("Hidden Field"))
        showTipAtColumn(hiddenFieldTip);
    if (isFormType(type) && getKey(QStringLiteral("Table Type-Table")) != QLatin1String("Form")) {
        setKey(QStringLiteral("Table Type-Table"), QStringLiteral("Form"), true);
        letPendingEventsRun();
        showTipAtColumn(formTableTip);
    }
    if (workspace().current().tree.root()->children.size() == 1)
        showTipAtColumn(firstColumnTip);
}

} // namespace

NewColumnDialog &newColumnDialog()
{
    static NewColumnDialog dialog;
    return dialog;
}

const QStringList &ctype2Items()
{
    static const QStringList items{"Text (HTML segment)", "Text", "Web Link", "Image",
                                   "XSL Code", "Call Table", "Input Field",
                                   "Input Text Box (Textarea)", "Select", "Submit Button",
                                   "Hidden Field"};
    return items;
}

void ctype2_Click(NewColumnDialog &dialog, const QString &type)
{
    dialog.type = ctype2Items().contains(type) ? type : QString();
    if (!dialog.type.isEmpty())
        workspace().newColumnType = type;
}

bool bok_Click(NewColumnDialog &dialog)
{
    const QString name = trimWhiteVar(dialog.cname);
    if (name.isEmpty()) {
        ui().message(QStringLiteral("Column name can't be blank"));
        return false;
    }
    if (dialog.type.isEmpty()) {
        ui().message(QStringLiteral("Please select column type."));
        return false;
    }
    if (dialog.type == QLatin1String("Call Table")) {
        dialog.tablePath = selectTableToCall();
        if (dialog.tablePath.isEmpty())
            return false;
    }
    dialog.result = name;
    return true;
}

void bclose_Click(NewColumnDialog &dialog) { dialog.result.clear(); }

void addSingleColumn()
{
    const QString name = askColumnName();
    if (name.isEmpty())
        return;
    TableDocument &doc = workspace().current();
    if (doc.tree.find(name)) {
        ui().message(QStringLiteral("This column already exists. Please choose another name."));
        return;
    }
    StructureTree::Node *column = doc.tree.add(StructureTree::tableKey, name, name);
    if (!column)
        return;
    const QString type = newColumnDialog().type;
    setKey(QStringLiteral("Border-") + name, QStringLiteral("1px solid gray"), true);
    setKey(QStringLiteral("Type-") + name, type, true);
    setNodeIcon(*column, doc.store);
    showTreeSelecting(name);
    addDefaultAttributes(type, name);
    showNewColumn(name);
    if (doc.tree.find(name))
        showColumnTips(type);
    setKey(QStringLiteral("First Time Column-") + name, QStringLiteral("True"), true);
}
