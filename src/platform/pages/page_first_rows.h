#pragma once

#include <QByteArray>

// Where a served page may be held after its first rows: just after the end tag of the first
// table row that ends at or past from, where the engine reads the next tag as markup (not in
// a comment, in the text of a script, style, textarea or the like, or in SVG or MathML). -1
// when there is none within a few MB past from.
qsizetype firstRowsEnd(const QByteArray &page, qsizetype from);
