#include "edit_steps.h"

#include "designer/table_editing.h"
#include "documents/structure_tree.h"
#include "properties/commit_props.h"
#include "properties/fill_props.h"
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
    if (!mapCallItem(argument.section(QChar('\t'), 0, 0), argument.section(QChar('\t'), 1)))
        QTextStream(stderr) << "tvktool edit: no interface item " << argument << '\n';
}

// "set CAPTION<Tab>VALUE": the value put into the row of the selected node's sheet and
// committed as the sheet losing the focus does.
void set(EditUi &, const QString &argument)
{
    fillProps();
    if (putIntoRow(argument.section(QChar('\t'), 0, 0), argument.section(QChar('\t'), 1)))
        commitOnFocusLoss();
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
    {"interface", true, setInterface},
    {"mapcall", true, mapCall},
};

} // namespace

const EditStep *findEditStep(const QString &name)
{
    for (const EditStep &step : steps)
        if (name == QLatin1String(step.name))
            return &step;
    return nullptr;
}
