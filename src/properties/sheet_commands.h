#pragma once

#include <QString>

// The commands of the current slot's property sheet: the "..." button of its selected
// row, its command links (verbs) by id, and what they open.

// The "..." button of the selected row: the code editor, picker or dialog that suits the
// row's caption; a chosen value goes into the row and is committed. Other rows: nothing.
void inplaceButtonDown();
// The command link with this id (100 to 121); an id without an action does nothing.
void verbClick(int id);

// The colour dialog preset from a colour value ("#" and six digits), else at the colour
// chosen last: the colour value chosen, "" when cancelled.
QString getColor(const QString &current);
// "CSS Style": the css editor of the selected column (of an attribute's column) or table.
void goCss();
// "XSLT Input Parameters": the input parameter dialog; the preview follows when the
// parameter declarations changed.
void doInputP();
