#include "edit_steps.h"

#include "designer/attribute_editing.h"
#include "designer/drop_mapping.h"
#include "designer/table_editing.h"
#include "documents/workspace.h"

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

// Every step, one line each.
const EditStep steps[] = {
    {"answer", true, answer},
    {"select", true, select},
    {"rename", true, rename},
    {"moveup", false, [](EditUi &, const QString &) { mup_Click(); }},
    {"movedown", false, [](EditUi &, const QString &) { mdown_Click(); }},
    {"delete", false, [](EditUi &, const QString &) { removeit_Click(); }},
    {"selectxml", true, selectXml},
    {"drop", true, drop},
    {"addcolumn", true, addColumn},
    {"addatt", true, addAttribute},
    {"delatt", false, [](EditUi &, const QString &) { bdel_Click(); }},
};

} // namespace

const EditStep *findEditStep(const QString &name)
{
    for (const EditStep &step : steps)
        if (name == QLatin1String(step.name))
            return &step;
    return nullptr;
}
