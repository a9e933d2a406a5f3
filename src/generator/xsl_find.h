#pragma once

#include <QString>
#include <optional>

// The find of the stylesheet view, and the place of a column's code in the stylesheet.

struct TextSelection {
    qsizetype start = 0;
    qsizetype length = 0;
};

// The next occurrence of what in text after the current selection, letter case ignored;
// nullopt when there is none (the search does not wrap).
std::optional<TextSelection> findAfter(const QString &text, const QString &what,
                                       TextSelection current);

// The comment that starts the code of the selected column ("<!-- Column " + name +
// " as: "), or of the table's main loop when the root is selected; "" when nothing is
// selected.
QString xslCodeMarker();

// The current slot's stylesheet view selects the code of the selected column or table, and
// the once-only tip "XSL Code highlighted" points at the caret.
void highlightInXslCode();
