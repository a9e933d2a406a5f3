#pragma once

#include "properties/sheet_model.h"

// The property sheet of every table slot.
PropertySheet &propertySheet(int slot);
// The sheet of the current slot.
PropertySheet &currentSheet();
// Back to a sheet that shows no node, as a new table in the slot starts.
void resetPropertySheet(int slot);
