#pragma once

#include <QString>

// Whether the table a "Call Table" column calls has a Table Interface: its interface side
// file (the reference with the extension "tic") holds more than white space. The
// reference is the called table file's path relative to tableDir (the calling table's
// folder); a reference without "." names no table.
bool calledTableHasInterface(const QString &reference, const QString &tableDir);
// That interface side file's path; "" for a reference without ".".
QString calledInterfacePath(const QString &reference, const QString &tableDir);
