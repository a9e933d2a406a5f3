#pragma once

#include <QString>

// The side files of a table (".xmf", ".xsl", ".txp", ".txi", ".xmp", ".tic" beside its
// table file) are read only as regular files of their own: a symbolic link, hidden file,
// folder, pipe or device at a side file's name reads as a missing side file, so that no
// file from outside the table's folder comes in under a side file's name.

bool sideFileExists(const QString &path);
// The side file's text; "" when it is missing.
QString readSideFile(const QString &path);

// Makes sure the six side files of a called table exist. reference is the called table's
// file relative to the current table's folder ("/" separators, "../" steps allowed, ".tvk"
// in any letter case). When any of the six is missing, all six are written again from the
// copies embedded in the called table's file; a failed write is reported and the others
// are still written. Without ".tvk" in the reference, or when the table file holds no
// copies, nothing changes.
void restoreSideFiles(QString reference);
