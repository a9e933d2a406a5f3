#pragma once

#include <QString>

// The six small files beside a table file through which calling tables see it: its XML
// path (".xmf"), its output stylesheet (".xsl"), the path of its XSL output page
// (".xmp"), its row Xpath (".txp"), its input parameter list (".txi") and its Table
// Interface text (".tic").

// Writes the current slot's side files, outputXsl into ".xsl". A failed write is reported
// and the next file is still written. A table with no table file yet writes none. Every
// render writes them: a file that already holds its text is left as it is.
void writeSideFiles(const QString &outputXsl);

// The side files of a render: ".xsl" gets the stylesheet as an output run generates it
// (all rows, no debug output), which is what calling tables import; the slot's
// xslGenerated stays the preview's. That output run reports nothing: the render reports
// its own stylesheet's faults. Then the stylesheet view shows the preview's stylesheet
// (updateXslView).
void getXSLFile();

// The slot's stylesheet view shows its xslGenerated, and comes forward when the user left
// it open.
void updateXslView();
