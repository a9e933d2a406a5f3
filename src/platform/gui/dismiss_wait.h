#pragma once

// Holds the caller until the user clicks the left mouse button or presses Esc anywhere in
// the application, then lingers delayMs more. Meanwhile the thread sleeps between events:
// windows repaint and timers run, but every other click, key and shortcut is swallowed, so
// no command can start before the wait ends. The dismissing click or key is swallowed too.
void waitForClickOrEsc(int delayMs = 100);
