#pragma once

#include "documents/once_only_tips.h"

// The once-only tips of the main window and of the start guidance.
extern const TipText getStartedTip; // at the toolbar's "New table" after start-up
extern const TipText loadXmlTip;
extern const TipText addColumnsTip;
extern const TipText unmappedColumnTip;
extern const TipText propertySheetTip;

// Points the user at the next step for the current table: load its XML document, add
// columns, map the columns, then use the property sheet. Nothing while start-up loads
// or when the slot holds no table.
void showStartTip();
// The column step: every column whose required attribute has no Xpath gets its first
// attribute selected in turn (the last one stays selected); the tip shows at the first.
// With every column mapped, the property sheet's tip.
void showColumnTip();
