#pragma once

#include <QtGlobal>

// A program started with startAsTreeRoot() in its child keeps every process it starts
// beneath it: an orphan is handed to it rather than to init, whatever session or process
// group it moved to. killProcessTree() then ends them all.

// Call in the child before it runs the program: only calls that are safe after fork().
void startAsTreeRoot();
// Stops the process and all its descendants, then kills them. Stopped processes start
// nothing new, so a process that keeps forking is caught too. Each is signalled through a
// pidfd taken while its parent is known to be in the tree, so no other process is touched.
// What a program leaves running when it has ended by itself is no longer beneath it.
void killProcessTree(qint64 rootPid);
