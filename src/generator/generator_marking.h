#pragma once

#include <QString>

// The generator marks the elements it writes itself (platform/generator_marks.h), so that the
// running form rewrites nothing else. What it takes from the user as written (code fields,
// scripts, markup) it sets apart with userCode while it builds the text; once built,
// markGeneratorElements marks every start tag outside those parts.

// The user's text set apart; a text without '<' holds no element and stays as it is.
QString userCode(const QString &code);

struct MarkedStylesheet {
    QString written; // the text as written: nothing set apart, nothing marked
    QString marked;  // the same text with every start tag the generator wrote marked
};

MarkedStylesheet markGeneratorElements(const QString &built);
