#include "designer/queued_dialog_answers.h"

#include "designer/map_xml_box.h"
#include "designer/new_att_dialog.h"
#include "designer/new_column_dialog.h"

QueuedDialogAnswers::QueuedDialogAnswers() : previous(designerDialogs())
{
    designerDialogs() = this;
}

QueuedDialogAnswers::~QueuedDialogAnswers() { designerDialogs() = previous; }

void QueuedDialogAnswers::showNewColumn()
{
    NewColumnDialog &dialog = newColumnDialog();
    if (newColumns.empty()) {
        bclose_Click(dialog);
        return;
    }
    const NewColumn answer = newColumns.front();
    newColumns.pop_front();
    if (!answer.name.isEmpty())
        dialog.cname = answer.name;
    if (!answer.type.isEmpty())
        ctype2_Click(dialog, answer.type);
    if (mapXmlBox().enabled)
        mapXmlBox().ticked = answer.mapXml;
    if (!bok_Click(dialog))
        bclose_Click(dialog);
}

void QueuedDialogAnswers::showNewAtt()
{
    NewAttDialog &dialog = newAttDialog();
    if (newAtts.empty()) {
        bcloseit_Click(dialog);
        return;
    }
    const NewAtt answer = newAtts.front();
    newAtts.pop_front();
    const qsizetype listed = dialog.aname.indexOf(answer.name);
    if (listed >= 0)
        dialog.selected = int(listed);
    else
        attname_Change(dialog, answer.name);
    dialog.usexsl = answer.xsl;
    if (!bok_Click(dialog))
        bcloseit_Click(dialog);
}
