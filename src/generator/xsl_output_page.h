#pragma once

// The table's XSL output page: the stylesheet generated for output (no row limit, no
// debug output), written where the current slot's xslFileDir and xslFileName point; a
// relative xslFileDir is taken from the table file's folder.

// Generates for output and writes to the known output page; without one, proposes the
// table's name with ".xsl" and asks for the file (savePageAs).
void savePage();
// Generates for output and writes to a file the user chooses, which becomes the table's
// output page once written. A cancelled dialog or a failed write changes nothing.
void savePageAs();

// Lets the Save command of the table commands write the output page through savePage.
void installOutputPageWriter();
