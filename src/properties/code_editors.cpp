#include "properties/code_editors.h"

#include "documents/code_editor_pool.h"
#include "documents/column_types.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/views/property_sheet_view.h"
#include "documents/workspace.h"
#include "generator/code_field_fault.h"
#include "generator/stylesheet_header.h"
#include "generator/value_code.h"
#include "platform/ui/ui_services.h"
#include "properties/commit_props.h"
#include "properties/fill_props.h"
#include "properties/mapping_entry.h"
#include "properties/property_keys.h"
#include "properties/property_sheets.h"
#include "properties/remembered_row.h"
#include "properties/sheet_selection.h"

#include <array>

namespace {

using Node = StructureTree::Node;

std::array<CodeEditorState, codeEditorPoolSize> states;

// The Xpath the edited node's values are relative to.
QString contextXpath(const Node &node)
{
    if (nodeKind(node) != NodeKind::Column)
        return getKey(propertyKey(QStringLiteral("Xpath"), node));
    return getKey(QStringLiteral("Xpath-") + node.key + QChar('@') +
                  mainAttributeOf(getKey(QStringLiteral("Type-") + node.key)));
}

bool saveInOwnSlot(int index, const CodeEditorRecord &editor)
{
    CodeEditorState &state = states[size_t(index)];
    TableDocument &doc = workspace().current();
    const Node *node = doc.tree.find(editor.myElement);
    if (!node)
        return false;
    selectTreeNode(editor.myElement);
    selectProperty(state.propCaption);
    rememberProperty();
    fillProps();
    updateProps();
    const QString row = rowOfKind(editor.myFunction, nodeKind(*node) == NodeKind::Table);
    if (!selectX(row) || !putIntoRow(row, state.code))
        return false;
    currentSheet().layout.findItem(row)->value = state.code;
    showSelectedRow();
    if (editor.myFunction == QLatin1String("xpath") && state.code != state.savedCode)
        setKey(QStringLiteral("Xpath Changed Flag-") + editor.myElement, QStringLiteral("True"),
               true);
    state.savedCode = state.code;
    updateProps();
    if (PropertySheetView *sheet = workspace().currentViews().allProp)
        sheet->showSheet();
    return true;
}

// The edited field as generation names it, checked as what it holds. Code whose node is gone
// is not checked: the save says that it has nowhere to go.
XslSyntaxResult checkEditedCode(const CodeEditorRecord &editor, const QString &code)
{
    const Node *node = workspace().current().tree.find(editor.myElement);
    if (!node)
        return {};
    const NodeKind kind = nodeKind(*node);
    const QString column = kind == NodeKind::Table ? QString() : columnOf(*node).text;
    const QString attribute = kind == NodeKind::Attribute ? node->text : QString();
    const CodeField field{rowOfKind(editor.myFunction, kind == NodeKind::Table),
                          fieldOwner(column, attribute), code};
    if (fieldKind(field.caption, column, attribute) == FieldKind::Xpath)
        return checkXpathSyntaxOf(code, namedField(field));
    return checkXslSyntax(code, namedField(field));
}

} // namespace

CodeEditorState &codeEditorState(int index) { return states[size_t(index)]; }

bool openCodeEditor(const QString &kind, const QString &code, const QString &caption)
{
    Workspace &ws = workspace();
    const int index = getXslEditor(ws.current().selectedNodeKey, kind);
    if (index < 0) {
        ui().message(QStringLiteral("All %1 code editors are in use. Please close a table to "
                                    "free its code editors.")
                         .arg(codeEditorPoolSize));
        return false;
    }
    CodeEditorState &state = states[size_t(index)];
    state.code = code;
    state.savedCode = code;
    state.propCaption = ws.current().selectedPropertyCaption;
    ws.xslEditForms[size_t(index)].opened = true;
    if (PropertySheetView *sheet = ws.currentViews().allProp)
        sheet->showCodeEditor(index, caption);
    return true;
}

QString rowOfKind(const QString &kind, bool onTable)
{
    static const std::pair<const char *, const char *> rows[] = {
        {"xsl", "XSL Code"},
        {"scripts", "Table Scripts"},
        {"css", "CSS Style"},
        {"xpath", "Xpath"},
        {"debugTable_newColumn", "Row (Debug)"},
        {"debugTable_newAttribute", "Column (Debug)"},
    };
    if (kind == QLatin1String("eliminate"))
        return onTable ? QStringLiteral("Exclude Row If") : QStringLiteral("Exclude Column If");
    for (const auto &[name, row] : rows)
        if (kind == QLatin1String(name))
            return QString::fromLatin1(row);
    return {};
}

CodeSaveResult saveCodeEditor(int index)
{
    const CodeEditorRecord &editor = workspace().xslEditForms[size_t(index)];
    const CurTableGuard guard(editor.exists ? editor.myTab : workspace().curTable);
    CodeSaveResult result;
    result.syntax = checkEditedCode(editor, states[size_t(index)].code);
    if (!result.syntax.ok)
        return result;
    if (editor.exists)
        result.saved = saveInOwnSlot(index, editor);
    if (!result.saved)
        ui().message(QStringLiteral("The column or attribute of this code no longer exists. The "
                                    "code cannot be saved."));
    return result;
}

bool checkChange(int index)
{
    CodeEditorState &state = states[size_t(index)];
    if (trimWhiteVar(state.code) == trimWhiteVar(state.savedCode))
        return true;
    switch (ui().askYesNoCancel(
        QStringLiteral("Code has changed since last save. Do you want to save it?"))) {
    case UiServices::Answer::Yes: {
        const CodeSaveResult result = saveCodeEditor(index);
        if (!result.syntax.ok)
            return false;
        state.savedCode = state.code; // saved, or given up with its column or attribute
        return true;
    }
    case UiServices::Answer::No:
        state.savedCode = state.code;
        return true;
    default:
        return false;
    }
}

bool settleCodeEditors(int slot)
{
    const Workspace &ws = workspace();
    for (int i = 0; i < codeEditorPoolSize; ++i) {
        const CodeEditorRecord &editor = ws.xslEditForms[size_t(i)];
        if (editor.opened && (slot < 0 || editor.myTab == slot) && !checkChange(i))
            return false;
    }
    return true;
}

const QStringList &predefinedVariables()
{
    static const QStringList items = {QStringLiteral("Row Number"),
                                      QStringLiteral("Column Number"),
                                      QStringLiteral("Column Name"), QStringLiteral("Table Name")};
    return items;
}

QString variableOf(const QString &item)
{
    static const char *const names[] = {"_rowNumber", "_columnNumber", "_columnName",
                                        "_tableName"};
    const qsizetype at = predefinedVariables().indexOf(item);
    return at < 0 ? QString() : QString::fromLatin1(names[at]);
}

QString variableReference(const QString &name, InsertForm form)
{
    if (form == InsertForm::asxpath)
        return QChar('$') + name;
    return QStringLiteral("<xsl:value-of select='$") + name + QStringLiteral("'/>");
}

QString xmlReference(int index, const QString &target, InsertForm form)
{
    const CodeEditorRecord &editor = workspace().xslEditForms[size_t(index)];
    const Node *node = workspace().current().tree.find(editor.myElement);
    const QString reference = relativeXpath(node ? contextXpath(*node) : QString(), target);
    if (form == InsertForm::asxpath)
        return reference;
    return QStringLiteral("<xsl:value-of select='") + reference + QStringLiteral("'/>");
}

QStringList parameterNames()
{
    QStringList names;
    for (const InputParameter &parameter : inputParameters())
        names << parameter.name;
    return names;
}
