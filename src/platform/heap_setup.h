#pragma once

#include <QtGlobal>

// The process heap, set up for documents and pages that are trees of millions of small
// blocks. The allocator's options are set as the program starts.

// Asks for 2 MB pages over what the heap has grown by since the last call, before those
// pages are first touched: a large tree then costs a fraction of the page faults and
// address-translation misses. Cheap when the heap has not grown; called after each of
// libxml2's allocations.
void adviseHeapGrowth();

// Asks for 2 MB pages over a large buffer before it is first written: filling it then costs
// a fraction of the page faults.
void adviseLargeBuffer(char *buffer, qsizetype size);
