#pragma once

// What long work on the UI thread shows of itself in the main window; nothing without a
// main window.

// The progress bar, 0 to 100 (100 hides it).
void setProgress(int percent);
// Lets pending events run (a repaint, a balloon's placement); user input waits.
void letPendingEventsRun();
