#pragma once

#include <QString>

// Makes sure the six side files of a called table exist. reference is the called table's
// file relative to the current table's folder ("/" separators, "../" steps allowed, ".tvk"
// in any letter case). When any of the six is missing, all six are written again from the
// copies embedded in the called table's file; a failed write is reported and the others
// are still written. Without ".tvk" in the reference, or when the table file holds no
// copies, nothing changes.
void restoreSideFiles(QString reference);
