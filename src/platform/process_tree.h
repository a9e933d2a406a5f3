#pragma once

#include <QtGlobal>

// A program started with startAsTreeRoot() in its child keeps every process it starts
// beneath it: an orphan is handed to it rather than to init, whatever session or process
// group it moved to. killProcessTree() then ends them all.

// Call in the child before it runs the program: only calls that are safe after fork().
void startAsTreeRoot();
// Stops the process and all its descendants, then kills them. Stopped processes start
// nothing new, so a process that keeps forking is caught too.
void killProcessTree(qint64 rootPid);
