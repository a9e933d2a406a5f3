#pragma once

// The main window's progress bar, 0 to 100 (100 hides it); nothing without a main window.
void setProgress(int percent);
