#pragma once

#include <QString>

// Where a table may write its stylesheets (the XSL output page and the plug-in's
// temporary stylesheet). The XSL output name and folder in a table file come from whoever
// wrote the file; until the user picks the output file in a dialog, a write to a path that
// lies outside the table's own folder or does not end in ".xsl" needs the user's consent.
// The output page is the one file written through a symbolic link (a user may link it into
// a web folder); a link may as well come with a table folder someone else made, so its
// target always needs that consent.

// Where a symbolic link at the path leads, through a chain of links, dangling or not; the
// path itself when it is no link.
QString linkTarget(const QString &path);
// True when the current table may write a stylesheet to path, the target of a link when
// throughLink. The first time a doubtful path comes up the user is asked "This table
// writes its stylesheet to <path>. Write it there?"; the answer holds for that path for as
// long as the table stays open.
bool mayWriteStylesheet(const QString &path, bool throughLink = false);
