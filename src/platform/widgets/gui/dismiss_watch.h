#pragma once

class QWidget;

// Hides the widget delayMs after the next left mouse button press or Esc anywhere in the
// application. Nothing waits for it: the program runs on, and the press or key still
// reaches whatever it was aimed at. Asked again for the same widget (shown anew), the
// watch starts over, so a hide still pending from an earlier press is dropped.
void hideAtClickOrEsc(QWidget *widget, int delayMs = 100);
