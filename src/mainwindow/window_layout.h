#pragma once

#include "documents/table_document.h"

#include <optional>

// Geometry of the current table's windows and code editors, in twips relative to the main
// window's client area. The windows follow the geometry held in the model.

// The screen's twips per pixel across (tpx) and down (tpy).
struct TwipsPerPixel {
    double tpx = 15;
    double tpy = 15;
};
// 1440 / logical DPI.
double twipsPerPixel(double logicalDpi);

// What the layout remembers between calls.
struct LayoutState {
    long lastClientWidth = 0;  // main window size at start-up and at the last fit
    long lastClientHeight = 0;
    int editorScanStart = 0;   // first pool index the next timer tick visits
};

// Default arrangement for a client area of clientWidth x clientHeight twips; sets the
// shown flags of the current slot and its editors.
void defaultPos(double clientWidth, double clientHeight, TwipsPerPixel screen);
// Scales the current slot's windows and editors by the change of the main window's size
// since the last fit or start-up.
void fitContainer(LayoutState &state, double mainWidth, double mainHeight);
// One tick of the layout timer: windows above stripBottom are moved below it (their bottom
// edge stays), a third of the editor pool is held at 385 x 225 pixels at least.
void checkPos(LayoutState &state, double stripBottom, TwipsPerPixel screen);

// The window that the "Show" entry of the given index names for the current table, after
// the checks; nullopt (the user has been told why, where there is a reason) otherwise.
std::optional<SlotWindow> showOneWindow(int index);
