#pragma once

#include <QString>

// One column as the row body writes it.
struct ColumnContext {
    QString col;      // the column's name
    QString type;     // its "Type-" value
    QString colXpath; // the absolute Xpath its column loop visits
    QString relXpath; // that Xpath relative to the table's row Xpath
    QString rowXpath; // the table's row Xpath
};
