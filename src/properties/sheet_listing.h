#pragma once

#include "properties/sheet_model.h"

#include <QStringList>

// A sheet as lines of text: one per verb ("verb", Tab, id, Tab, caption), then one per item
// below the category in display order: two blanks per depth, the caption, Tab, the value
// the row shows, Tab, the edit style (typed, button, typed+button, list or none), Tab, "ro"
// for read-only or "-", Tab, the choices joined by "|". Control characters in a value are
// escaped, so each entry stays one line.
QStringList sheetListing(const SheetLayout &layout);
