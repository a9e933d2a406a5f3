#pragma once

#include <QString>

// Where a table may write its stylesheets (the XSL output page and the plug-in's
// temporary stylesheet). The XSL output name and folder in a table file come from whoever
// wrote the file; until the user picks the output file in a dialog, a write to a path that
// lies outside the table's own folder or does not end in ".xsl" needs the user's consent.

// True when the current table may write a stylesheet to path. The first time a doubtful
// path comes up the user is asked "This table writes its stylesheet to <path>. Write it
// there?"; the answer holds for that path for as long as the table stays open.
bool mayWriteStylesheet(const QString &path);
