#pragma once

#include <QString>

// The table's XSL output page: the stylesheet generated for output (no row limit, no
// debug output), written where the current slot's xslFileDir and xslFileName point; a
// relative xslFileDir is taken from the table file's folder.

// Generates for output and writes to the known output page; without one, proposes the
// table's name with ".xsl" and asks for the file (savePageAs).
void savePage();
// Generates for output and writes to a file the user chooses, which becomes the table's
// output page once written. A cancelled dialog or a failed write changes nothing.
void savePageAs();

// Writes the text to the output page at the path as Save does: a symbolic link there is
// followed once its target passed the question on doubtful paths. False when not written.
bool writeOutputPage(const QString &page, const QString &text);

// Lets the Save command of the table commands write the output page through savePage.
void installOutputPageWriter();
