#pragma once

#include <QString>

#include <vector>

// The generator marks the elements it writes itself (platform/xslt/generator_marks.h), so that the
// running form rewrites nothing else. What it takes from the user as written (code fields,
// scripts, markup) it sets apart with userCode while it builds the text; once built, the
// text loses those bounds and tells, for each start tag in order, who wrote it. The
// re-indented text keeps its elements in that order, and markGeneratorElements marks the
// generator's start tags in it.

// The user's text set apart; a text without '<' holds no element and stays as it is.
QString userCode(const QString &code);

struct BuiltStylesheet {
    QString written; // the text as written: nothing set apart, nothing marked
    std::vector<bool> byGenerator; // for each start tag of written, in order
};

BuiltStylesheet withoutUserBounds(const QString &built);

// The text (written again, its elements those of built.written in the same order) with every
// start tag the generator wrote marked; "" when its start tags are not as many as built's.
QString markGeneratorElements(const QString &text, const BuiltStylesheet &built);
