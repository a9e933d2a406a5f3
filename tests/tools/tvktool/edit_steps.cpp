#include "edit_steps.h"

#include "designer/table_editing.h"
#include "properties/commit_props.h"
#include "properties/fill_props.h"

namespace {

void answer(EditUi &ui, const QString &text) { ui.replies.append(text); }

void select(EditUi &, const QString &key) { nodeClick(key); }

void rename(EditUi &ui, const QString &name)
{
    ui.replies.prepend(name);
    ren_Click();
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
};

} // namespace

const EditStep *findEditStep(const QString &name)
{
    for (const EditStep &step : steps)
        if (name == QLatin1String(step.name))
            return &step;
    return nullptr;
}
