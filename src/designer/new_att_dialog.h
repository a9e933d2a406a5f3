#pragma once

#include <QString>
#include <QStringList>

// The attribute dialog `newatt` as the model holds it: one shared instance whose typed
// name survives from one use to the next.
struct NewAttDialog {
    QStringList aname;  // the offered names
    int selected = -1;  // the selected name of the list, -1 for none
    QString attname;    // the typed name
    bool usexsl = false; // "Calculate with XSL code"
    QString result;     // the answer, "" for cancelled
};

NewAttDialog &newAttDialog();

// The attribute names offered for a column type, in their order; none for a type without
// a list.
QStringList attributeNamesFor(const QString &type);
// The names of the input parameters of the table that the current column calls, read
// from the called table's ".txi" side file beside it.
QStringList calledTableParameters();

// Prepares the dialog for the current column: XSL box unticked, the list refilled.
void initWin(NewAttDialog &dialog);
// OK: true when the dialog hides with its answer, false when it stays open after telling
// the user why.
bool bok_Click(NewAttDialog &dialog);
// Cancel and Esc.
void bcloseit_Click(NewAttDialog &dialog);
// Typing a name drops the list's selection, so that OK takes the typed name.
void attname_Change(NewAttDialog &dialog, const QString &text);

// An attribute name that is no XML name without a prefix, or that holds "-" or "+": the
// user is told and false returned.
bool isAcceptableAttributeName(const QString &name);
