#pragma once

#include "generator/stylesheet_header.h"

#include <QList>
#include <QString>

// The input parameter dialog's model: the rows of the packed input parameter list, shown
// with their values unescaped, the name checks and the moves of the Tab key.

// The rows of a packed list, values unescaped ("&gt;", "&lt;", then "&amp;"). A value
// holding a Tab keeps it.
QList<InputParameter> unpackParameters(const QString &list);
// The packed list of the rows: name, Chr(14), escaped value, Chr(15) each; the separators
// Chr(14) to Chr(16) are taken out of what was typed.
QString packParameters(const QList<InputParameter> &rows);
// Text put into a cell: without blanks around it and without the list separators.
QString cellText(const QString &typed);

// The check of a name typed into the name column: a valid name and not "table"; the user
// is told why not.
bool parameterNameAccepted(const QString &typed);
// The checks at OK: every name accepted, not empty and used once; the user is told of the
// first that fails.
bool parameterNamesAccepted(const QList<InputParameter> &rows);

// Where Tab (or Shift+Tab with back) moves the editor from a cell of the grid's parameter
// rows (0 to rows - 1; column 0 the name, 1 the value); the same cell at either end.
struct GridCell {
    int row = 0;
    int column = 0;
    bool operator==(const GridCell &) const = default;
};
GridCell tabMove(GridCell from, int rows, bool back);

// OK: the list goes into the sheet's parameter holder, the row "XSLT Input Parameters"
// is selected, shows "Parameters" (or "" for no parameters) and is committed.
void commitParameterList(const QString &list);
