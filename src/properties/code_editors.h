#pragma once

#include "generator/xsl_syntax_check.h"

#include <QString>
#include <QStringList>

// What each code editor of the pool holds besides its identity (workspace.h): the code in
// its box, the code as last loaded or saved, and the sheet row that opened it. The editor
// window shows and edits this model.
struct CodeEditorState {
    QString code;
    QString savedCode;
    QString propCaption;
};

CodeEditorState &codeEditorState(int index);

// Opens the editor of the selected node for this kind of code in the current slot: loads
// the code (the code as saved, the selected row as the row to save into) and has the
// sheet window show it with the caption. When all 121 editors are taken by other nodes,
// says so and opens nothing. False when nothing was opened.
bool openCodeEditor(const QString &kind, const QString &code, const QString &caption);

// The sheet row an editor of this kind saves into; for "eliminate" it depends on whether
// the node is the table.
QString rowOfKind(const QString &kind, bool onTable);

// Save: checks the syntax, then in the editor's own slot puts the code into the row its
// kind names on the sheet of its node and commits it, as an edit in the sheet does. An
// Xpath changed by hand is flagged ("Xpath Changed Flag-" and the node's key). Nothing is
// stored on a syntax error (its result tells where), nor when the node is gone or the
// sheet has no such row, which the user is told.
struct CodeSaveResult {
    bool saved = false;
    XslSyntaxResult syntax;
};
CodeSaveResult saveCodeEditor(int index);

// Before an editor closes: true when it may close. Unchanged code (ignoring leading and
// trailing blanks) closes at once; otherwise the user is asked whether to save: Yes saves
// and closes unless the syntax check refused the code (code whose column or attribute is
// gone is given up), No gives the change up, Cancel keeps it open.
bool checkChange(int index);

// Before a table closes, or the program ends (slot -1): the editors of the slot (or of
// every slot) with unsaved code ask about it, each saving into its own slot. False when
// the user cancelled or a save failed.
bool settleCodeEditors(int slot);

// How an inserted reference is written: as an xsl:value-of, or bare.
enum class InsertForm { asxsl, asxpath };
// The predefined variables, list item and variable name.
const QStringList &predefinedVariables();
QString variableOf(const QString &item);
// A reference to "$" and a name, in the chosen form.
QString variableReference(const QString &name, InsertForm form);
// The target Xpath relative to the context of the editor's node, in the chosen form.
QString xmlReference(int index, const QString &target, InsertForm form);
// The names of the current table's input parameters.
QStringList parameterNames();
