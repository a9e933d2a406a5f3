#pragma once

#include "documents/once_only_tips.h"

#include <QString>
#include <QStringList>

// The add-column dialog `newcolumn` as the model holds it: one shared instance whose boxes
// keep their contents between uses. Its box "Map selected XML" is mapXmlBox().
struct NewColumnDialog {
    QString cname;     // the name box
    QString type;      // the selected column type, "" for none
    QString tablePath; // a "Call Table" column's reference, set by OK
    QString result;    // the answer: the trimmed name, "" for cancelled
};

NewColumnDialog &newColumnDialog();
// The eleven column types in the order the dialog lists them, three to a row.
const QStringList &ctype2Items();

extern const TipText hiddenFieldTip;
extern const TipText formTableTip;
extern const TipText firstColumnTip;

// A click on a type: the dialog shows it and opens with it next time.
void ctype2_Click(NewColumnDialog &dialog, const QString &type);
// OK: true when the dialog hides with its answer, false when it stays open (after telling
// the user why, or silently when the table to call was not chosen).
bool bok_Click(NewColumnDialog &dialog);
// Cancel.
void bclose_Click(NewColumnDialog &dialog);

// New column: asks for the name and type, adds the column with the attributes its type
// starts with, mapped to the XML tree's selection when the dialog's box says so.
void addSingleColumn();
