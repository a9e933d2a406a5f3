#pragma once

#include <QByteArray>

// Where a served page may be held after its first rows: just after the end tag of the first
// table row that ends at or past from, where the engine reads the next tag as markup (not in
// a comment, in the text of a script, style, textarea or the like, or in SVG or MathML). -1
// when there is none within a few MB past from, or when SVG or MathML before it holds a
// script, style or the like with a tag in it, or a CDATA section with a tag in it (the
// engine reads them as HTML in some places there), or when an escape of a stateful
// encoding comes before it.
qsizetype firstRowsEnd(const QByteArray &page, qsizetype from);
