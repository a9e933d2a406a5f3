#pragma once

#include <QString>

// The one command that takes the user from the table tree or the sheet into the editor of
// a column's mapping: its Xpath or its XSL code.

// Selects the row whose editor the mapping command opens: the row with this caption when
// one is given; else on an attribute "XSL Code" when it is calculated by XSL code, else
// "Xpath". An attribute with neither code nor an Xpath asks whether to write XSL code for
// it: OK makes it calculated by XSL code (the table changes) and selects "XSL Code";
// Cancel changes nothing and gives false.
bool selectX(const QString &caption);
// Shows the sheet, moves from a column to its required attribute, selects the row with
// selectX and opens the row's editor as its "..." button does.
void editMapping();
