#pragma once

#include "documents/once_only_tips.h"

// The once-only tips of the Table Interface editor, the Xpath Item dialog and the Call
// Interface mapping dialog.
namespace interface_tips {
TipText startInterface();      // the editor comes up: at its "suggest" button
TipText hierarchy();           // an item moved right, default items made: at the grid
TipText itemsEliminated();     // default items dropped as repeated: at the grid
TipText dragXpathItem();       // the Xpath Item dialog comes up: at its tree
TipText dragMapItem();         // the mapping dialog comes up: at its tree
TipText enablingInterface();   // mappings saved while unused: at the table tree
} // namespace interface_tips
