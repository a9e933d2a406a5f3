#include "edit_steps.h"

#include "designer/attribute_editing.h"
#include "designer/drop_mapping.h"
#include "designer/table_editing.h"
#include "documents/structure_tree.h"
#include "documents/workspace.h"
#include "properties/code_editors.h"
#include "properties/commit_props.h"
#include "properties/fill_props.h"
#include "properties/sheet_commands.h"
#include "properties/sheet_selection.h"
#include "publishing/call_mapping.h"
#include "publishing/interface_editor.h"

#include <QTextStream>

namespace {

void answer(EditUi &ui, const QString &text) { ui.replies.append(text); }

void select(EditUi &, const QString &key) { nodeClick(key); }

void rename(EditUi &ui, const QString &name)
{
    ui.replies.prepend(name);
    ren_Click();
}

QString field(const QString &argument, int index) { return argument.section(QChar('\t'), index, index); }

bool isYes(const QString &text) { return text == QLatin1String("yes"); }

// The selection of the XML tree, as its Xpath.
void selectXml(EditUi &, const QString &xpath) { workspace().current().xmlNodeXpath = xpath; }

void drop(EditUi &, const QString &text) { dropOnTree(text, workspace().current().selectedNodeKey); }

// TYPE, NAME and MAP ("yes" ticks "Map selected XML") answer the add-column dialog.
void addColumn(EditUi &ui, const QString &argument)
{
    ui.dialogs.newColumns.push_back({field(argument, 0), field(argument, 1), isYes(field(argument, 2))});
    addit_Click();
}

// NAME and XSL ("yes" ticks "Calculate with XSL code") answer the attribute dialog.
void addAttribute(EditUi &ui, const QString &argument)
{
    ui.dialogs.newAtts.push_back({field(argument, 0), isYes(field(argument, 1))});
    badd_Click();
}

// The interface text with its separators written as \x0e, \x0f and \x10.
QString unescapedSeparators(QString text)
{
    for (const char16_t separator : {u'\x0e', u'\x0f', u'\x10'})
        text.replace(QStringLiteral("\\x%1").arg(int(separator), 2, 16, QChar('0')), QChar(separator));
    return text;
}

// Saves the text as the Table Interface editor's OK does, from the table's sheet.
void setInterface(EditUi &, const QString &text)
{
    nodeClick(StructureTree::tableKey);
    fillProps();
    if (!saveInterfaceText(unescapedSeparators(text)))
        QTextStream(stderr) << "tvktool edit: the interface was not saved\n";
}

// ITEM Tab XPATH: one item of the selected Call Table column mapped and saved.
void mapCall(EditUi &, const QString &argument)
{
    if (!mapCallItem(field(argument, 0), argument.section(QChar('\t'), 1)))
        QTextStream(stderr) << "tvktool edit: no interface item " << argument << '\n';
}

// "set CAPTION<Tab>VALUE": the value put into the row of the selected node's sheet and
// committed as the sheet losing the focus does.
void set(EditUi &, const QString &argument)
{
    fillProps();
    if (putIntoRow(field(argument, 0), argument.section(QChar('\t'), 1)))
        commitOnFocusLoss();
    else
        QTextStream(stderr) << "tvktool edit: the sheet takes no " << argument << '\n';
}

// "editor CAPTION": the code editor of that row of the selected node's sheet, opened as
// the row's "..." does; its code goes to standard output.
void openEditor(EditUi &ui, const QString &caption)
{
    fillProps();
    ui.sheet.openEditor = -1;
    if (selectSheetRow(caption))
        inplaceButtonDown();
    if (ui.sheet.openEditor < 0)
        QTextStream(stderr) << "tvktool edit: no code editor opens from " << caption << '\n';
    else
        QTextStream(stdout) << codeEditorState(ui.sheet.openEditor).code << '\n';
}

// The open code editor's pool entry; -1, after saying so, for none.
int openEditorIndex(const EditUi &ui)
{
    if (ui.sheet.openEditor < 0)
        QTextStream(stderr) << "tvktool edit: no code editor is open\n";
    return ui.sheet.openEditor;
}

// "code TEXT": the open editor's code replaced; "\n" stands for a line break.
void typeCode(EditUi &ui, const QString &text)
{
    if (const int index = openEditorIndex(ui); index >= 0)
        codeEditorState(index).code =
            QString(text).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
}

// "savecode": the open editor's Save & Close; a refused save keeps it open.
void saveCode(EditUi &ui, const QString &)
{
    const int index = openEditorIndex(ui);
    if (index < 0)
        return;
    saveCodeEditor(index);
    if (checkChange(index))
        ui.sheet.openEditor = -1;
}

// Every step, one line each.
const EditStep steps[] = {
    {"answer", true, answer},
    {"select", true, select},
    {"rename", true, rename},
    {"set", true, set},
    {"moveup", false, [](EditUi &, const QString &) { mup_Click(); }},
    {"movedown", false, [](EditUi &, const QString &) { mdown_Click(); }},
    {"delete", false, [](EditUi &, const QString &) { removeit_Click(); }},
    {"selectxml", true, selectXml},
    {"drop", true, drop},
    {"addcolumn", true, addColumn},
    {"addatt", true, addAttribute},
    {"delatt", false, [](EditUi &, const QString &) { bdel_Click(); }},
    {"interface", true, setInterface},
    {"mapcall", true, mapCall},
    {"editor", true, openEditor},
    {"code", true, typeCode},
    {"savecode", false, saveCode},
};

} // namespace

const EditStep *findEditStep(const QString &name)
{
    for (const EditStep &step : steps)
        if (name == QLatin1String(step.name))
            return &step;
    return nullptr;
}
